// The peak memory of an export against the number of pages: a generated
// score of about N pages rendered and written as a PDF and as SVG pages, each
// in a process of its own (the peak is the process's). model_mb is the peak
// once the page model is made, the reference the export is measured from;
// an export whose memory is flat in the pages adds about as much at 400
// pages as at 10. Run by hand: bench_exportmemory [page counts…].
//
//   peak_rss_mb pages=N format=pdf|svg model_mb=… export_mb=… added_mb=…

#include "exportconfig.h"
#include "generatedscore.h"
#include "ql_generatesvg.h"
#include "scorewriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// The resident set's peak so far, in MB.
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

// The child: one export, its figures on standard output.
int exportOnce(int wanted, const QString &format)
{
    QTemporaryDir dir;
    ExportConfig config(QDir(dir.path()).filePath(QStringLiteral("settings.ini")));
    QL_GenerateSVG renderer(config);
    renderer.reset();
    renderer.generate(generatedScore(wanted), false);
    const double model = peakMegabytes();
    ScoreWriter writer(renderer);
    const bool written = format == u"pdf" ? writer.writePdf(QDir(dir.path()).filePath(QStringLiteral("score.pdf")))
                                          : writer.writeSvg(dir.path());
    const double peak = peakMegabytes();
    QTextStream(stdout) << "peak_rss_mb pages=" << renderer.pageCount() << " format=" << format
                        << " model_mb=" << QString::number(model, 'f', 1) << " export_mb=" << QString::number(peak, 'f', 1)
                        << " added_mb=" << QString::number(peak - model, 'f', 1) << Qt::endl;
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == u"--child")
        return exportOnce(args.at(2).toInt(), args.at(3));

    // About 56 sung characters to a page: 1.24 pages asked give one.
    QList<int> counts = {10, 100, 400};
    if (args.size() > 1) {
        counts.clear();
        for (int i = 1; i < args.size(); ++i)
            counts.append(args.at(i).toInt());
    }
    for (const int pages : counts) {
        for (const QString format : {QStringLiteral("pdf"), QStringLiteral("svg")}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--child"), QString::number(qRound(pages * 1.24)), format});
            child.waitForFinished(-1);
            QTextStream(stdout) << child.readAllStandardOutput();
        }
    }
    return 0;
}
