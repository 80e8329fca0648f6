// Times one refresh of the export dialog's live preview after an option is
// changed, as a user changes it: a size typed into its field and Return. The
// refresh re-renders the first page and repaints the preview; it must not
// grow with the document, since the preview stops after page 1. Run by hand:
// bench_export [samples]. Measures process CPU time, on a configuration of
// its own in a temporary folder.
//
//   preview_refresh_ms pages=N median=… p95=… floor=…
//
// floor is the same refresh on an empty score, the fixed cost of the dialog
// and the page itself.

#include "exportconfig.h"
#include "generatedscore.h"
#include "ql_export.h"
#include "ql_generatesvg.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <ctime>

namespace {

double cpuMillis()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Figures
{
    double median = 0;
    double p95 = 0;
    int pages = 0;
};

// Refreshes of the preview of these entries, alternating the lyric size so
// that every edit is a change.
Figures measure(ExportConfig &config, const QList<ExportEntry> &entries, int samples)
{
    QL_Export dialog(nullptr, entries, config);
    dialog.show();
    QCoreApplication::processEvents();
    auto *size = dialog.findChild<QLineEdit *>(QStringLiteral("lyricFontSizeEdit"));
    QList<double> times;
    for (int i = 0; i < samples + 3; ++i) {
        size->selectAll();
        const QString value = QString::number(i % 2 ? 30 : 31);
        const double start = cpuMillis();
        size->setText(value);
        QTest::keyClick(size, Qt::Key_Return);
        // Until the preview has been painted.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const double elapsed = cpuMillis() - start;
        if (i >= 3) // the first refreshes warm up fonts and caches
            times.append(elapsed);
    }
    std::sort(times.begin(), times.end());
    Figures figures;
    figures.median = times.at(times.size() / 2);
    figures.p95 = times.at(qMin(int(times.size()) - 1, int(times.size() * 0.95)));

    // The document's own length, as the export would make it.
    dialog.renderer()->reset();
    dialog.renderer()->generate(entries, false);
    figures.pages = dialog.renderer()->pageCount();
    return figures;
}

// A generated score that renders to the given number of pages, or just over.
QList<ExportEntry> scoreOfPages(const ExportConfig &config, int pages)
{
    QL_GenerateSVG renderer(config);
    int asked = pages;
    for (;;) {
        const QList<ExportEntry> entries = generatedScore(asked);
        renderer.reset();
        renderer.generate(entries, false);
        const int made = renderer.pageCount();
        if (made >= pages)
            return entries;
        asked += qMax(1, (pages - made) * asked / qMax(1, made));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int samples = argc > 1 ? qMax(5, QString::fromLocal8Bit(argv[1]).toInt()) : 60;

    QTemporaryDir dir;
    ExportConfig config(QDir(dir.path()).filePath(QStringLiteral("settings.ini")));
    const Figures floor = measure(config, {}, samples);
    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(2);
    for (int pages : {2, 100}) {
        const Figures figures = measure(config, scoreOfPages(config, pages), samples);
        out << "preview_refresh_ms pages=" << figures.pages << " median=" << figures.median
            << " p95=" << figures.p95 << " floor=" << floor.median << Qt::endl;
    }
    return 0;
}
