// Times pasting a whole play, 10,000 sung characters in 1,000 lines with
// their notation, copied from one document into an empty one: from the
// paste to the end of the repaint it causes. The floor is inserting the same
// two texts straight into the two editors, with no command, no pairing and
// no clipboard. Copying the play is timed too. CPU time of the process, so
// that other work on the machine counts less.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_paste

#include "copylyriccommand.h"
#include "pastelyriccommand.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTextStream>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <time.h>

namespace {

const int sungChars = 10000;

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void makePlay(QL_Edit &edit)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣良辰美景奈何天");
    QRandomGenerator random(5);
    QStringList lyrics;
    QStringList score;
    for (int line = 0; score.size() < sungChars; ++line) {
        if (line % 50 == 0)
            lyrics.append(QStringLiteral("【皂罗袍】(仙吕)"));
        QString text;
        for (int i = 0; i < 10; ++i) {
            text += ideographs.at(random.bounded(ideographs.size()));
            QString notes;
            for (int k = random.bounded(1, 4); k > 0; --k)
                notes += QString::fromUcs4(U"\U000F002C\U000F002B\U000F0030\U000F0033" + random.bounded(4), 1);
            score.append(notes + QString::fromUcs4(U"\U000F0000", 1));
        }
        lyrics.append(text + QStringLiteral("，"));
    }
    {
        const ScoreDocument::SyncGuard guard(edit.document());
        edit.lyricEdit()->setPlainText(lyrics.join(QLatin1Char('\n')));
        edit.scoreEdit()->setPlainText(score.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
}

struct Stats
{
    double median;
    double p95;
};

Stats stats(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples.at(samples.size() / 2),
            samples.at(qMin<qsizetype>(samples.size() - 1, samples.size() * 95 / 100))};
}

// Runs `work` on a fresh, shown, empty document `runs` times and returns the
// CPU milliseconds of each run, the repaint included.
QList<double> timeOnFreshDocument(int runs, const std::function<void(QL_Edit &)> &work)
{
    QList<double> samples;
    for (int run = 0; run < runs; ++run) {
        QL_Edit target;
        target.resize(900, 700);
        target.show();
        QApplication::processEvents();
        const double start = cpuMs();
        work(target);
        QApplication::processEvents();
        samples.append(cpuMs() - start);
    }
    return samples;
}

QString ms(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int runs = 9;

    QL_Edit source;
    makePlay(source);
    QTextCursor all = source.lyricEdit()->textCursor();
    all.select(QTextCursor::Document);
    source.lyricEdit()->setTextCursor(all);
    const QString lyricText = source.lyricEdit()->toPlainText();
    const QString scoreText = source.scoreEdit()->toPlainText();

    QList<double> copies;
    for (int run = 0; run < runs; ++run) {
        const double start = cpuMs();
        delete new CopyLyricCommand(&source);
        copies.append(cpuMs() - start);
    }

    int pasted = 0;
    const QList<double> pastes = timeOnFreshDocument(runs, [&](QL_Edit &target) {
        QL_Command::pushIfChanged(target.undoStack(), new PasteLyricCommand(&target));
        pasted = target.lyricEdit()->lyricCharCount();
        if (target.undoStack()->count() != 1 || target.scoreEdit()->toPlainText() != scoreText)
            qFatal("the pasted play differs from the copied one");
    });
    const QList<double> floors = timeOnFreshDocument(runs, [&](QL_Edit &target) {
        {
            const ScoreDocument::SyncGuard guard(target.document());
            QTextCursor(target.lyricEdit()->document()).insertText(lyricText);
            QTextCursor(target.scoreEdit()->document()).insertText(scoreText);
        }
    });

    const Stats copy = stats(copies);
    const Stats paste = stats(pastes);
    const Stats floor = stats(floors);
    out << "paste_ms chars=" << pasted << " median=" << ms(paste.median) << " p95=" << ms(paste.p95)
        << " floor=" << ms(floor.median) << " runs=" << runs << '\n';
    out << "copy_ms chars=" << pasted << " median=" << ms(copy.median) << " p95=" << ms(copy.p95)
        << " runs=" << runs << '\n';
    return 0;
}
