#ifndef SCOREWRITER_H
#define SCOREWRITER_H

#include "exportfailure.h"

#include <QImage>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>

class ExportConfig;
class QL_GenerateSVG;
class AtomicFile;
class PageCanvas;

// Turns the pages of a finished rendering into files: one PDF, a folder of
// JPG or PNG images, or a folder of SVG pages with the notation font and a
// readme. Progress goes out through the renderer's progressUpdate signal; a
// failure is kept in failure() for the caller to show.
class ScoreWriter
{
public:
    // The dots per inch of the four image quality levels.
    static int dpiForLevel(int dpiLevel);
    // The paper of the configured portrait page size: a size close to a
    // standard one becomes that standard size.
    static QPageSize paperSize(const ExportConfig &config);
    // The pixels of one page at dpi: the configured size, or the standard
    // size it is close to, as that standard defines it; landscape swapped.
    static QSize pagePixelSize(const ExportConfig &config, int dpi);

    explicit ScoreWriter(QL_GenerateSVG &renderer);

    // One PDF page per score page, the page filling the paper.
    bool writePdf(const QString &path);
    // A new folder dir/title_ext (never one that exists) of title_i.ext.
    bool writeImages(const QString &dir, int dpiLevel, const QString &ext);
    // A new folder dir/title_svg of title_i.svg, the font and "说明文件.txt".
    bool writeSvg(const QString &dir);

    // Page i as an image at dpi: transparent behind a transparent page for
    // "png", the background colour for every other format.
    QImage pageImage(int index, int dpi, const QString &ext) const;
    // Writes page i to one image file of the given format at quality 100,
    // whole or not at all.
    bool writeImageFile(int index, const QString &path, int dpi, const QString &ext);
    // Writes page i to paths[i] for every path; on failure none of the files
    // is changed.
    bool writeImageFiles(const QStringList &paths, int dpi, const QString &ext);

    // The failure text of an export that was asked to stop.
    static QString stoppedText();

    // Why the last write failed; empty after a success.
    ExportFailure failure() const { return m_failure; }
    // The file (PDF) or the new folder (images, SVG) the last successful
    // writePdf(), writeImages() or writeSvg() made.
    QString writtenPath() const { return m_written; }

private:
    // Paints page i at dpi onto canvas, as pageImage() gives it. False when
    // the memory for the page cannot be had.
    bool paintPage(int index, int dpi, const QString &ext, PageCanvas &canvas) const;
    // Opens file and writes page i into it, ready to be committed, painted
    // on canvas. Safe to call from several threads at once, each with a
    // canvas of its own.
    bool writeImage(int index, AtomicFile &file, int dpi, const QString &ext, PageCanvas &canvas) const;
    // Writes pages 0 .. count - 1 on the thread pool, a few at a time, and
    // calls done(i, written) on this thread in page order; stops at the
    // first done() that returns false, once the pages in flight are finished.
    bool writeInParallel(int count, const std::function<bool(int)> &write,
                         const std::function<bool(int, bool)> &done) const;
    // True, with the failure set, when the renderer was asked to stop.
    bool failIfStopped(const QString &path);
    bool fail(const QString &title, const QString &text, const QString &path,
              const QString &reason = QString());
    // The title the files are named after, the default one when the score
    // has none.
    QString fileTitle();

    QL_GenerateSVG &m_renderer;
    ExportFailure m_failure;
    QString m_written;
};

#endif // SCOREWRITER_H
