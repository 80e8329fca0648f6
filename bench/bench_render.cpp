// Times the renderer and the writers on a generated score of about 100 pages:
// the full rendering (pages per second), the preview refresh (which stops
// after the first page and so must not grow with the document), and each
// writer. Run by hand: bench_render [pages]. Works in a temporary folder and
// on a configuration of its own, all options at their defaults.

#include "exportconfig.h"
#include "exportentry.h"
#include "generatedscore.h"
#include "ql_generatesvg.h"
#include "scorewriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {

QTextStream out(stdout);

double millis(const std::function<void()> &work, int repeats = 1)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        work();
    return double(timer.nsecsElapsed()) / 1e6 / repeats;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int wanted = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;

    QTemporaryDir dir;
    ExportConfig config(QDir(dir.path()).filePath(QStringLiteral("settings.ini")));
    QL_GenerateSVG renderer(config);
    const QList<ExportEntry> entries = generatedScore(wanted);

    const double full = millis([&] {
        renderer.reset();
        renderer.generate(entries, false);
    });
    const int pages = int(renderer.pages().size());
    out << "score: " << entries.size() << " entries, " << pages << " pages\n";
    out << "generate: " << full << " ms, " << pages / (full / 1000) << " pages/s\n";

    QL_GenerateSVG preview(config);
    const double previewMs = millis([&] {
        preview.reset();
        preview.generate(entries, true);
    }, 10);
    const QList<ExportEntry> firstPages = entries.mid(0, entries.size() / wanted * 2);
    const double previewShort = millis([&] {
        preview.reset();
        preview.generate(firstPages, true);
    }, 10);
    out << "preview refresh: " << previewMs << " ms on " << pages << " pages, " << previewShort
        << " ms on a two-page score\n";

    ScoreWriter writer(renderer);
    const double pdf = millis([&] { writer.writePdf(QDir(dir.path()).filePath(QStringLiteral("score.pdf"))); });
    out << "writePdf: " << pdf << " ms (" << pages / (pdf / 1000) << " pages/s), "
        << QFileInfo(QDir(dir.path()).filePath(QStringLiteral("score.pdf"))).size() / 1024 << " KiB\n";
    out << "whole PDF export (generate + writePdf): " << full + pdf << " ms\n";

    const double svg = millis([&] { writer.writeSvg(dir.path()); });
    out << "writeSvg: " << svg << " ms (" << pages / (svg / 1000) << " pages/s)\n";

    const double png96 = millis([&] { writer.writeImages(dir.path(), 0, QStringLiteral("png")); });
    out << "writeImages png 96 dpi: " << png96 << " ms (" << pages / (png96 / 1000) << " pages/s)\n";
    QDir(QDir(dir.path()).filePath(renderer.documentTitle() + QStringLiteral("_png"))).removeRecursively();

    // At 300 dpi every page is a 35-megabyte image: ten pages tell the rate.
    const int sample = qMin(10, pages);
    const double png300 = millis([&] {
        for (int i = 0; i < sample; ++i)
            writer.writeImageFile(i, QDir(dir.path()).filePath(QStringLiteral("p.png")), 300, QStringLiteral("png"));
    });
    out << "png 300 dpi: " << png300 / sample << " ms per page (" << sample << " pages)\n";
    const double jpg300 = millis([&] {
        for (int i = 0; i < sample; ++i)
            writer.writeImageFile(i, QDir(dir.path()).filePath(QStringLiteral("p.jpg")), 300, QStringLiteral("jpg"));
    });
    out << "jpg 300 dpi: " << jpg300 / sample << " ms per page (" << sample << " pages)\n";
    out.flush();
    return 0;
}
