// Times the export of a generated score to 300-dpi PNG pages: the program's
// own export of the folder (parallel_s, wall-clock, as the user waits) against
// the same pages written one after another on this thread (serial_s), and the
// PDF of the same pages (pdf_s). cpu_s is the process CPU time of the
// program's own export. Then the same pages as JPG, exported the same way.
// Run by hand: bench_imageexport [pages] [repeats] [--exports-only]
// [--keep FOLDER].
//
//   png_export dpi=300 pages=N serial_s=… parallel_s=… pages_per_s=… cpu_s=… pdf_s=… raster_s=… cores_busy=… pool_busy=… bytes_per_page=…
//   jpg_export dpi=300 pages=N parallel_s=… pages_per_s=… cpu_s=… cores_busy=… bytes_per_page=…
//
// cpu_s / pages is the CPU a page costs. --exports-only stops after these
// lines. --keep FOLDER writes the pages of every kind of paper the writer
// tells apart (white, coloured, transparent; coloured or black marks) as PNG
// and JPG into FOLDER and stops: the files of two builds must compare equal
// byte for byte.
//
// raster_s is the wall-clock time of only painting the same pages on the
// same thread pool; the export meets its target when parallel_s is at most
// pdf_s + raster_s. cores_busy is cpu_s / parallel_s; pool_busy the share of
// the thread pool's threads at work during the export.
//
// Then where a page's time goes: painting it, and encoding it in each
// pixel format and zlib level the writer could choose (CPU milliseconds per
// page, bytes of the file):
//
//   png_page dpi=300 paint_ms=…
//   png_encode dpi=300 encoder=qt pixels=argb|compact level=… ms=… bytes=…
//   png_encode dpi=300 encoder=libpng pixels=compact filter=… level=… strategy=… ms=… bytes=…

#include "exportconfig.h"
#include "generatedscore.h"
#include "ql_generatesvg.h"
#include "scorewriter.h"

#include "compactpixels.h"
#include "pngencoder.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QThreadPool>
#include <QImageWriter>
#include <QMetaEnum>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <ctime>

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool exportsOnly = arguments.removeAll(QStringLiteral("--exports-only")) > 0;
    QString keep;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--keep")); at >= 0 && at + 1 < arguments.size()) {
        keep = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    const int wanted = arguments.size() > 0 ? qMax(1, arguments.at(0).toInt()) : 20;
    const int repeats = arguments.size() > 1 ? qMax(1, arguments.at(1).toInt()) : 3;

    QTemporaryDir dir;
    ExportConfig config(QDir(dir.path()).filePath(QStringLiteral("settings.ini")));
    QL_GenerateSVG renderer(config);
    renderer.reset();
    renderer.generate(generatedScore(wanted), false);
    const int pages = renderer.pageCount();
    ScoreWriter writer(renderer);
    const int level = 2;
    const int dpi = ScoreWriter::dpiForLevel(level);

    if (!keep.isEmpty()) {
        struct Paper
        {
            const char *name;
            QColor background;
            bool transparent;
            bool blackMarks;
        };
        const Paper papers[] = {{"white", Qt::white, false, false},
                                {"white-black", Qt::white, false, true},
                                {"coloured", QColor(0xf5, 0xe6, 0xc8), false, false},
                                {"clear", Qt::white, true, false},
                                {"clear-black", Qt::white, true, true}};
        const QColor ban = config.banColor();
        const QColor zhongYan = config.zhongYanColor();
        for (const Paper &paper : papers) {
            config.setBackgroundColor(paper.background);
            config.setIsBgTransparent(paper.transparent);
            config.setBanColor(paper.blackMarks ? QColor(Qt::black) : ban);
            config.setZhongYanColor(paper.blackMarks ? QColor(Qt::black) : zhongYan);
            renderer.reset();
            renderer.generate(generatedScore(wanted), false);
            const QString folder = QDir(keep).filePath(QString::fromLatin1(paper.name));
            for (const char *format : {"png", "jpg"}) {
                if (!writer.writeImages(folder, level, QString::fromLatin1(format)))
                    return 1;
            }
        }
        return 0;
    }

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    for (int repeat = 0; repeat < repeats; ++repeat) {
        QElapsedTimer clock;
        const QDir serialFolder(dir.filePath(QStringLiteral("serial%1").arg(repeat)));
        QDir().mkpath(serialFolder.path());
        clock.start();
        for (int i = 0; i < pages; ++i)
            writer.writeImageFile(i, serialFolder.filePath(QStringLiteral("%1.png").arg(i)), dpi,
                                  QStringLiteral("png"));
        const double serial = clock.nsecsElapsed() / 1e9;

        // How full the thread pool is kept while the export runs, sampled
        // every millisecond: 1 when every one of its threads always has a
        // page to paint, compact or encode. CPU time short of it is the
        // machine's other load, not the export waiting on itself.
        std::atomic<bool> sampling{true};
        double occupied = 0;
        int samples = 0;
        std::thread sampler([&] {
            QThreadPool *pool = QThreadPool::globalInstance();
            while (sampling) {
                occupied += double(pool->activeThreadCount()) / pool->maxThreadCount();
                ++samples;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        const double cpuStart = cpuSeconds();
        clock.restart();
        const QString folder = dir.filePath(QStringLiteral("parallel%1").arg(repeat));
        const bool written = writer.writeImages(folder, level, QStringLiteral("png"));
        const double parallel = clock.nsecsElapsed() / 1e9;
        const double cpu = cpuSeconds() - cpuStart;
        sampling = false;
        sampler.join();
        qint64 bytes = 0;
        QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            bytes += QFileInfo(files.next()).size();

        clock.restart();
        writer.writePdf(dir.filePath(QStringLiteral("pdf%1.pdf").arg(repeat)));
        const double pdf = clock.nsecsElapsed() / 1e9;

        QList<int> indices;
        for (int i = 0; i < pages; ++i)
            indices.append(i);
        clock.restart();
        QtConcurrent::blockingMap(indices, [&writer, dpi](int i) {
            writer.pageImage(i, dpi, QStringLiteral("png"));
        });
        const double raster = clock.nsecsElapsed() / 1e9;
        if (!written)
            return 1;
        out << "png_export dpi=" << dpi << " pages=" << pages << " serial_s=" << serial
            << " parallel_s=" << parallel << " pages_per_s=" << pages / parallel << " cpu_s=" << cpu
            << " pdf_s=" << pdf << " raster_s=" << raster << " cores_busy=" << cpu / parallel
            << " pool_busy=" << occupied / qMax(1, samples) << " bytes_per_page=" << bytes / qMax(1, pages)
            << Qt::endl;
        QDir(serialFolder).removeRecursively();
        QDir(dir.filePath(QStringLiteral("parallel%1").arg(repeat))).removeRecursively();
    }
    for (int repeat = 0; repeat < repeats; ++repeat) {
        const QString folder = dir.filePath(QStringLiteral("jpg%1").arg(repeat));
        QElapsedTimer clock;
        const double cpuStart = cpuSeconds();
        clock.start();
        const bool written = writer.writeImages(folder, level, QStringLiteral("jpg"));
        const double parallel = clock.nsecsElapsed() / 1e9;
        const double cpu = cpuSeconds() - cpuStart;
        if (!written)
            return 1;
        qint64 bytes = 0;
        QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext())
            bytes += QFileInfo(files.next()).size();
        out << "jpg_export dpi=" << dpi << " pages=" << pages << " parallel_s=" << parallel
            << " pages_per_s=" << pages / parallel << " cpu_s=" << cpu << " cores_busy=" << cpu / parallel
            << " bytes_per_page=" << bytes / qMax(1, pages) << Qt::endl;
        QDir(folder).removeRecursively();
    }
    if (exportsOnly)
        return 0;

    // The first pages, painted and encoded one at a time on this thread.
    const int sample = qMin(pages, 4);
    QList<QImage> painted;
    double start = cpuSeconds();
    for (int i = 0; i < sample; ++i)
        painted.append(writer.pageImage(i, dpi, QStringLiteral("png")));
    out << "png_page dpi=" << dpi << " paint_ms=" << (cpuSeconds() - start) * 1000 / sample << Qt::endl;
    // The writer hands over a page nothing else shares: so does this.
    QList<QImage> compacted;
    for (const QImage &page : painted)
        compacted.append(page.copy());
    start = cpuSeconds();
    for (QImage &page : compacted)
        page = CompactPixels::compact(std::move(page));
    const double compactSeconds = cpuSeconds() - start;
    QStringList formats;
    for (const QImage &page : compacted)
        formats.append(QString::fromLatin1(QMetaEnum::fromType<QImage::Format>().valueToKey(page.format())));
    out << "png_compact dpi=" << dpi << " ms=" << compactSeconds * 1000 / sample
        << " formats=" << formats.join(QLatin1Char(',')) << Qt::endl;
    for (const bool palette : {false, true}) {
        for (const int level : {-1, 1, 2, 3, 6}) {
            qint64 bytes = 0;
            start = cpuSeconds();
            for (int i = 0; i < sample; ++i) {
                const QImage &image = palette ? compacted.at(i) : painted.at(i);
                QBuffer buffer;
                buffer.open(QIODevice::WriteOnly);
                QImageWriter encoder(&buffer, "png");
                // Qt maps 0..100 onto zlib's levels 0..9.
                if (level >= 0)
                    encoder.setCompression(level * 91 / 9 + 1);
                encoder.write(image);
                bytes += buffer.size();
            }
            out << "png_encode dpi=" << dpi << " encoder=qt pixels=" << (palette ? "compact" : "argb")
                << " level=" << (level < 0 ? QStringLiteral("default") : QString::number(level))
                << " ms=" << (cpuSeconds() - start) * 1000 / sample << " bytes=" << bytes / sample << Qt::endl;
        }
    }

    // libpng with each row filter, zlib level and strategy, on the pages as
    // they are (white paper) and on paper of a colour: a run of a colour
    // other than grey is no run of one byte until a filter makes it one.
    using Filter = PngEncoder::RowFilter;
    using Strategy = PngEncoder::Strategy;
    const QList<QPair<Filter, const char *>> filters = {
        {Filter::None, "none"}, {Filter::Sub, "sub"}, {Filter::Up, "up"}, {Filter::Paeth, "paeth"},
        {Filter::Adaptive, "adaptive"}};
    const QList<QPair<Strategy, const char *>> strategies = {{Strategy::Default, "default"},
                                                             {Strategy::Rle, "rle"}};
    const auto sweep = [&](const QList<QImage> &images, const char *paper) {
        for (const auto &filter : filters) {
            for (const int level : {0, 1, 3, 6}) {
                for (const auto &strategy : strategies) {
                    if (strategy.first == Strategy::Rle && level != 1)
                        continue; // RLE has no levels to speak of
                    if (level == 0 && filter.first != Filter::None)
                        continue; // stored: what libpng costs without zlib's work
                    PngEncoder encoder;
                    encoder.setRowFilter(filter.first);
                    encoder.setLevel(level);
                    encoder.setStrategy(strategy.first);
                    qint64 bytes = 0;
                    const double begin = cpuSeconds();
                    for (const QImage &image : images) {
                        QBuffer buffer;
                        buffer.open(QIODevice::WriteOnly);
                        if (!encoder.write(image, &buffer))
                            return false;
                        bytes += buffer.size();
                    }
                    out << "png_encode dpi=" << dpi << " encoder=libpng paper=" << paper
                        << " pixels=compact filter=" << filter.second << " level=" << level
                        << " strategy=" << strategy.second
                        << " ms=" << (cpuSeconds() - begin) * 1000 / images.size()
                        << " bytes=" << bytes / images.size() << Qt::endl;
                }
            }
        }
        return true;
    };
    if (!sweep(compacted, "white"))
        return 1;
    config.setBackgroundColor(QColor(QStringLiteral("#f5e6c8")));
    renderer.reset();
    renderer.generate(generatedScore(wanted), false);
    QList<QImage> coloured;
    for (int i = 0; i < sample; ++i)
        coloured.append(CompactPixels::compact(writer.pageImage(i, dpi, QStringLiteral("png"))));
    if (!sweep(coloured, "coloured"))
        return 1;
    return 0;
}
