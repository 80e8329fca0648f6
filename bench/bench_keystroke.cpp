// Times a keystroke in either editor of a whole play's document, from the key
// event to the end of the repaint it causes: the command, the cursor
// pairing, the highlighter and both gutters. The document holds 10,000 sung
// characters in 1,000 lines and its 10,000 score lines, in a window of
// ordinary size. Each is measured with no live score view, with the view
// beside the editors but hidden, and with it shown (then the view's layout
// and repaint are part of the keystroke).
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_keystroke

#include "exportconfig.h"
#include "livescoreview.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextStream>
#include <QUndoStack>

#include <algorithm>

namespace {

void makeDocument(QL_Edit &edit)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣良辰美景奈何天");
    const QString note = QString::fromUcs4(U"\U000F002C\U000F0000\U000F002B");
    QRandomGenerator random(3);
    QStringList lyrics;
    QStringList score;
    for (int line = 0; score.size() < 10000; ++line) {
        if (line % 50 == 0)
            lyrics.append(QStringLiteral("【皂罗袍】(仙吕)"));
        QString text;
        for (int i = 0; i < 10; ++i) {
            text += ideographs.at(random.bounded(ideographs.size()));
            score.append(note);
        }
        lyrics.append(text + QStringLiteral("，"));
    }
    {
        const ScoreDocument::SyncGuard guard(edit.document());
        edit.lyricEdit()->setPlainText(lyrics.join(QLatin1Char('\n')));
        edit.scoreEdit()->setPlainText(score.join(QLatin1Char('\n')));
    }
}

void press(QWidget *widget, int key, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// Milliseconds from the key event to the end of the repaint it causes, the
// live view's included when it is shown.
double timed(QWidget *widget, int key, const QString &text, LiveScoreView *view)
{
    QElapsedTimer timer;
    timer.start();
    press(widget, key, text);
    QApplication::processEvents();
    if (view && view->isVisible()) {
        view->flush();
        view->canvas()->repaint();
    }
    return timer.nsecsElapsed() / 1e6;
}

void report(QTextStream &out, const char *view, const char *editor, const char *where, QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const double median = samples.at(samples.size() / 2);
    const double p95 = samples.at(qMin<qsizetype>(samples.size() - 1, samples.size() * 95 / 100));
    out << "keystroke_ms view=" << view << " editor=" << editor << " where=" << where << " median=" << QString::number(median, 'f', 2)
        << " p95=" << QString::number(p95, 'f', 2) << " keystrokes=" << samples.size() << "\n";
}

void placeCursor(QPlainTextEdit *editor, int position)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(position);
    editor->setTextCursor(cursor);
    QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    // The offscreen platform complains at every popup it cannot raise.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            QTextStream(stderr) << message << '\n';
        Q_UNUSED(type)
    });
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir settings;
    ExportConfig config(settings.filePath(QStringLiteral("settings.ini")), ExportConfig::WriteBack::Never);
    for (const char *mode : {"none", "hidden", "shown"}) {
        QWidget window;
        auto *row = new QHBoxLayout(&window);
        auto *editWidget = new QL_Edit;
        QL_Edit &edit = *editWidget;
        row->addWidget(editWidget, 1);
        LiveScoreView *view = nullptr;
        if (qstrcmp(mode, "none") != 0) {
            view = new LiveScoreView(config);
            row->addWidget(view, 1);
        }
        window.resize(qstrcmp(mode, "none") != 0 ? 1600 : 1000, 700);
        window.show();
        makeDocument(edit);
        if (view) {
            view->setDocument(editWidget);
            view->setVisible(qstrcmp(mode, "shown") == 0);
            view->flush();
        }
        QApplication::processEvents();
        out << "document view=" << mode << " lyric_lines=" << edit.lyricEdit()->blockCount()
            << " sung_chars=" << edit.lyricEdit()->lyricCharCount() << " score_lines=" << edit.scoreEdit()->blockCount()
            << " pages=" << (view ? view->pageCount() : 0) << "\n";

        const QTextDocument *lyrics = edit.lyricEdit()->document();
        const QTextDocument *score = edit.scoreEdit()->document();
        for (const auto &[where, fraction] : {std::pair{"start", 0.02}, std::pair{"middle", 0.5},
                                              std::pair{"end", 0.98}}) {
            QList<double> lyricSamples;
            QList<double> scoreSamples;
            for (int round = 0; round < 60; ++round) {
                // An ideograph typed into the lyrics adds a score line as well.
                const QTextBlock lyricLine = lyrics->findBlockByNumber(int(lyrics->blockCount() * fraction));
                edit.lyricEdit()->setFocus();
                placeCursor(edit.lyricEdit(), lyricLine.position() + 3);
                if (view)
                    view->flush();
                lyricSamples.append(timed(edit.lyricEdit(), Qt::Key_unknown, QStringLiteral("春"), view));

                // A note picked from the popup: the letter opens it, Space commits.
                const QTextBlock scoreLine = score->findBlockByNumber(int(score->blockCount() * fraction));
                edit.scoreEdit()->setFocus();
                placeCursor(edit.scoreEdit(), scoreLine.position());
                if (view)
                    view->flush();
                scoreSamples.append(timed(edit.scoreEdit(), Qt::Key_G, QStringLiteral("g"), view));
                scoreSamples.append(timed(edit.scoreEdit(), Qt::Key_Space, QStringLiteral(" "), view));
            }
            report(out, mode, "lyric", where, lyricSamples);
            report(out, mode, "score", where, scoreSamples);
            out.flush();
        }
        out << "undo_stack view=" << mode << " steps=" << edit.undoStack()->count() << "\n";
    }
    return 0;
}
