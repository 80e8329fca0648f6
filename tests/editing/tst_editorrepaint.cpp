// What the editors show after an edit is what painting them afresh shows:
// the editors repaint only what an edit changed (one line, the lines from an
// inserted line down, the scroll bar only when its handle moves), and a
// region left out would leave stale pixels on screen. The window's backing
// store holds what the user sees; a grab paints the same widgets from
// scratch.

#include "inputmethod.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "quietscrollbar.h"

#include <QApplication>
#include <QBackingStore>
#include <QClipboard>
#include <QKeyEvent>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>

namespace {

// Lines of ten ideographs with a tune name now and then; a score line each.
void fill(QL_Edit &edit, int lines)
{
    static const QString ideographs = QStringLiteral("原来姹紫嫣红开遍似这般都付与断井颓垣");
    QStringList lyrics;
    QStringList score;
    for (int line = 0; line < lines; ++line) {
        if (line % 12 == 0)
            lyrics.append(QStringLiteral("【皂罗袍】(仙吕)"));
        QString text;
        for (int i = 0; i < 10; ++i) {
            text += ideographs.at((line * 7 + i) % ideographs.size());
            score.append(QString::fromUcs4(i % 4 == 0 ? U"\U000F002C\U000F0000" : U"\U000F002B"));
        }
        lyrics.append(text + QStringLiteral("，"));
    }
    const ScoreDocument::SyncGuard guard(edit.document());
    edit.lyricEdit()->setPlainText(lyrics.join(QLatin1Char('\n')));
    edit.scoreEdit()->setPlainText(score.join(QLatin1Char('\n')));
}

void key(QWidget *target, int key, const QString &text = QString(),
         Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Puts the cursor of editor on line `line`, `column` characters in.
void place(QPlainTextEdit *editor, int line, int column)
{
    editor->setFocus();
    QTextCursor cursor(editor->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    editor->setTextCursor(cursor);
}

// The pixels of the window as its backing store holds them after painting
// what is pending.
QImage shown(QWidget *window)
{
    QApplication::processEvents();
    QPaintDevice *device = window->backingStore()->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return QImage();
    return static_cast<QImage *>(device)->copy(QRect(QPoint(0, 0), window->size()));
}

} // namespace

class TestEditorRepaint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void screenMatchesAFreshPaint_data();
    void screenMatchesAFreshPaint();
    void idleBarLooksAsQtPaintsIt_data();
    void idleBarLooksAsQtPaintsIt();
    void idleBarFollowsItsChanges();
};

void TestEditorRepaint::initTestCase()
{
    // A blinking cursor would differ between the two paints.
    QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void TestEditorRepaint::screenMatchesAFreshPaint_data()
{
    // Which editor, its line and column, then the keys: a key code with its
    // text; "paste" pastes a copied line.
    QTest::addColumn<bool>("inLyrics");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QStringList>("texts");
    const int ideograph = Qt::Key_unknown;
    QTest::addRow("ideograph inside a sung line") << true << 40 << 3 << QList<int>{ideograph} << QStringList{"春"};
    QTest::addRow("ideograph at a line start") << true << 40 << 0 << QList<int>{ideograph} << QStringList{"春"};
    QTest::addRow("ideograph at a line end") << true << 40 << 11 << QList<int>{ideograph} << QStringList{"春"};
    QTest::addRow("ideograph outside the Basic Multilingual Plane")
        << true << 41 << 5 << QList<int>{ideograph} << QStringList{QString::fromUcs4(U"\U00020000")};
    QTest::addRow("text into a tune name") << true << 36 << 2 << QList<int>{ideograph} << QStringList{"仙"};
    QTest::addRow("several ideographs in a row")
        << true << 40 << 4 << QList<int>{ideograph, ideograph, ideograph} << QStringList{"春", "香", "闹"};
    QTest::addRow("backspace inside a line") << true << 40 << 5 << QList<int>{Qt::Key_Backspace} << QStringList{""};
    QTest::addRow("backspace joins two lines") << true << 40 << 0 << QList<int>{Qt::Key_Backspace} << QStringList{""};
    QTest::addRow("return splits a line") << true << 40 << 4 << QList<int>{Qt::Key_Return} << QStringList{"\r"};
    QTest::addRow("typed then undone")
        << true << 40 << 4 << QList<int>{ideograph, Qt::Key_Z} << QStringList{"春", "ctrl"};
    QTest::addRow("split then undone and redone")
        << true << 40 << 4 << QList<int>{Qt::Key_Return, Qt::Key_Z, Qt::Key_Y} << QStringList{"\r", "ctrl", "ctrl"};
    QTest::addRow("line grows past the editor's width")
        << true << 40 << 6 << QList<int>(30, ideograph) << QStringList(30, "春");
    QTest::addRow("note picked in the score") << false << 300 << 1 << QList<int>{Qt::Key_G, Qt::Key_Space}
                                              << QStringList{"g", " "};
    QTest::addRow("return in the score") << false << 300 << 1 << QList<int>{Qt::Key_Return} << QStringList{"\r"};
    QTest::addRow("delete in the score") << false << 300 << 0 << QList<int>{Qt::Key_Delete} << QStringList{""};
    QTest::addRow("paste in the lyrics") << true << 40 << 3 << QList<int>{Qt::Key_V} << QStringList{"paste"};
    QTest::addRow("returns at the end scroll the editor")
        << true << 129 << 11 << QList<int>(30, Qt::Key_Return) << QStringList(30, "\r");
}

void TestEditorRepaint::screenMatchesAFreshPaint()
{
    QFETCH(bool, inLyrics);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QList<int>, keys);
    QFETCH(QStringList, texts);

    QL_Edit edit;
    edit.resize(900, 600);
    fill(edit, 120);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    if (shown(&edit).isNull())
        QSKIP("The platform's backing store is no image");
    QPlainTextEdit *editor = inLyrics ? static_cast<QPlainTextEdit *>(edit.lyricEdit())
                                      : static_cast<QPlainTextEdit *>(edit.scoreEdit());
    place(editor, line, column);
    // In the middle of the view, so that lines below and above it show.
    editor->centerCursor();
    QApplication::processEvents();

    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QString &text = texts.at(i);
        if (text == QLatin1String("ctrl")) {
            key(editor, keys.at(i), QString(), Qt::ControlModifier);
        } else if (text == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(QStringLiteral("良辰美景\n奈何天"));
            key(editor, Qt::Key_V, QString(), Qt::ControlModifier);
        } else {
            key(editor, keys.at(i), text);
        }
        const QImage screen = shown(&edit);
        const QImage fresh = edit.grab().toImage().convertToFormat(screen.format());
        QCOMPARE(fresh.size(), screen.size());
        if (fresh != screen) {
            int differing = 0;
            QRect where;
            for (int y = 0; y < screen.height(); ++y) {
                for (int x = 0; x < screen.width(); ++x) {
                    if (screen.pixel(x, y) != fresh.pixel(x, y)) {
                        ++differing;
                        where |= QRect(x, y, 1, 1);
                    }
                }
            }
            QFAIL(qPrintable(QStringLiteral("after key %1: %2 stale pixels within %3,%4 %5x%6")
                                 .arg(i)
                                 .arg(differing)
                                 .arg(where.x())
                                 .arg(where.y())
                                 .arg(where.width())
                                 .arg(where.height())));
        }
    }
    edit.scoreEdit()->inputMethod()->reset();
}

void TestEditorRepaint::idleBarLooksAsQtPaintsIt_data()
{
    // The editors' bar paints itself when idle; it must come out as Qt's
    // own bar does, in every state a bar shows without the mouse.
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::addRow("tall, at the top") << Qt::Vertical << QSize(14, 858) << 400 << 0 << true;
    QTest::addRow("tall, in the middle") << Qt::Vertical << QSize(14, 858) << 400 << 211 << true;
    QTest::addRow("tall, at the bottom") << Qt::Vertical << QSize(14, 858) << 400 << 400 << true;
    QTest::addRow("long text, small handle") << Qt::Vertical << QSize(16, 600) << 100000 << 4321 << true;
    QTest::addRow("nothing to scroll") << Qt::Vertical << QSize(14, 500) << 0 << 0 << true;
    QTest::addRow("disabled") << Qt::Vertical << QSize(14, 500) << 300 << 120 << false;
    QTest::addRow("short, under one band") << Qt::Vertical << QSize(14, 40) << 10 << 5 << true;
    QTest::addRow("horizontal") << Qt::Horizontal << QSize(700, 14) << 250 << 90 << true;
}

void TestEditorRepaint::idleBarLooksAsQtPaintsIt()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(QSize, size);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(bool, enabled);

    QScrollBar plain(orientation);
    QuietScrollBar quiet;
    quiet.setOrientation(orientation);
    for (QScrollBar *bar : {static_cast<QScrollBar *>(&plain), static_cast<QScrollBar *>(&quiet)}) {
        bar->resize(size);
        bar->setRange(0, maximum);
        bar->setPageStep(40);
        bar->setValue(value);
        bar->setEnabled(enabled);
    }
    const QImage expected = plain.grab().toImage();
    const QImage painted = quiet.grab().toImage();
    QCOMPARE(painted.size(), expected.size());
    QVERIFY(painted == expected);
}

void TestEditorRepaint::idleBarFollowsItsChanges()
{
    // The bar keeps what it painted without its handle: one bar taken
    // through the changes an editor and its window make must show what a
    // new bar shows.
    struct State
    {
        int height;
        int maximum;
        int value;
        bool enabled;
        bool dark;
    };
    const State states[] = {{500, 400, 0, true, false},   {500, 401, 0, true, false},
                            {500, 401, 200, true, false}, {500, 402, 402, true, false},
                            {500, 0, 0, true, false},     {500, 300, 120, false, false},
                            {300, 300, 120, true, false}, {300, 300, 300, true, false},
                            {300, 300, 300, true, true},  {700, 30, 12, true, true}};
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::Button, QColor(60, 60, 60));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    QuietScrollBar quiet;
    quiet.setPageStep(40);
    for (const State &state : states) {
        QScrollBar plain(Qt::Vertical);
        for (QScrollBar *bar : {static_cast<QScrollBar *>(&quiet), &plain}) {
            bar->resize(14, state.height);
            bar->setRange(0, state.maximum);
            bar->setPageStep(40);
            bar->setValue(state.value);
            bar->setEnabled(state.enabled);
            bar->setPalette(state.dark ? dark : QPalette());
        }
        QVERIFY2(quiet.grab().toImage() == plain.grab().toImage(),
                 qPrintable(QStringLiteral("height %1, maximum %2, value %3")
                                .arg(state.height)
                                .arg(state.maximum)
                                .arg(state.value)));
    }
}

QTEST_MAIN(TestEditorRepaint)
#include "tst_editorrepaint.moc"
