#include "scorewriter.h"

#include "atomicfile.h"
#include "compactpixels.h"
#include "exportconfig.h"
#include "pagecanvaspool.h"
#include "pageddevicetarget.h"
#include "pngencoder.h"
#include "ql_generatesvg.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>
#include <QWaitCondition>

#include <exception>
#include <memory>
#include <vector>
#include <QCoreApplication>

namespace {

// The first of base, base_0, base_1, … that names nothing in dir.
QString unusedFolderName(const QDir &dir, const QString &base)
{
    if (!dir.exists(base))
        return base;
    for (int k = 0;; ++k) {
        const QString name = base + QLatin1Char('_') + QString::number(k);
        if (!dir.exists(name))
            return name;
    }
}

// Units of a page size's own definition in one inch.
double unitsPerInch(QPageSize::Unit unit)
{
    switch (unit) {
    case QPageSize::Millimeter:
        return 25.4;
    case QPageSize::Inch:
        return 1;
    case QPageSize::Pica:
        return 6;
    case QPageSize::Didot:
        return 72 / 1.07;
    case QPageSize::Cicero:
        return 6 / 1.07;
    case QPageSize::Point:
    default:
        return 72;
    }
}

} // namespace

QPageSize ScoreWriter::paperSize(const ExportConfig &config)
{
    return QPageSize(QSize(config.pageWidth(), config.pageHeight()), QPageSize::Point, QString(),
                     QPageSize::FuzzyMatch);
}

QSize ScoreWriter::pagePixelSize(const ExportConfig &config, int dpi)
{
    // QPageSize::sizePixels() goes through the size in whole points, which
    // loses up to half a point: A4 (210 × 297 mm) would be 2479 pixels wide
    // at 300 dpi instead of 2480. The size as its standard defines it gives
    // the true pixels.
    const QPageSize page = paperSize(config);
    const QSizeF defined = page.definitionSize();
    const double scale = dpi / unitsPerInch(page.definitionUnits());
    QSize size(qRound(defined.width() * scale), qRound(defined.height() * scale));
    if (config.isLandscape())
        size.transpose();
    return size;
}

int ScoreWriter::dpiForLevel(int dpiLevel)
{
    switch (dpiLevel) {
    case 1:
        return 160;
    case 2:
        return 300;
    case 3:
        return 600;
    default:
        return 96;
    }
}

ScoreWriter::ScoreWriter(QL_GenerateSVG &renderer)
    : m_renderer(renderer)
{
}

bool ScoreWriter::fail(const QString &title, const QString &text, const QString &path, const QString &reason)
{
    m_failure = ExportFailure{title, text, path, reason};
    return false;
}

bool ScoreWriter::failIfStopped(const QString &path)
{
    if (!m_renderer.isStopRequested())
        return false;
    // The progress window closes as after any end.
    emit m_renderer.progressUpdate(2, 0, 0, QString(), QString());
    fail(QCoreApplication::translate("ScoreWriter", "提示"), stoppedText(), path);
    return true;
}

QString ScoreWriter::stoppedText()
{
    return QCoreApplication::translate("ScoreWriter", "导出已取消");
}

QString ScoreWriter::fileTitle()
{
    if (m_renderer.documentTitle().isEmpty())
        m_renderer.setDocumentTitle(QL_GenerateSVG::defaultTitle);
    return m_renderer.documentTitle();
}

bool ScoreWriter::writePdf(const QString &path)
{
    m_failure = ExportFailure();
    if (failIfStopped(path))
        return false;
    const ExportConfig &config = m_renderer.config();
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    const QString refused = QCoreApplication::translate("ScoreWriter", "文件无写入权限或文件已被占用!");

    // A device or a FIFO named as the target is never opened nor replaced.
    if (!AtomicFile::isReplaceable(path))
        return fail(QCoreApplication::translate("ScoreWriter", "错误"),
                    QCoreApplication::translate("ScoreWriter", "导出PDF文件失败!"), path, AtomicFile::notAFileReason());
    if (QDir(folder).exists() && file.exists()) {
        try {
            // Opened without truncating: a refused export must leave the old
            // file as it was.
            QFile probe(path);
            if (!file.isWritable() || !probe.open(QIODevice::ReadWrite))
                return fail(QCoreApplication::translate("ScoreWriter", "错误"), refused, path);
            probe.close();
        } catch (const std::exception &e) {
            qDebug() << "检测文件可写性时出现异常: " << e.what();
            return fail(QCoreApplication::translate("ScoreWriter", "错误"), refused, path);
        }
    } else if (!QDir(folder).exists()) {
        QDir().mkpath(folder);
    }

    // Written beside the target and put in its place only when complete: a
    // failed export leaves no broken PDF and an existing file as it was.
    AtomicFile output(path);
    if (!output.open())
        return fail(QCoreApplication::translate("ScoreWriter", "错误"), refused, path, output.errorString());
    QPdfWriter writer(output.device());
    writer.setTitle(m_renderer.documentTitle());
    writer.setCreator(QStringLiteral("Qelun工尺谱"));
    // One unit per point, as on the SVG pages, so that text is laid out
    // alike on both.
    writer.setResolution(72);
    // Without margins of its own the page layout keeps Qt's default ones and
    // every page would be inset and scaled unevenly: the page fills the paper.
    writer.setPageLayout(QPageLayout(paperSize(config),
                                     config.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));

    const int n = m_renderer.pageCount();
    emit m_renderer.progressUpdate(0, 0, n, QCoreApplication::translate("ScoreWriter", "导出"), QCoreApplication::translate("ScoreWriter", "正在导出PDF文件···"));
    PagedDeviceTarget target(writer, m_renderer, n);
    const bool painted = m_renderer.paintPages(target);
    emit m_renderer.progressUpdate(2, n, n, QString(), QString());
    if (!painted) {
        output.cancel();
        if (failIfStopped(path))
            return false;
        return fail(QCoreApplication::translate("ScoreWriter", "错误"),
                    QCoreApplication::translate("ScoreWriter", "导出PDF文件失败!"), path, output.errorString());
    }
    if (!output.commit())
        return fail(QCoreApplication::translate("ScoreWriter", "错误"),
                    QCoreApplication::translate("ScoreWriter", "导出PDF文件失败!"), path, output.errorString());
    m_written = path;
    return true;
}

QImage ScoreWriter::pageImage(int index, int dpi, const QString &ext) const
{
    PageCanvas canvas;
    paintPage(index, dpi, ext, canvas);
    return canvas.take();
}

bool ScoreWriter::paintPage(int index, int dpi, const QString &ext, PageCanvas &canvas) const
{
    const ExportConfig &config = m_renderer.config();
    // Painted premultiplied, the raster engine's own format: several times
    // faster than painting straight into ARGB32, and the same pixels once
    // converted.
    const bool transparent = ext.contains(QLatin1String("png"));
    QImage &image = canvas.clear(pagePixelSize(config, dpi),
                                 transparent ? QColor(Qt::transparent) : config.backgroundColor());
    if (image.isNull())
        return false;

    QSvgRenderer svg(m_renderer.svgPage(index));
    QPainter painter(&image);
    svg.render(&painter, QRectF(image.rect()));
    painter.end();
    // Set once the page is painted, as painting at another resolution could
    // size its text otherwise: the file tells a viewer or a printer the dpi
    // the page was made for, not the screen's.
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    // Only a page with transparency needs its colours unpremultiplied. An
    // opaque page (one with paper) holds the same bytes in every 32-bit
    // format, and looking costs less than converting: it is marked RGB32,
    // so that the survey for the file need not look for clear pixels again.
    if (transparent) {
        if (CompactPixels::isOpaque(image))
            image.reinterpretAsFormat(QImage::Format_RGB32);
        else
            image.convertTo(QImage::Format_ARGB32);
    }
    return true;
}

bool ScoreWriter::writeImage(int index, AtomicFile &file, int dpi, const QString &ext, PageCanvas &canvas) const
{
    if (!paintPage(index, dpi, ext, canvas) || !file.open())
        return false;
    const QImage &image = canvas.image();
    if (ext.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0) {
        // PNG is lossless whatever its settings, and its encoder would take
        // most of a page's time. The pixels go in the most compact format
        // that holds them exactly (an opaque page in greys needs one byte a
        // pixel, not four), through libpng with one cheap row filter and a
        // fast zlib level.
        PngEncoder encoder;
        return encoder.write(CompactPixels::compactView(image), file.device());
    }
    // Full quality for JPG. Qt's JPEG writer copies RGB888 rows as they are
    // but converts 32-bit ones a byte at a time: the page goes packed to
    // RGB888, in the canvas's own memory, which the next page clears.
    QImageWriter writer(file.device(), ext.toLatin1());
    writer.setQuality(100);
    const bool jpeg = ext.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0
                      || ext.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0;
    return writer.write(jpeg ? CompactPixels::rgbInPlace(canvas.image()) : image);
}

bool ScoreWriter::writeImageFile(int index, const QString &path, int dpi, const QString &ext)
{
    m_failure = ExportFailure();
    AtomicFile file(path);
    PageCanvas canvas;
    if (!writeImage(index, file, dpi, ext, canvas) || !file.commit()) {
        file.cancel();
        return fail(QCoreApplication::translate("ScoreWriter", "提示"), QCoreApplication::translate("ScoreWriter", "导出图片失败！"), path,
                    file.errorString());
    }
    return true;
}

bool ScoreWriter::writeInParallel(int count, const std::function<bool(int)> &write,
                                  const std::function<bool(int, bool)> &done) const
{
    // Each page is painted, compacted and encoded on its own image, as many
    // at a time as the pool has threads (a page of 600 dpi takes over
    // 100 MB, so no more). Twice as many are handed over, so that a thread
    // that finishes a page before the one this thread waits for starts the
    // next at once; a page waiting its turn, or written and waiting to be
    // collected, holds no image.
    //
    // This thread waits on a condition of its own, not on a QFuture: waiting
    // on one paints the page on this thread when no pool thread has started
    // it yet, and a third painter on two cores is no faster but takes one
    // more canvas, 35 MB at 300 dpi for the system to hand over page by page.
    QThreadPool *pool = QThreadPool::globalInstance();
    const int inFlight = 2 * qMax(1, pool->maxThreadCount());
    QMutex mutex;
    QWaitCondition finished;
    enum Outcome : signed char { Pending, Written, Failed };
    std::vector<Outcome> outcomes(size_t(qMax(0, count)), Pending);
    const auto await = [&](int page) {
        QMutexLocker lock(&mutex);
        while (outcomes[size_t(page)] == Pending)
            finished.wait(&mutex);
        return outcomes[size_t(page)] == Written;
    };
    int next = 0;
    for (int i = 0; i < count; ++i) {
        for (; next < count && next < i + inFlight; ++next) {
            pool->start([&, page = next] {
                const bool written = write(page);
                QMutexLocker lock(&mutex);
                outcomes[size_t(page)] = written ? Written : Failed;
                finished.wakeAll();
            });
        }
        if (!done(i, await(i))) {
            for (int page = i + 1; page < next; ++page)
                await(page);
            return false;
        }
    }
    return true;
}

bool ScoreWriter::writeImageFiles(const QStringList &paths, int dpi, const QString &ext)
{
    m_failure = ExportFailure();
    if (failIfStopped(QString()))
        return false;
    // Every page is written before any is put in place, so that a failure
    // leaves each existing file of those names as it was. An uncommitted
    // QSaveFile removes its temporary file when it goes.
    std::vector<std::unique_ptr<AtomicFile>> files;
    for (const QString &path : paths)
        files.push_back(std::make_unique<AtomicFile>(path));
    PageCanvasPool canvases;
    const bool written = writeInParallel(
        int(paths.size()),
        [&](int i) {
            PageCanvasPool::Lease lease(canvases);
            return writeImage(i, *files.at(i), dpi, ext, lease.canvas());
        },
        [&](int i, bool pageWritten) {
            if (failIfStopped(paths.at(i)))
                return false;
            if (!pageWritten)
                return fail(QCoreApplication::translate("ScoreWriter", "提示"), QCoreApplication::translate("ScoreWriter", "导出图片失败！"), paths.at(i),
                            files.at(i)->errorString());
            emit m_renderer.progressUpdate(1, i + 1, int(paths.size()), QString(), QString());
            return true;
        });
    if (!written)
        return false;
    for (int i = 0; i < paths.size(); ++i) {
        if (!files.at(i)->commit())
            return fail(QCoreApplication::translate("ScoreWriter", "提示"), QCoreApplication::translate("ScoreWriter", "导出图片失败！"), paths.at(i),
                        files.at(i)->errorString());
    }
    return true;
}

bool ScoreWriter::writeImages(const QString &dir, int dpiLevel, const QString &ext)
{
    m_failure = ExportFailure();
    if (failIfStopped(dir))
        return false;
    const QString format = ext.toLower();
    const QString title = fileTitle();
    if (!QDir(dir).exists() && !QDir().mkpath(dir))
        return fail(QString(), QCoreApplication::translate("ScoreWriter", "创建目录失败"), dir);

    const QDir parent(dir);
    const QString name = unusedFolderName(parent, title + QLatin1Char('_') + format);
    if (!parent.mkdir(name))
        return fail(QCoreApplication::translate("ScoreWriter", "提示"), QCoreApplication::translate("ScoreWriter", "创建目录失败"), parent.filePath(name));
    const QDir folder(parent.filePath(name));

    const int dpi = dpiForLevel(dpiLevel);
    const int n = m_renderer.pageCount();
    emit m_renderer.progressUpdate(0, 0, n, QCoreApplication::translate("ScoreWriter", "导出"),
                                   QCoreApplication::translate("ScoreWriter", "正在导出%1文件···").arg(format));
    QStringList paths;
    std::vector<std::unique_ptr<AtomicFile>> files;
    for (int i = 0; i < n; ++i) {
        paths.append(folder.filePath(title + QLatin1Char('_') + QString::number(i) + QLatin1Char('.') + format));
        files.push_back(std::make_unique<AtomicFile>(paths.last()));
    }
    PageCanvasPool canvases;
    const bool written = writeInParallel(
        n,
        [&](int i) {
            PageCanvasPool::Lease lease(canvases);
            return writeImage(i, *files.at(i), dpi, format, lease.canvas());
        },
        [&](int i, bool pageWritten) {
            if (failIfStopped(paths.at(i)))
                return false;
            if (!pageWritten || !files.at(i)->commit()) {
                fail(QCoreApplication::translate("ScoreWriter", "提示"), QCoreApplication::translate("ScoreWriter", "导出图片失败！"), paths.at(i),
                     files.at(i)->errorString());
                emit m_renderer.progressUpdate(2, i + 1, n, QString(), QString());
                return false;
            }
            files.at(i).reset();
            emit m_renderer.progressUpdate(1, i + 1, n, QString(), QString());
            return true;
        });
    if (!written) {
        // The folder is new: a failed export leaves none of it behind, once
        // the pages still being written are closed.
        files.clear();
        QDir(folder).removeRecursively();
        return false;
    }
    emit m_renderer.progressUpdate(2, n, n, QString(), QString());
    m_written = folder.path();
    return true;
}

bool ScoreWriter::writeSvg(const QString &dir)
{
    m_failure = ExportFailure();
    if (failIfStopped(dir))
        return false;
    const QString title = fileTitle();
    const QString folderFailed = QCoreApplication::translate("ScoreWriter", "创建目录失败!");
    if (!QDir(dir).exists() && !QDir().mkpath(dir))
        return fail(QCoreApplication::translate("ScoreWriter", "错误"), folderFailed, dir);
    const QDir parent(dir);
    const QString name = unusedFolderName(parent, title + QStringLiteral("_svg"));
    if (!parent.mkdir(name))
        return fail(QCoreApplication::translate("ScoreWriter", "错误"), folderFailed, parent.filePath(name));
    const QDir folder(parent.filePath(name));

    // Each page is made, written and let go in turn: an export of many pages
    // holds one page's SVG at a time.
    const int n = m_renderer.pageCount();
    emit m_renderer.progressUpdate(0, 0, n, QCoreApplication::translate("ScoreWriter", "导出"), QCoreApplication::translate("ScoreWriter", "正在导出SVG文件···"));
    for (int i = 0; i < n; ++i) {
        const QString path = folder.filePath(title + QLatin1Char('_') + QString::number(i) + QStringLiteral(".svg"));
        QString why;
        if (failIfStopped(path)) {
            QDir(folder).removeRecursively();
            return false;
        }
        if (!AtomicFile::write(path, m_renderer.svgPage(i), &why)) {
            emit m_renderer.progressUpdate(2, i + 1, n, QString(), QString());
            // The folder is new: a failed export leaves none of it behind.
            QDir(folder).removeRecursively();
            return fail(QCoreApplication::translate("ScoreWriter", "错误"), QCoreApplication::translate("ScoreWriter", "导出SVG文件失败!"), path, why);
        }
        emit m_renderer.progressUpdate(1, i + 1, n, QString(), QString());
    }
    emit m_renderer.progressUpdate(2, n, n, QString(), QString());

    // Whatever score font is chosen, the file holds the program's notation
    // font, under the family name the pages ask for.
    const QString fontName = m_renderer.config().scoreFont().family() + QStringLiteral(".ttf");
    QFile resource(QStringLiteral(":/resources/fonts/mevto.ttf"));
    const QByteArray font = resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
    QString why;
    if (!font.isEmpty() && !AtomicFile::write(folder.filePath(fontName), font, &why)) {
        QDir(folder).removeRecursively();
        return fail(QCoreApplication::translate("ScoreWriter", "错误"), QCoreApplication::translate("ScoreWriter", "导出字体文件失败!"), folder.filePath(fontName), why);
    }

    // A readme cut short by a full disk is no success either.
    const QString readme = QCoreApplication::translate("ScoreWriter", "Qelun工尺谱导出曲谱说明：SVG文件需要安装“%1”才能正常显示。")
                               .arg(fontName)
                           + QLatin1Char('\n');
    const QString readmePath = folder.filePath(QStringLiteral("说明文件.txt"));
    if (!AtomicFile::write(readmePath, readme.toUtf8(), &why)) {
        QDir(folder).removeRecursively();
        return fail(QCoreApplication::translate("ScoreWriter", "错误"), QCoreApplication::translate("ScoreWriter", "导出说明文件失败!"), readmePath, why);
    }
    m_written = folder.path();
    return true;
}
