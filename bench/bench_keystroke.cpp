// Times a keystroke in either editor of a whole play's document, from the key
// event to the end of the repaint it causes: the command, the cursor
// pairing, the highlighter and both gutters. Documents of 1,000, 10,000 and
// 50,000 sung characters (ten a line, a tune name every 50 lines; a beat mark
// on one score line in a thousand), in a window of ordinary size. Process
// CPU time, so that other work on the machine counts less.
//
//   keystroke_ms editor=lyric chars=N median=… p95=… floor=… floor2=… ratio=…
//   keystroke_ms editor=score chars=N median=… p95=… floor=…
//   space_ms chars=N median=… p95=…
//
// floor2 is the honest floor of a lyric keystroke, which edits two documents
// and repaints two editors: two bare editors side by side, of the sizes,
// fonts and texts of the program's, where the key types the character into
// one and a line is inserted into the other. ratio is median / floor2.
//
// floor is the same keystroke in a bare QPlainTextEdit of the same size,
// font and text with a highlighter that does nothing: what the toolkit
// costs. That highlighter changes no colours, so Qt repaints only the typed
// line; a highlighter that recolours the line makes a bare editor repaint
// its whole view, which the program's editors avoid.
// Space is pressed near the end of the score, where the beat mark it
// suggests is looked for before the cursor.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_keystroke [rounds]
//
// For a profiler, one kind of keystroke alone, many times over, in a play of
// 10,000 sung characters (or as many as asked), with the regions each widget
// repaints for the last one printed to standard error:
//
//   build/bench/bench_keystroke profile lyric|score|floor [rounds] [chars]

#include "inputmethod.h"
#include "bareeditor.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSyntaxHighlighter>
#include <QTextBlock>
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

struct Texts
{
    QString lyrics;
    QString score;
};

Texts makeTexts(int sungChars)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣良辰美景奈何天");
    const QString note = QString::fromUcs4(U"\U000F002C\U000F002B");
    const QString marked = QString::fromUcs4(U"\U000F002C\U000F0000\U000F002B");
    QRandomGenerator random(3);
    QStringList lyrics;
    QStringList score;
    for (int line = 0; score.size() < sungChars; ++line) {
        if (line % 50 == 0)
            lyrics.append(QStringLiteral("【皂罗袍】(仙吕)"));
        QString text;
        for (int i = 0; i < 10; ++i) {
            text += ideographs.at(random.bounded(ideographs.size()));
            score.append(score.size() % 1000 == 0 ? marked : note);
        }
        lyrics.append(text + QStringLiteral("，"));
    }
    return {lyrics.join(QLatin1Char('\n')), score.join(QLatin1Char('\n'))};
}

void press(QWidget *widget, int key, const QString &text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

// CPU milliseconds from the key event to the end of the repaint it causes.
double timed(QWidget *widget, int key, const QString &text)
{
    const double start = cpuMillis();
    press(widget, key, text);
    QApplication::processEvents();
    return cpuMillis() - start;
}

void placeCursor(QPlainTextEdit *editor, int position)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(position);
    editor->setTextCursor(cursor);
    QApplication::processEvents();
}

// The start of the line at fraction of the text, or of the next one when
// that is a tune name: a keystroke in a sung line adds a score line, one in a
// tune name does not.
int lineStart(const QPlainTextEdit *editor, double fraction)
{
    const QTextDocument *document = editor->document();
    QTextBlock block = document->findBlockByNumber(int(document->blockCount() * fraction));
    while (block.next().isValid() && block.text().startsWith(u'【'))
        block = block.next();
    return block.position();
}

struct Figures
{
    double median = 0;
    double p95 = 0;
};

Figures figures(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples.at(samples.size() / 2),
            samples.at(qMin<qsizetype>(samples.size() - 1, samples.size() * 95 / 100))};
}

// Counts the paints of a widget, to be sure a measure includes them.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

// Notes which widgets paint, and what, to be printed for a profile.
class PaintLog : public QObject
{
public:
    QStringList entries;
    void watch(QWidget *root)
    {
        root->installEventFilter(this);
        for (QWidget *child : root->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRect area = static_cast<QPaintEvent *>(event)->region().boundingRect();
            QString name = watched->objectName();
            if (name.isEmpty() && watched->parent())
                name = watched->parent()->objectName() + QLatin1Char('/');
            entries.append(QStringLiteral("%1 %2 %3x%4+%5+%6")
                               .arg(QString::fromLatin1(watched->metaObject()->className()), name)
                               .arg(area.width())
                               .arg(area.height())
                               .arg(area.x())
                               .arg(area.y()));
        }
        return QObject::eventFilter(watched, event);
    }
};

// Typing text at a line near fraction of a bare editor that shows text.
Figures bareKeystroke(const QString &text, const QFont &font, const QSize &size, const QString &typed, int rounds)
{
    QPlainTextEdit bare;
    showBareEditor(bare, text, font, size);
    PaintCounter counter;
    bare.viewport()->installEventFilter(&counter);
    QList<double> samples;
    for (int round = 0; round < rounds; ++round) {
        placeCursor(&bare, lineStart(&bare, 0.5) + 3);
        samples.append(timed(&bare, Qt::Key_unknown, typed));
    }
    if (bare.document()->characterCount() != text.size() + 1 + rounds * typed.size())
        qFatal("The bare editor did not take the keystrokes");
    if (counter.paints < rounds)
        qFatal("The bare editor did not repaint");
    return figures(samples);
}

// A key typed into the left of two bare editors side by side, and a line
// inserted into the right one at the same fraction of its text, as a lyric
// keystroke adds a score line.
Figures pairedKeystroke(const QString &left, const QString &right, const QPlainTextEdit *leftLike,
                        const QPlainTextEdit *rightLike, const QSize &windowSize, int rounds)
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    QPlainTextEdit *editors[2] = {new QPlainTextEdit, new QPlainTextEdit};
    const QPlainTextEdit *like[2] = {leftLike, rightLike};
    const QString *texts[2] = {&left, &right};
    for (int i = 0; i < 2; ++i) {
        editors[i]->setFont(like[i]->font());
        editors[i]->setFixedSize(like[i]->size());
        editors[i]->setPlainText(*texts[i]);
        new TrivialHighlighter(editors[i]->document());
        layout->addWidget(editors[i]);
    }
    window.resize(windowSize);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("The bare editors are never shown");
    window.activateWindow();
    editors[0]->setFocus();
    QApplication::processEvents();
    QList<double> samples;
    for (int round = 0; round < rounds; ++round) {
        placeCursor(editors[0], lineStart(editors[0], 0.5) + 3);
        const int line = lineStart(editors[1], 0.5);
        const double start = cpuMillis();
        press(editors[0], Qt::Key_unknown, QStringLiteral("春"));
        QTextCursor cursor(editors[1]->document());
        cursor.setPosition(line);
        cursor.insertText(QStringLiteral("\n"));
        QApplication::processEvents();
        samples.append(cpuMillis() - start);
    }
    if (editors[1]->document()->blockCount() != right.count(QLatin1Char('\n')) + 1 + rounds)
        qFatal("The bare editors did not take the edits");
    return figures(samples);
}

// The program's editors, shown with the texts.
void showEditor(QL_Edit &edit, const Texts &texts)
{
    edit.resize(1000, 700);
    edit.show();
    if (!QTest::qWaitForWindowExposed(&edit))
        qFatal("The editor is never shown");
    {
        const ScoreDocument::SyncGuard guard(edit.document());
        edit.lyricEdit()->setPlainText(texts.lyrics);
        edit.scoreEdit()->setPlainText(texts.score);
    }
    QApplication::processEvents();
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

void measure(QTextStream &out, int sungChars, int rounds)
{
    const Texts texts = makeTexts(sungChars);
    QL_Edit edit;
    showEditor(edit, texts);

    QList<double> lyricSamples;
    QList<double> scoreSamples;
    QList<double> spaceSamples;
    for (int round = 0; round < rounds; ++round) {
        // An ideograph typed into the lyrics adds a score line as well.
        edit.lyricEdit()->setFocus();
        placeCursor(edit.lyricEdit(), lineStart(edit.lyricEdit(), 0.5) + 3);
        lyricSamples.append(timed(edit.lyricEdit(), Qt::Key_unknown, QStringLiteral("春")));

        // A note picked from the popup: the letter opens it, Space commits.
        edit.scoreEdit()->setFocus();
        placeCursor(edit.scoreEdit(), lineStart(edit.scoreEdit(), 0.5));
        scoreSamples.append(timed(edit.scoreEdit(), Qt::Key_G, QStringLiteral("g")));
        scoreSamples.append(timed(edit.scoreEdit(), Qt::Key_Space, QStringLiteral(" ")));

        // Space with the popup closed suggests the next beat mark.
        placeCursor(edit.scoreEdit(), lineStart(edit.scoreEdit(), 0.98));
        spaceSamples.append(timed(edit.scoreEdit(), Qt::Key_Space, QStringLiteral(" ")));
        edit.scoreEdit()->inputMethod()->reset();
        QApplication::processEvents();
    }
    const int chars = edit.lyricEdit()->lyricCharCount();
    const Figures lyric = figures(lyricSamples);
    const Figures score = figures(scoreSamples);
    const Figures space = figures(spaceSamples);
    const QString note = QString::fromUcs4(U"\U000F002C");
    const Figures lyricFloor = bareKeystroke(texts.lyrics, edit.lyricEdit()->font(), edit.lyricEdit()->size(),
                                             QStringLiteral("春"), rounds);
    const Figures scoreFloor = bareKeystroke(texts.score, edit.scoreEdit()->font(), edit.scoreEdit()->size(),
                                             note, rounds);
    const Figures pairFloor = pairedKeystroke(texts.lyrics, texts.score, edit.lyricEdit(), edit.scoreEdit(),
                                              edit.size(), rounds);
    out << "keystroke_ms editor=lyric chars=" << chars << " median=" << number(lyric.median)
        << " p95=" << number(lyric.p95) << " floor=" << number(lyricFloor.median)
        << " floor2=" << number(pairFloor.median) << " ratio=" << number(lyric.median / pairFloor.median)
        << Qt::endl;
    out << "keystroke_ms editor=score chars=" << chars << " median=" << number(score.median)
        << " p95=" << number(score.p95) << " floor=" << number(scoreFloor.median) << Qt::endl;
    out << "space_ms chars=" << chars << " median=" << number(space.median) << " p95=" << number(space.p95)
        << Qt::endl;
}

// One kind of keystroke only, for a profiler to look at.
int profile(const QString &editor, int rounds, int sungChars)
{
    const Texts texts = makeTexts(sungChars);
    QL_Edit edit;
    showEditor(edit, texts);
    QList<double> samples;
    PaintLog log;
    if (editor == QLatin1String("floor")) {
        QPlainTextEdit bare;
        bare.setFont(edit.lyricEdit()->font());
        bare.resize(edit.lyricEdit()->size());
        bare.setPlainText(texts.lyrics);
        new TrivialHighlighter(bare.document());
        bare.show();
        if (!QTest::qWaitForWindowExposed(&bare))
            qFatal("The bare editor is never shown");
        bare.setFocus();
        log.watch(&bare);
        for (int round = 0; round < rounds; ++round) {
            placeCursor(&bare, lineStart(&bare, 0.3 + (round % 200) / 500.0) + 3);
            log.entries.clear();
            samples.append(timed(&bare, Qt::Key_unknown, QStringLiteral("春")));
        }
    } else {
        log.watch(&edit);
        const bool lyric = editor == QLatin1String("lyric");
        QPlainTextEdit *target = lyric ? static_cast<QPlainTextEdit *>(edit.lyricEdit())
                                       : static_cast<QPlainTextEdit *>(edit.scoreEdit());
        target->setFocus();
        for (int round = 0; round < rounds; ++round) {
            // Spread over many lines, so that no line grows long.
            placeCursor(target, lineStart(target, 0.3 + (round % 200) / 500.0) + (lyric ? 3 : 0));
            log.entries.clear();
            if (lyric) {
                samples.append(timed(target, Qt::Key_unknown, QStringLiteral("春")));
            } else {
                samples.append(timed(target, Qt::Key_G, QStringLiteral("g")));
                samples.append(timed(target, Qt::Key_Space, QStringLiteral(" ")));
            }
        }
    }
    QTextStream err(stderr);
    for (const QString &entry : std::as_const(log.entries))
        err << "painted " << entry << '\n';

    const Figures measured = figures(samples);
    QTextStream(stdout) << "keystroke_ms editor=" << editor << " chars=" << sungChars << " median=" << number(measured.median)
                        << " p95=" << number(measured.p95) << Qt::endl;
    return 0;
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 2 && QLatin1String(argv[1]) == QLatin1String("profile"))
        return profile(QString::fromLatin1(argv[2]), argc > 3 ? qMax(1, atoi(argv[3])) : 2000,
                       argc > 4 ? qMax(1, atoi(argv[4])) : 10000);
    const int rounds = argc > 1 ? qMax(5, QString::fromLocal8Bit(argv[1]).toInt()) : 40;
    QTextStream out(stdout);
    for (int chars : {1000, 10000, 50000})
        measure(out, chars, rounds);
    return 0;
}
