// Runs many episodes of random editing through the document editor, as the
// test tst_editinvariant runs a few: keys and input-method commits of every
// kind of character, the insert actions, clipboard pastes, score lines split
// and joined, undo and redo, a save and reopen in the middle, with the
// pairing checked after every step and a full undo and redo at the end.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_editinvariant [EPISODES [STEPS [FIRST_SEED]]]
//
// Prints one line, "edit_invariant episodes=N steps=M failures=F cpu_s=…
// cpu_ms_per_episode=…", and every failure with its seed on standard error;
// the exit status is 1 when any episode failed.

#include "randomediting.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <ctime>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int episodes = arguments.size() > 1 ? arguments.at(1).toInt() : 300;
    const int steps = arguments.size() > 2 ? arguments.at(2).toInt() : 90;
    const quint32 firstSeed = arguments.size() > 3 ? arguments.at(3).toUInt() : 1000;

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "bench_editinvariant: no temporary folder\n");
        return 2;
    }

    QTextStream err(stderr);
    int failures = 0;
    const std::clock_t start = std::clock();
    for (int i = 0; i < episodes; ++i) {
        RandomEditingEpisode episode(firstSeed + quint32(i), steps, folder.path());
        const QString failure = episode.run();
        if (!failure.isEmpty()) {
            ++failures;
            err << failure << Qt::endl;
        }
    }
    const double cpu = double(std::clock() - start) / CLOCKS_PER_SEC;
    std::printf("edit_invariant episodes=%d steps=%d failures=%d cpu_s=%.1f cpu_ms_per_episode=%.1f\n", episodes,
                steps, failures, cpu, episodes > 0 ? 1000 * cpu / episodes : 0.0);
    return failures == 0 ? 0 : 1;
}
