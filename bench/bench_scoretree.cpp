// Times the notation dictionary: building the trie from the shipped
// "wordsdict.csv", and search and segment per call for codes of one to six
// letters.

#include "filelocations.h"
#include "scoretree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {

// Mean time of one call in microseconds.
double microsecondsPerCall(int calls, const std::function<void()> &call)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        call();
    return double(timer.nsecsElapsed()) / calls / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const FileLocations locations(dir.path(), dir.filePath("config"), dir.filePath("data"));

    // The first tree writes the copy beside the "executable"; later ones
    // read it, as every start after the first does.
    ScoreTree first(QStringLiteral("wordsdict.csv"), locations);
    const double load = microsecondsPerCall(200, [&] {
        ScoreTree tree(QStringLiteral("wordsdict.csv"), locations);
        Q_UNUSED(tree);
    });
    out << "load wordsdict.csv (154 entries): " << load << " us\n";

    // Codes of one to six letters; the longest code of the shipped file has
    // five, so the six-letter one is looked up past its end.
    const QStringList codes = {"s", "su", "suq", "suqx", "yuuqx", "yuuqxh"};
    const QStringList typed = {"h", "hs", "hsy", "hsyc", "hsycg", "hsycgf"};
    const int calls = 20000;
    qsizetype sink = 0;
    out << "code      search exact   search+descendants   | typed    segment\n";
    for (int i = 0; i < codes.size(); ++i) {
        const QString code = codes.at(i);
        const double exact = microsecondsPerCall(calls, [&] { sink += first.search(code, false).size(); });
        const double prefix = microsecondsPerCall(calls, [&] { sink += first.search(code, true).size(); });
        const QString letters = typed.at(i);
        const double split = microsecondsPerCall(calls, [&] { sink += first.segment(letters).size(); });
        out << qSetFieldWidth(8) << Qt::left << code << qSetFieldWidth(0) << "  "
            << qSetFieldWidth(10) << Qt::right << exact << qSetFieldWidth(0) << " us  "
            << qSetFieldWidth(12) << prefix << qSetFieldWidth(0) << " us"
            << "          | " << qSetFieldWidth(8) << Qt::left << letters << qSetFieldWidth(0)
            << qSetFieldWidth(8) << Qt::right << split << qSetFieldWidth(0) << " us\n";
    }
    out << "(" << sink << " results)\n";
    return 0;
}
