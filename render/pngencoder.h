#ifndef PNGENCODER_H
#define PNGENCODER_H

#include <QImage>
#include <QString>

class QIODevice;

// Writes a page to PNG with settings chosen for pages of notation: one fixed
// row filter and libdeflate's whole-buffer compression at a fast level,
// which take a fraction of the time of Qt's writer (adaptive filters, zlib
// level 6) for files of about the same size. The file is put together here,
// chunk by chunk: a streaming PNG library spends most of a page's time on
// its per-row work and its zlib stream even when nothing is compressed.
//
// The pixels go into the file exactly as the image holds them:
// Format_Grayscale8 as 8-bit grey, Format_Indexed8 as a palette (with the
// colours' alphas where any is not opaque), Format_RGB32 as 8-bit RGB and
// Format_ARGB32 as 8-bit RGBA; every other format is converted to ARGB32
// first. The resolution and the text keys are written as Qt's own writer
// writes them, the colour space wherever PNG allows it (not on grey pixels).
class PngEncoder
{
public:
    // The filter every row goes through before compression; Adaptive picks
    // one row by row (the smallest sum of the filtered bytes taken as
    // signed), as Qt's writer has it.
    enum class RowFilter { None, Sub, Up, Paeth, Adaptive };

    // The choice for pages, measured with bench_imageexport on 300-dpi
    // pages: the compressor's own matching finds a page's long runs of paper
    // and repeated ink without any filter, in less time and fewer bytes than
    // after SUB, UP, PAETH or the adaptive choice. Level 1 is libdeflate's
    // fastest; higher levels cost more time than they save bytes on pages.
    static constexpr RowFilter defaultRowFilter = RowFilter::None;
    static constexpr int defaultLevel = 1;
    // Image data beyond this many bytes goes into further IDAT chunks.
    static constexpr int maxChunkBytes = 1 << 20;

    void setRowFilter(RowFilter filter) { m_filter = filter; }
    // libdeflate's level: 0 (stored) to 12, 1 to 9 as zlib's.
    void setLevel(int level) { m_level = qBound(0, level, 12); }

    // Writes image to device, which is open for writing. False, with the
    // reason in error() and nothing thrown, when memory runs out or the
    // device fails.
    bool write(const QImage &image, QIODevice *device);

    QString error() const { return m_error; }

private:
    RowFilter m_filter = defaultRowFilter;
    int m_level = defaultLevel;
    QString m_error;
};

#endif // PNGENCODER_H
