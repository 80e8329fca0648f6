// Times a keystroke in the middle of the lyrics of scores of 2, 20 and 100
// pages with the live score view beside the editors, from the key event to
// the end of the view's repaint: the editors' work, the export entries of the
// changed lines, the layout from the page of the change up to the cursor's
// page, and the page painted. The reference (floor) is the same keystroke
// with the view hidden, measured in the same run; settle is the layout of the
// pages after the cursor's that the view does in slices between frames.
// Three kinds of keystroke: an ideograph added in the middle of a line
// ("inside", the line keeps its columns), one added to a full line
// ("overflow", every later column moves) and Return in the middle of a line
// ("return", a line more). The view's frame is brought forward and the
// repaint it asks for delivered, as at the frame: the part of the canvas the
// edit changed, not the whole (the layout of later pages, which the view
// does in slices between frames, is not). Times are CPU time
// of the process, as the machine is shared; the view's wait for the next
// frame is not part of them.
//
//   liveview_keystroke_ms pages=N kind=… median=… p95=… floor=… …
//
// Then the editors' keystroke (an ideograph typed into a line in the middle
// of documents of 1,000, 10,000 and 50,000 sung characters) with the view
// shown and hidden, to the end of every repaint it causes; floor is the
// same keystroke in a bare QPlainTextEdit of the same size, font and text.
//
//   keystroke_ms editor=lyric chars=N view=shown|hidden median=… p95=… floor=…
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_liveview
//
// For a profiler, the editors' keystroke with the view shown alone, many
// times over, in a score of 1,000 sung characters (or as many as asked);
// each keystroke runs inside timedViewKeystroke(), so that callgrind can
// count it alone (--toggle-collect='*timedViewKeystroke*'):
//
//   build/bench/bench_liveview profile [rounds] [chars]

#include "exportconfig.h"
#include "livescoreview.h"
#include "bareeditor.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"

#include "generatedscore.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextStream>
#include <QUndoStack>

#include <algorithm>
#include <ctime>

namespace {

double cpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void press(QWidget *widget, const QString &text, int key = Qt::Key_unknown)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

QPair<double, double> medianAndP95(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples.at(samples.size() / 2), samples.at(qMin<qsizetype>(samples.size() - 1, samples.size() * 95 / 100))};
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

// The cursor a few characters into the line in the middle of the lyrics.
void placeInMiddle(QPlainTextEdit *editor)
{
    QTextDocument *document = editor->document();
    QTextCursor cursor(document);
    cursor.setPosition(document->findBlockByNumber(document->blockCount() / 2).position() + 3);
    editor->setTextCursor(cursor);
}

// The same keystroke in a bare editor of the same size, font and text (Qt
// repaints the whole view on each key once any highlighter is attached).
double bareKeystroke(const QString &text, const QFont &font, const QSize &size, int rounds)
{
    QPlainTextEdit bare;
    showBareEditor(bare, text, font, size);
    QList<double> samples;
    for (int round = 0; round < rounds; ++round) {
        placeInMiddle(&bare);
        QApplication::processEvents();
        const double start = cpuMs();
        press(&bare, QStringLiteral("春"));
        QApplication::processEvents();
        samples.append(cpuMs() - start);
    }
    if (bare.document()->characterCount() != text.size() + 1 + rounds)
        qFatal("The bare editor did not take the keystrokes");
    return medianAndP95(samples).first;
}

// The editors and the view side by side, showing a score of about chars
// sung characters.
struct EditorsAndView
{
    QWidget window;
    QL_Edit *edit = new QL_Edit;
    LiveScoreView *view;
    QPair<QString, QString> texts;

    EditorsAndView(const ExportConfig &config, int chars)
        : view(new LiveScoreView(config))
    {
        auto *row = new QHBoxLayout(&window);
        row->addWidget(edit, 1);
        row->addWidget(view, 1);
        window.resize(1400, 900);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("The window is never shown");
        // About 56 sung characters a page.
        texts = generatedScoreTexts(qMax(1, chars / 56));
        edit->document()->setTexts({texts.first, texts.second});
        view->setDocument(edit);
        view->finishLayout();
        QApplication::processEvents();
    }
};

// An ideograph typed into the lyrics, to the end of the view's repaint.
Q_NEVER_INLINE double timedViewKeystroke(QL_Edit *edit, LiveScoreView *view)
{
    const double start = cpuMs();
    press(edit->lyricEdit(), QStringLiteral("春"));
    QApplication::processEvents();
    view->flush();
    QCoreApplication::sendPostedEvents();
    return cpuMs() - start;
}

int profile(const ExportConfig &config, int rounds, int chars)
{
    EditorsAndView shown(config, chars);
    QList<double> samples;
    for (int round = 0; round < rounds; ++round) {
        shown.edit->lyricEdit()->setFocus();
        placeInMiddle(shown.edit->lyricEdit());
        shown.view->finishLayout();
        QApplication::processEvents();
        samples.append(timedViewKeystroke(shown.edit, shown.view));
        shown.edit->undo();
        shown.view->finishLayout();
        QApplication::processEvents();
    }
    const auto [median, p95] = medianAndP95(samples);
    QTextStream(stdout) << "keystroke_ms editor=lyric chars=" << shown.edit->document()->lyricIndex().lyricCharCount()
                        << " view=shown median=" << number(median) << " p95=" << number(p95) << Qt::endl;
    return 0;
}

void editorKeystrokes(QTextStream &out, const ExportConfig &config, int chars, int rounds)
{
    EditorsAndView both(config, chars);
    QL_Edit *edit = both.edit;
    LiveScoreView *view = both.view;
    const QPair<QString, QString> &texts = both.texts;

    QList<double> shown;
    QList<double> hidden;
    QSize editorSize;
    for (int round = 0; round < 2 * rounds; ++round) {
        const bool withView = round % 2 == 0;
        view->setVisible(withView);
        edit->lyricEdit()->setFocus();
        placeInMiddle(edit->lyricEdit());
        view->finishLayout();
        QApplication::processEvents();
        if (!withView)
            editorSize = edit->lyricEdit()->size();

        if (withView) {
            shown.append(timedViewKeystroke(edit, view));
        } else {
            const double start = cpuMs();
            press(edit->lyricEdit(), QStringLiteral("春"));
            QApplication::processEvents();
            hidden.append(cpuMs() - start);
        }

        edit->undo();
        view->finishLayout();
        QApplication::processEvents();
    }
    const double floor = bareKeystroke(texts.first, edit->lyricEdit()->font(), editorSize, rounds);
    const int sung = edit->document()->lyricIndex().lyricCharCount();
    for (const bool withView : {true, false}) {
        const auto [median, p95] = medianAndP95(withView ? shown : hidden);
        out << "keystroke_ms editor=lyric chars=" << sung << " view=" << (withView ? "shown" : "hidden")
            << " median=" << number(median) << " p95=" << number(p95) << " floor=" << number(floor) << "\n";
    }
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            QTextStream(stderr) << message << '\n';
    });
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir settings;
    ExportConfig config(settings.filePath(QStringLiteral("settings.ini")), ExportConfig::WriteBack::Never);
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("profile"))
        return profile(config, argc > 2 ? qMax(1, atoi(argv[2])) : 200, argc > 3 ? qMax(56, atoi(argv[3])) : 1000);

    // The generated score runs to about three pages in four of what it is
    // asked for with the default options.
    for (const int pages : {2, 26, 130}) {
        QWidget window;
        auto *row = new QHBoxLayout(&window);
        auto *edit = new QL_Edit;
        auto *view = new LiveScoreView(config);
        row->addWidget(edit, 1);
        row->addWidget(view, 1);
        window.resize(1400, 900);
        window.show();
        const QPair<QString, QString> texts = generatedScoreTexts(pages);
        edit->document()->setTexts({texts.first, texts.second});
        view->setDocument(edit);
        view->flush();
        QApplication::processEvents();

        QTextDocument *lyrics = edit->lyricEdit()->document();
        for (const char *kind : {"inside", "overflow", "return"}) {
            // A sung line in the middle; "overflow" types at its end.
            QTextBlock middle = lyrics->findBlockByNumber(lyrics->blockCount() / 2);
            while (middle.text().size() < 5)
                middle = middle.next();
            const bool atEnd = qstrcmp(kind, "overflow") == 0;
            const bool newLine = qstrcmp(kind, "return") == 0;
            QList<double> shown;
            QList<double> hidden;
            QList<double> settle;
            for (int round = 0; round < 60; ++round) {
                const bool withView = round % 2 == 0;
                view->setVisible(withView);
                edit->lyricEdit()->setFocus();
                QTextCursor cursor(middle);
                cursor.setPosition(middle.position() + (atEnd ? middle.text().size() - 1 : 3));
                edit->lyricEdit()->setTextCursor(cursor);
                view->finishLayout();
                QApplication::processEvents();

                const double start = cpuMs();
                if (newLine)
                    press(edit->lyricEdit(), QStringLiteral("\r"), Qt::Key_Return);
                else
                    press(edit->lyricEdit(), QStringLiteral("春"));
                QApplication::processEvents();
                if (withView) {
                    view->flush();
                    QCoreApplication::sendPostedEvents();
                }
                (withView ? shown : hidden).append(cpuMs() - start);
                if (withView) {
                    const double rest = cpuMs();
                    view->finishLayout();
                    settle.append(cpuMs() - rest);
                }

                edit->undo();
                view->finishLayout();
                QApplication::processEvents();
            }
            const auto [median, p95] = medianAndP95(shown);
            const auto [floorMedian, floorP95] = medianAndP95(hidden);
            const auto [settleMedian, settleP95] = medianAndP95(settle);
            out << "liveview_keystroke_ms pages=" << view->pageCount() << " kind=" << kind
                << " median=" << QString::number(median, 'f', 2) << " p95=" << QString::number(p95, 'f', 2)
                << " floor=" << QString::number(floorMedian, 'f', 2)
                << " floor_p95=" << QString::number(floorP95, 'f', 2)
                << " settle_median=" << QString::number(settleMedian, 'f', 2)
                << " settle_p95=" << QString::number(settleP95, 'f', 2) << " keystrokes=" << shown.size() << "\n";
            out.flush();
        }
    }
    for (const int chars : {1000, 10000, 50000})
        editorKeystrokes(out, config, chars, 30);
    return 0;
}
