// Measures how a document's memory grows over a long session: 100,000
// edits typed into a document of 10,000 sung characters (an ideograph typed,
// then taken back with Backspace, at lines all over the play), the resident
// memory sampled every 10,000 edits. The document stays the same size, so
// what grows is history: the program's undo stack keeps 200 steps, and the
// text documents' own steps are bounded with it (lyric_undo_steps counts the
// documents' internal items, several to a step). Last, the CPU time of one
// trim of the documents' histories:
//
//   undo_trim_ms commands=200 cpu=…
//
//   memory_mb edits=N rss=… lyric_undo_steps=… score_undo_steps=…
//   memory_growth_mb_per_10k_edits=…
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_memory [edits]

#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "texthistorybound.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextStream>
#include <QUndoStack>

#include <ctime>

namespace {

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

void press(QWidget *widget, int key, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            QTextStream(stderr) << message << '\n';
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int edits = argc > 1 ? qMax(10000, QString::fromLocal8Bit(argv[1]).toInt()) : 100000;

    QStringList lyrics;
    QStringList score;
    for (int line = 0; score.size() < 10000; ++line) {
        lyrics.append(QStringLiteral("原来姹紫嫣红开遍似这，"));
        for (int i = 0; i < 10; ++i)
            score.append(QString::fromUcs4(U"\U000F002C\U000F0000"));
    }
    QL_Edit edit;
    edit.resize(1000, 700);
    edit.show();
    {
        const ScoreDocument::SyncGuard guard(edit.document());
        edit.lyricEdit()->setPlainText(lyrics.join(QLatin1Char('\n')));
        edit.scoreEdit()->setPlainText(score.join(QLatin1Char('\n')));
    }
    QApplication::processEvents();
    edit.lyricEdit()->setFocus();

    QTextStream out(stdout);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    out.setRealNumberPrecision(1);
    const auto sample = [&](int done) {
        out << "memory_mb edits=" << done << " rss=" << residentMegabytes()
            << " lyric_undo_steps=" << edit.lyricEdit()->document()->availableUndoSteps()
            << " score_undo_steps=" << edit.scoreEdit()->document()->availableUndoSteps() << Qt::endl;
    };
    sample(0);
    const double startRss = residentMegabytes();
    QRandomGenerator random(18);
    const QTextDocument *document = edit.lyricEdit()->document();
    for (int done = 0; done < edits; done += 2) {
        QTextCursor cursor = edit.lyricEdit()->textCursor();
        cursor.setPosition(document->findBlockByNumber(random.bounded(document->blockCount())).position() + 3);
        edit.lyricEdit()->setTextCursor(cursor);
        press(edit.lyricEdit(), Qt::Key_unknown, QStringLiteral("春"));
        press(edit.lyricEdit(), Qt::Key_Backspace, QString());
        if (done % 200 == 0)
            QApplication::processEvents();
        if ((done + 2) % 10000 == 0)
            sample(done + 2);
    }
    out << "memory_growth_mb_per_10k_edits=" << (residentMegabytes() - startRss) / (edits / 10000.0) << Qt::endl;

    // What bounding the documents' own history costs when typing pauses:
    // every command of the full stack undone and redone once.
    if (auto *bound = edit.findChild<TextHistoryBound *>()) {
        timespec start{};
        timespec end{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
        bound->trim();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
        out << "undo_trim_ms commands=" << edit.undoStack()->count() << " cpu="
            << (end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6 << Qt::endl;
    }
    return 0;
}
