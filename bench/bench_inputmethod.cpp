// Times one keystroke of the input-method popup: appendCode up to the popup
// resized and placed, and with the repaint that follows, for codes of one to
// six segments ("h" … "hsycgf"). Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.

#include "filelocations.h"
#include "inputmethod.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

struct Figures
{
    double median = 0;
    double mean = 0;
    double worst = 0;
};

Figures figuresOf(QList<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    Figures figures;
    figures.median = nanoseconds.at(nanoseconds.size() / 2) / 1000.0;
    double sum = 0;
    for (const qint64 ns : nanoseconds)
        sum += ns;
    figures.mean = sum / nanoseconds.size() / 1000.0;
    figures.worst = nanoseconds.last() / 1000.0;
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const FileLocations locations(dir.path(), dir.filePath("config"), dir.filePath("data"));
    InputMethod popup(6, std::make_unique<ScoreTree>(QStringLiteral("wordsdict.csv"), locations));

    const QString codes = QStringLiteral("hsycgf");
    const int rounds = 2000;
    out << "segments  appendCode (median / mean / worst)        with repaint (median / mean)\n";
    for (int segments = 1; segments <= codes.size(); ++segments) {
        QList<qint64> keystroke;
        QList<qint64> painted;
        QElapsedTimer timer;
        for (int round = 0; round < rounds; ++round) {
            popup.reset();
            for (int i = 0; i + 1 < segments; ++i)
                popup.appendCode(codes.mid(i, 1));
            app.processEvents();

            timer.start();
            popup.appendCode(codes.mid(segments - 1, 1));
            keystroke.append(timer.nsecsElapsed());
            popup.repaint();
            painted.append(timer.nsecsElapsed());
        }
        const Figures key = figuresOf(keystroke);
        const Figures paint = figuresOf(painted);
        out << qSetFieldWidth(8) << Qt::left << codes.left(segments) << qSetFieldWidth(0) << "  "
            << key.median << " / " << key.mean << " / " << key.worst << " us"
            << "            " << paint.median << " / " << paint.mean << " us   ("
            << popup.allCandidates().size() << " candidates)\n";
    }
    return 0;
}
