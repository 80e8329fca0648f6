#ifndef PNGENCODER_H
#define PNGENCODER_H

#include <QImage>
#include <QString>

class QIODevice;

// Writes a page to PNG through libpng with settings chosen for pages of
// notation: one fixed row filter and a fast zlib level, which take a
// fraction of the time of Qt's writer (adaptive filters, level 6) for files
// of about the same size. The pixels go into the file exactly as the
// image holds them: Format_Grayscale8 as 8-bit grey, Format_Indexed8 as a
// palette (with the colours' alphas where any is not opaque), Format_RGB32
// as 8-bit RGB and Format_ARGB32 as 8-bit RGBA; every other format is
// converted to ARGB32 first. The resolution and the text keys are written as
// Qt's own writer writes them, the colour space wherever PNG allows it (not
// on grey pixels).
class PngEncoder
{
public:
    // The filter every row goes through before zlib; Adaptive is libpng's
    // own choice row by row, as Qt's writer has it.
    enum class RowFilter { None, Sub, Up, Paeth, Adaptive };
    // zlib's strategy: Rle looks for repeats of the byte before only.
    enum class Strategy { Default, Filtered, Rle };

    // The choice for pages, measured with bench_imageexport on 300-dpi
    // pages: zlib's own matching finds a page's long runs of paper and
    // repeated ink without any filter, in less time and fewer bytes than
    // after SUB, UP, PAETH or libpng's adaptive choice; level 1 takes half
    // the time of level 6 for some 15% more bytes. RLE is no faster and
    // grows a page on coloured paper tenfold (its runs are of one byte).
    static constexpr RowFilter defaultRowFilter = RowFilter::None;
    static constexpr int defaultLevel = 1;
    static constexpr Strategy defaultStrategy = Strategy::Default;

    void setRowFilter(RowFilter filter) { m_filter = filter; }
    // zlib's level, 0 (stored) to 9.
    void setLevel(int level) { m_level = qBound(0, level, 9); }
    void setStrategy(Strategy strategy) { m_strategy = strategy; }

    // Writes image to device, which is open for writing. False, with the
    // reason in error() and nothing thrown, when libpng or the device fails.
    bool write(const QImage &image, QIODevice *device);

    QString error() const { return m_error; }

private:
    RowFilter m_filter = defaultRowFilter;
    int m_level = defaultLevel;
    Strategy m_strategy = defaultStrategy;
    QString m_error;
};

#endif // PNGENCODER_H
