// Times the renderer and the writers on a generated score: the layout alone
// (the page model) against the whole rendering into SVG pages, a layout
// started again at page 60 of it, the preview refresh (which stops after the
// first page and so must not grow with the document), and each writer. Run
// by hand: bench_render [pages asked of the generator] [layout] (124 asks for
// about 100 pages), the word
// "layout" to stop after the layout and relayout. Works in a temporary folder
// and on a configuration of its own, all options at their defaults (the page
// options once on, beside the plain rendering).
// Times are CPU time of the process, the median of several runs with the
// fastest and slowest beside it; each line reads "name key=value ...".

#include "exportconfig.h"
#include "exportentry.h"
#include "generatedscore.h"
#include "linegrammar.h"
#include "pagedigest.h"
#include "ql_generatesvg.h"
#include "scorelayout.h"
#include "scorewriter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>

namespace {

QTextStream out(stdout);

double cpuMillis()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Spread
{
    double median = 0;
    double min = 0;
    double max = 0;
};

// The CPU milliseconds of work, over runs runs.
Spread measure(const std::function<void()> &work, int runs)
{
    QList<double> samples;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuMillis();
        work();
        samples.append(cpuMillis() - start);
    }
    std::sort(samples.begin(), samples.end());
    return {samples.at(samples.size() / 2), samples.first(), samples.last()};
}

QString fixed(double value)
{
    return QString::number(value, 'f', 2);
}

void print(const QString &name, const QString &keys, const Spread &s)
{
    out << name << ' ' << keys << (keys.isEmpty() ? "" : " ") << "median=" << fixed(s.median)
        << " min=" << fixed(s.min) << " max=" << fixed(s.max) << '\n';
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int wanted = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    const int runs = 7;
    const bool layoutAlone = argc > 2 && QString::fromLocal8Bit(argv[2]) == u"layout";

    QTemporaryDir dir;
    ExportConfig config(QDir(dir.path()).filePath(QStringLiteral("settings.ini")));
    QL_GenerateSVG renderer(config);
    const QList<ExportEntry> entries = generatedScore(wanted);

    const Spread generate = measure([&] {
        renderer.reset();
        renderer.generate(entries, false);
    }, runs);
    const int pages = renderer.pageCount();
    const QString score = QStringLiteral("entries=%1 pages=%2").arg(entries.size()).arg(pages);
    print(QStringLiteral("generate_ms"), score + QStringLiteral(" pages_per_s=%1").arg(fixed(pages / (generate.median / 1000))), generate);

    // With page numbers, rules and frame: the decoration of every page,
    // against the plain rendering above.
    const auto decorate = [&config](bool on) {
        config.setIsPageNumber(on);
        config.setIsColumnRule(on);
        config.setIsFrame(on);
    };
    decorate(true);
    const Spread decorated = measure([&] {
        renderer.reset();
        renderer.generate(entries, false);
    }, runs);
    decorate(false);
    print(QStringLiteral("generate_ms"),
          score + QStringLiteral(" options=number,rules,frame plain_median=%1 ratio=%2")
                      .arg(fixed(generate.median), fixed(decorated.median / generate.median)),
          decorated);
    renderer.reset();
    renderer.generate(entries, false);

    // The page model alone, against generate above as its reference.
    ScoreLayout layout(config);
    const Spread layoutOnly = measure([&] { layout.layout(entries, false, QString()); }, runs);
    print(QStringLiteral("layout_ms"),
          score + QStringLiteral(" generate_median=%1 share=%2").arg(fixed(generate.median), fixed(layoutOnly.median / generate.median)),
          layoutOnly);
    // What the pages are, to hold a change made for speed to the same pages.
    out << "layout_digest " << score << " sha1=" << PageDigest::digest(layout.pages()) << '\n';

    // One sung line on page 60 changed: the layout from that page on.
    if (layout.pages().size() > 60) {
        int changed = 0;
        while (layout.pageOfEntry(changed) < 60 || entries.at(changed).type != int(LineType::Lyric))
            ++changed;
        QList<ExportEntry> edited = entries;
        edited[changed].text.truncate(2);
        edited[changed].scores.resize(2);
        QList<double> samples;
        for (int i = 0; i < runs; ++i) {
            layout.layout(entries, false, QString());
            const double start = cpuMillis();
            layout.restartAtPage(edited, layout.pageOfEntry(changed));
            while (layout.layoutNext()) {
            }
            // Only the layout from page 60 counts; the whole one is the setup.
            samples.append(cpuMillis() - start);
        }
        std::sort(samples.begin(), samples.end());
        out << "relayout_digest " << score << " from_page=60 sha1=" << PageDigest::digest(layout.pages()) << '\n';
        print(QStringLiteral("relayout_ms"),
              score + QStringLiteral(" from_page=60 layout_median=%1").arg(fixed(layoutOnly.median)),
              {samples.at(samples.size() / 2), samples.first(), samples.last()});
    }

    if (layoutAlone)
        return 0;

    QL_GenerateSVG preview(config);
    const Spread previewLong = measure([&] {
        preview.reset();
        preview.generate(entries, true);
    }, runs * 3);
    const QList<ExportEntry> firstPages = entries.mid(0, entries.size() / wanted * 2);
    const Spread previewShort = measure([&] {
        preview.reset();
        preview.generate(firstPages, true);
    }, runs * 3);
    print(QStringLiteral("preview_ms"), score, previewLong);
    print(QStringLiteral("preview_ms"), QStringLiteral("entries=%1 pages=2").arg(firstPages.size()), previewShort);

    ScoreWriter writer(renderer);
    const QString pdfPath = QDir(dir.path()).filePath(QStringLiteral("score.pdf"));
    const Spread pdf = measure([&] { writer.writePdf(pdfPath); }, runs);
    print(QStringLiteral("writepdf_ms"),
          score + QStringLiteral(" pages_per_s=%1 kib=%2 with_generate=%3")
                      .arg(fixed(pages / (pdf.median / 1000)))
                      .arg(QFileInfo(pdfPath).size() / 1024)
                      .arg(fixed(generate.median + pdf.median)),
          pdf);

    // The whole of a PDF export after the score is read: rendering and
    // writing, against the layout alone in the same run.
    const Spread pdfExport = measure([&] {
        renderer.reset();
        renderer.generate(entries, false);
        writer.writePdf(pdfPath);
    }, runs);
    print(QStringLiteral("pdf_export_ms"),
          score + QStringLiteral(" layout_median=%1 per_page=%2").arg(fixed(layoutOnly.median), fixed(pdfExport.median / pages)),
          pdfExport);

    const Spread svg = measure([&] {
        writer.writeSvg(dir.path());
        QDir(QDir(dir.path()).filePath(renderer.documentTitle() + QStringLiteral("_svg"))).removeRecursively();
    }, runs);
    print(QStringLiteral("writesvg_ms"), score + QStringLiteral(" pages_per_s=%1").arg(fixed(pages / (svg.median / 1000))), svg);

    const Spread png96 = measure([&] {
        writer.writeImages(dir.path(), 0, QStringLiteral("png"));
        QDir(QDir(dir.path()).filePath(renderer.documentTitle() + QStringLiteral("_png"))).removeRecursively();
    }, 1);
    print(QStringLiteral("writeimages_ms"), score + QStringLiteral(" format=png dpi=96 pages_per_s=%1").arg(fixed(pages / (png96.median / 1000))), png96);

    // At 300 dpi every page is a 35-megabyte image: ten pages tell the rate.
    const int sample = qMin(10, pages);
    for (const QString format : {QStringLiteral("png"), QStringLiteral("jpg")}) {
        const Spread perPage = measure([&] {
            for (int i = 0; i < sample; ++i)
                writer.writeImageFile(i, QDir(dir.path()).filePath(QStringLiteral("p.") + format), 300, format);
        }, 1);
        print(QStringLiteral("imagefile_ms_per_page"), QStringLiteral("format=%1 dpi=300 pages=%2").arg(format).arg(sample),
              {perPage.median / sample, perPage.min / sample, perPage.max / sample});
    }
    return 0;
}
