#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QWindow>
#include <QScreen>
#include <QUndoStack>

#include <functional>

namespace {

QString mark(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// Types text as key presses; characters without a key of their own (an
// ideograph picked from the system's input method) come with Key_unknown.
void typeText(QWidget *widget, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (QChar c : text) {
        int key = Qt::Key_unknown;
        if (c.unicode() < 0x80 && c.isLetterOrNumber())
            key = c.toUpper().unicode();
        else if (c.unicode() < 0x80)
            key = c.unicode();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

// The edit commands, driven through key and input-method events as a user
// would type them.
class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typingAfterThirdCharAddsFourthLine();
    void nonLyricCharsAddNoLine_data();
    void nonLyricCharsAddNoLine();
    void hashAtLineStartRemovesLines();
    void backspaceJoin_data();
    void backspaceJoin();
    void lyricDeleteModifiers_data();
    void lyricDeleteModifiers();
    void replacingSelectionIsTwoSteps();
    void inputMethodCommitIsOneStep();
    void multiLineEditsUndoExactly();
    void scoreBackspaceAtLineStart();
    void scoreShiftDeleteJoins_data();
    void scoreShiftDeleteJoins();
    void scoreSelectionDeleteKeepsLines();
    void scoreReturn_data();
    void scoreReturn();
    void pastedScoreKeepsLines_data();
    void pastedScoreKeepsLines();
    void scoreTypedTextIsUndoable_data();
    void scoreTypedTextIsUndoable();
    void undoShortcutInEitherEditor();
    void tabInLyricsIsACommand();
    void platformBindingsDoNotEdit_data();
    void platformBindingsDoNotEdit();
    void middleClickDoesNotPaste();
    void contextMenuEnablesCutCopy_data();
    void contextMenuEnablesCutCopy();
    void nextBeatMark_data();
    void nextBeatMark();
    void nextBeatMarkFollowsEdits();
    void scoreGutterShowsOwnersAfterLyricEdits();
    void insertOperations_data();
    void insertOperations();
    void everyTypedCharacterIsACommand_data();
    void everyTypedCharacterIsACommand();
    void undoAfterSupplementaryCharacter();
    void lyricLineEndsBecomeLines_data();
    void lyricLineEndsBecomeLines();
    void scoreFollowsSungCharacters_data();
    void scoreFollowsSungCharacters();

private:
    void load(const QString &lyric, const QString &score);
    void setLyricCursor(int position, int anchor = -1);
    void setScoreCursor(int position, int anchor = -1);
    QString lyric() const { return doc->lyricEdit()->toPlainText(); }
    QString score() const { return doc->scoreEdit()->toPlainText(); }
    void undoAll();
    QL_Edit *doc = nullptr;
};

void TestCommands::init()
{
    doc = new QL_Edit;
    doc->resize(640, 400);
}

void TestCommands::cleanup()
{
    delete doc;
}

void TestCommands::load(const QString &lyric, const QString &score)
{
    {
        const ScoreDocument::SyncGuard guard(doc->document());
        doc->lyricEdit()->setPlainText(lyric);
        doc->scoreEdit()->setPlainText(score);
    }
}

void TestCommands::setLyricCursor(int position, int anchor)
{
    QTextCursor cursor = doc->lyricEdit()->textCursor();
    cursor.setPosition(anchor < 0 ? position : anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    doc->lyricEdit()->setTextCursor(cursor);
}

void TestCommands::setScoreCursor(int position, int anchor)
{
    QTextCursor cursor = doc->scoreEdit()->textCursor();
    cursor.setPosition(anchor < 0 ? position : anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    doc->scoreEdit()->setTextCursor(cursor);
}

void TestCommands::undoAll()
{
    while (doc->undoStack()->canUndo())
        doc->undoStack()->undo();
}

void TestCommands::typingAfterThirdCharAddsFourthLine()
{
    load(QStringLiteral("原来姹"), QStringLiteral("a\nb\nc\n"));
    setLyricCursor(3);
    typeText(doc->lyricEdit(), QStringLiteral("紫"));
    QCOMPARE(lyric(), QStringLiteral("原来姹紫"));
    QCOMPARE(score(), QStringLiteral("a\nb\nc\n\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
    // The score cursor follows onto the new character's line.
    QCOMPARE(doc->scoreEdit()->textCursor().blockNumber(), 3);

    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来姹"));
    QCOMPARE(score(), QStringLiteral("a\nb\nc\n"));
    doc->redo();
    QCOMPARE(lyric(), QStringLiteral("原来姹紫"));
    QCOMPARE(score(), QStringLiteral("a\nb\nc\n\n"));
}

void TestCommands::nonLyricCharsAddNoLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addRow("latin letter") << QStringLiteral("a");
    QTest::addRow("full-width comma") << QStringLiteral("，");
    QTest::addRow("digit") << QStringLiteral("7");
}

void TestCommands::nonLyricCharsAddNoLine()
{
    QFETCH(QString, typed);
    load(QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    setLyricCursor(1);
    typeText(doc->lyricEdit(), typed);
    QCOMPARE(lyric(), QStringLiteral("原") + typed + QStringLiteral("来"));
    QCOMPARE(score(), QStringLiteral("a\nb\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
}

void TestCommands::hashAtLineStartRemovesLines()
{
    load(QStringLiteral("原来\n姹紫嫣红\n开"), QStringLiteral("a\nb\nc\nd\ne\nf\ng\n"));
    setLyricCursor(3);
    typeText(doc->lyricEdit(), QStringLiteral("#"));
    QCOMPARE(lyric(), QStringLiteral("原来\n#姹紫嫣红\n开"));
    QCOMPARE(score(), QStringLiteral("a\nb\ng\n"));

    // Deleting the marker brings back empty lines for the four characters.
    setLyricCursor(3);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Delete);
    QCOMPARE(lyric(), QStringLiteral("原来\n姹紫嫣红\n开"));
    QCOMPARE(score(), QStringLiteral("a\nb\n\n\n\n\ng\n"));

    doc->undo();
    doc->undo();
    QCOMPARE(score(), QStringLiteral("a\nb\nc\nd\ne\nf\ng\n"));
}

void TestCommands::backspaceJoin_data()
{
    QTest::addColumn<QString>("lyricBefore");
    QTest::addColumn<QString>("scoreBefore");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("lyricAfter");
    QTest::addColumn<QString>("scoreAfter");
    QTest::addRow("into a sung line") << QStringLiteral("原来\n姹紫嫣") << QStringLiteral("a\nb\nc\nd\ne") << 3
                                       << QStringLiteral("原来姹紫嫣") << QStringLiteral("a\nb\nc\nd\ne");
    QTest::addRow("into a title, sung lines after it")
        << QStringLiteral("# 题\n原来\n姹") << QStringLiteral("a\nb\nc") << 4 << QStringLiteral("# 题原来\n姹")
        << QStringLiteral("c");
    // The last sung characters leave the one empty line of a score without any.
    QTest::addRow("into a title, nothing sung after it")
        << QStringLiteral("# 题\n原来姹") << QStringLiteral("a\nb\nc") << 4 << QStringLiteral("# 题原来姹")
        << QString();
}

void TestCommands::backspaceJoin()
{
    QFETCH(QString, lyricBefore);
    QFETCH(QString, scoreBefore);
    QFETCH(int, position);
    QFETCH(QString, lyricAfter);
    QFETCH(QString, scoreAfter);
    load(lyricBefore, scoreBefore);
    setLyricCursor(position);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Backspace);
    QCOMPARE(lyric(), lyricAfter);
    QCOMPARE(score(), scoreAfter);
    doc->undo();
    QCOMPARE(lyric(), lyricBefore);
    QCOMPARE(score(), scoreBefore);
}

void TestCommands::lyricDeleteModifiers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addRow("backspace") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers() << QStringLiteral("原来紫嫣");
    QTest::addRow("ctrl+backspace to line start")
        << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ControlModifier) << QStringLiteral("紫嫣");
    QTest::addRow("ctrl+shift+backspace is one char")
        << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
        << QStringLiteral("原来紫嫣");
    QTest::addRow("delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers() << QStringLiteral("原来姹嫣");
    QTest::addRow("ctrl+delete to line end")
        << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ControlModifier) << QStringLiteral("原来姹");
}

void TestCommands::lyricDeleteModifiers()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, after);
    load(QStringLiteral("原来姹紫嫣"), QStringLiteral("1\n2\n3\n4\n5\n"));
    setLyricCursor(3);
    QTest::keyClick(doc->lyricEdit(), Qt::Key(key), modifiers);
    QCOMPARE(lyric(), after);
    // Each removed character took its own score line.
    QCOMPARE(score().count(QLatin1Char('\n')), after.size());
}

void TestCommands::replacingSelectionIsTwoSteps()
{
    load(QStringLiteral("原来姹紫"), QStringLiteral("1\n2\n3\n4\n"));
    setLyricCursor(3, 1);
    typeText(doc->lyricEdit(), QStringLiteral("嫣"));
    QCOMPARE(lyric(), QStringLiteral("原嫣紫"));
    QCOMPARE(score(), QStringLiteral("1\n\n4\n"));
    QCOMPARE(doc->undoStack()->count(), 2);
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原紫"));
    QCOMPARE(score(), QStringLiteral("1\n4\n"));
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来姹紫"));
    QCOMPARE(score(), QStringLiteral("1\n2\n3\n4\n"));
}

void TestCommands::inputMethodCommitIsOneStep()
{
    load(QString(), QString());
    QInputMethodEvent preedit(QStringLiteral("yuan"), {});
    QApplication::sendEvent(doc->lyricEdit(), &preedit);
    QCOMPARE(lyric(), QString());
    QCOMPARE(doc->undoStack()->count(), 0);

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("原来姹紫"));
    QApplication::sendEvent(doc->lyricEdit(), &commit);
    QCOMPARE(lyric(), QStringLiteral("原来姹紫"));
    QCOMPARE(score(), QStringLiteral("\n\n\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
    doc->undo();
    QCOMPARE(lyric(), QString());
    QCOMPARE(score(), QString());
}

void TestCommands::multiLineEditsUndoExactly()
{
    // One edit block inserting several lines counts as one undo step of its
    // document; replaying more would undo earlier commands' edits too.
    load(QString(), QString());
    typeText(doc->lyricEdit(), QStringLiteral("原"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("来姹\n紫嫣\n红"));
    QApplication::sendEvent(doc->lyricEdit(), &commit);
    QCOMPARE(score(), QStringLiteral("\n\n\n\n\n"));
    setScoreCursor(0);
    typeText(doc->scoreEdit(), QStringLiteral("12"));
    setLyricCursor(2, 5);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Delete);
    QCOMPARE(lyric(), QStringLiteral("原来嫣\n红"));
    QCOMPARE(score(), QStringLiteral("12\n\n\n"));

    const QStringList lyrics = {QStringLiteral("原来嫣\n红"), QStringLiteral("原来姹\n紫嫣\n红"),
                                QStringLiteral("原来姹\n紫嫣\n红"), QStringLiteral("原来姹\n紫嫣\n红"),
                                QStringLiteral("原"), QString()};
    const QStringList scores = {QStringLiteral("12\n\n\n"), QStringLiteral("12\n\n\n\n\n"),
                                QStringLiteral("1\n\n\n\n\n"), QStringLiteral("\n\n\n\n\n"),
                                QString(), QString()};
    for (int i = 0; i < lyrics.size(); ++i) {
        QCOMPARE(lyric(), lyrics.at(i));
        QCOMPARE(score(), scores.at(i));
        doc->undo();
    }
    QVERIFY(!doc->undoStack()->canUndo());
    for (int i = lyrics.size() - 1; i >= 0; --i) {
        QCOMPARE(lyric(), lyrics.at(i));
        QCOMPARE(score(), scores.at(i));
        doc->redo();
    }
}

void TestCommands::scoreBackspaceAtLineStart()
{
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd\n"));
    setScoreCursor(3);
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Backspace);
    QCOMPARE(score(), QStringLiteral("ab\ncd\n"));
    QCOMPARE(doc->scoreEdit()->textCursor().position(), 2);
    QCOMPARE(doc->undoStack()->count(), 0);

    // Delete at a line's end steps onto the next line.
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Delete);
    QCOMPARE(doc->scoreEdit()->textCursor().position(), 3);
    QCOMPARE(doc->undoStack()->count(), 0);
}

void TestCommands::scoreShiftDeleteJoins_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("position");
    QTest::addRow("shift+backspace at a line start") << int(Qt::Key_Backspace) << 3;
    QTest::addRow("shift+delete at a line end") << int(Qt::Key_Delete) << 2;
}

void TestCommands::scoreShiftDeleteJoins()
{
    // Shift alone removes exactly one character, the line break included.
    QFETCH(int, key);
    QFETCH(int, position);
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd\n"));
    setScoreCursor(position);
    QTest::keyClick(doc->scoreEdit(), Qt::Key(key), Qt::ShiftModifier);
    QCOMPARE(score(), QStringLiteral("abcd\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
    doc->undo();
    QCOMPARE(score(), QStringLiteral("ab\ncd\n"));
}

void TestCommands::scoreSelectionDeleteKeepsLines()
{
    load(QStringLiteral("原来姹紫嫣红"), QStringLiteral("l1\nl2\nl3\nl4\nl5\nl6"));
    // From inside line 2 to inside line 5 (1-based).
    setScoreCursor(13, 4);
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Delete);
    QCOMPARE(score(), QStringLiteral("l1\nl\n\n\n5\nl6"));
    QCOMPARE(doc->scoreEdit()->blockCount(), 6);
    doc->undo();
    QCOMPARE(score(), QStringLiteral("l1\nl2\nl3\nl4\nl5\nl6"));
}

void TestCommands::scoreReturn_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("cursor");
    QTest::addRow("return moves to next line") << Qt::KeyboardModifiers() << QStringLiteral("ab\ncd") << 3;
    QTest::addRow("shift+return splits") << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                         << QStringLiteral("a\nb\ncd") << 2;
}

void TestCommands::scoreReturn()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, after);
    QFETCH(int, cursor);
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd"));
    setScoreCursor(1);
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Return, modifiers);
    QCOMPARE(score(), after);
    QCOMPARE(doc->scoreEdit()->textCursor().position(), cursor);
}

void TestCommands::pastedScoreKeepsLines_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addRow("unix lines") << QStringLiteral("1\n2");
    QTest::addRow("windows lines") << QStringLiteral("1\r\n2");
    QTest::addRow("old mac lines") << QStringLiteral("1\r2");
    QTest::addRow("paragraph separator") << QStringLiteral(u"1\u20292");
}

void TestCommands::pastedScoreKeepsLines()
{
    QFETCH(QString, clipboard);
    load(QStringLiteral("原来姹"), QStringLiteral("a\nb\nc\n"));
    doc->show();
    QVERIFY(QTest::qWaitForWindowExposed(doc));
    doc->activateWindow();
    doc->scoreEdit()->setFocus();
    QTRY_VERIFY(doc->scoreEdit()->hasFocus());
    setScoreCursor(0);
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(doc->scoreEdit(), Qt::Key_V, Qt::ControlModifier);
    // The pasted lines fill the existing score lines; none is added.
    QCOMPARE(score(), QStringLiteral("1a\n2b\nc\n"));
}

void TestCommands::scoreTypedTextIsUndoable_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addRow("digit") << QStringLiteral("5");
    QTest::addRow("punctuation") << QStringLiteral(",");
    QTest::addRow("shift letter") << QStringLiteral("A");
}

void TestCommands::scoreTypedTextIsUndoable()
{
    QFETCH(QString, typed);
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd\n"));
    setScoreCursor(1);
    typeText(doc->scoreEdit(), typed, typed.front().isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(score(), QStringLiteral("a") + typed + QStringLiteral("b\ncd\n"));
    QCOMPARE(doc->undoStack()->count(), 1);
    doc->undo();
    QCOMPARE(score(), QStringLiteral("ab\ncd\n"));
}

void TestCommands::undoShortcutInEitherEditor()
{
    load(QString(), QString());
    typeText(doc->lyricEdit(), QStringLiteral("原"));
    setScoreCursor(0);
    typeText(doc->scoreEdit(), QStringLiteral("1"));
    QCOMPARE(score(), QStringLiteral("1"));

    // Ctrl+Z in the lyric editor undoes the score edit, the last command.
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(score(), QString());
    QCOMPARE(lyric(), QStringLiteral("原"));
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(lyric(), QString());
    QTest::keyClick(doc->scoreEdit(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(lyric(), QStringLiteral("原"));
}

void TestCommands::tabInLyricsIsACommand()
{
    load(QStringLiteral("原来"), QStringLiteral("a\nb\n"));
    setLyricCursor(1);
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Tab);
    QCOMPARE(lyric(), QStringLiteral("原\t来"));
    QCOMPARE(doc->undoStack()->count(), 1);
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(score(), QStringLiteral("a\nb\n"));
}

void TestCommands::platformBindingsDoNotEdit_data()
{
    QTest::addColumn<bool>("inScore");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
    QTest::addRow("lyric ctrl+k") << false << int(Qt::Key_K) << ctrl;
    QTest::addRow("lyric ctrl+y") << false << int(Qt::Key_Y) << ctrl;
    QTest::addRow("lyric ctrl+u") << false << int(Qt::Key_U) << ctrl;
    QTest::addRow("lyric ctrl+shift+insert")
        << false << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::addRow("score ctrl+k") << true << int(Qt::Key_K) << ctrl;
    QTest::addRow("score ctrl+y") << true << int(Qt::Key_Y) << ctrl;
    QTest::addRow("score tab") << true << int(Qt::Key_Tab) << Qt::KeyboardModifiers();
}

void TestCommands::platformBindingsDoNotEdit()
{
    QFETCH(bool, inScore);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QApplication::clipboard()->setText(QStringLiteral("贴"));
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd\n"));
    setLyricCursor(1);
    setScoreCursor(1);
    QTest::keyClick(inScore ? static_cast<QWidget *>(doc->scoreEdit()) : doc->lyricEdit(), Qt::Key(key),
                    modifiers);
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(score(), QStringLiteral("ab\ncd\n"));
    QCOMPARE(doc->undoStack()->count(), 0);
    QVERIFY(!doc->lyricEdit()->document()->isUndoAvailable());
    QVERIFY(!doc->scoreEdit()->document()->isUndoAvailable());
}

void TestCommands::middleClickDoesNotPaste()
{
    QApplication::clipboard()->setText(QStringLiteral("贴"), QClipboard::Selection);
    QApplication::clipboard()->setText(QStringLiteral("贴"));
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd\n"));
    doc->show();
    QVERIFY(QTest::qWaitForWindowExposed(doc));
    for (QPlainTextEdit *editor : {static_cast<QPlainTextEdit *>(doc->lyricEdit()),
                                   static_cast<QPlainTextEdit *>(doc->scoreEdit())})
        QTest::mouseClick(editor->viewport(), Qt::MiddleButton, {}, QPoint(10, 5));
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(score(), QStringLiteral("ab\ncd\n"));
}

void TestCommands::contextMenuEnablesCutCopy_data()
{
    QTest::addColumn<bool>("select");
    QTest::addRow("nothing selected") << false;
    QTest::addRow("lyric selection") << true;
}

void TestCommands::contextMenuEnablesCutCopy()
{
    QFETCH(bool, select);
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd\n"));
    if (select)
        setLyricCursor(2, 0);
    doc->show();
    QVERIFY(QTest::qWaitForWindowExposed(doc));

    QStringList seen;
    QTimer::singleShot(50, this, [&seen] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                seen.append(action->text() + (action->isEnabled() ? "+" : "-"));
        }
        menu->close();
    });
    QTest::mousePress(doc->lyricEdit(), Qt::RightButton, {}, QPoint(20, 20));
    const QString onOff = select ? QStringLiteral("+") : QStringLiteral("-");
    QCOMPARE(seen, QStringList({QStringLiteral("撤销-"), QStringLiteral("重做-"), QStringLiteral("剪切") + onOff,
                                QStringLiteral("复制") + onOff, QStringLiteral("粘贴+")}));
}

void TestCommands::nextBeatMark_data()
{
    const QString ban = mark(0xF0000), yan = mark(0xF0001), zhong = mark(0xF0002), zeng = mark(0xF0003),
                  di = mark(0xF0006);
    const QString note = mark(0xF002C);
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("expected");
    QTest::addRow("no mark") << note << ban;
    QTest::addRow("one mark") << note + zhong + note << zhong;
    QTest::addRow("three marks: the 2nd nearest") << ban + note + yan + note + zhong << yan;
    QTest::addRow("five marks: the 4th nearest")
        << di + "\n" + ban + note + yan + "\n" + zhong + note + yan + note << ban;
    QTest::addRow("eight marks with zengban: the 8th")
        << zeng + yan + zhong + yan + ban + yan + zhong + yan << zeng;
    QTest::addRow("eight marks without: the 4th")
        << di + yan + zhong + yan + ban + yan + zhong + yan << ban;
}

void TestCommands::nextBeatMark()
{
    QFETCH(QString, score);
    QFETCH(QString, expected);
    load(QString(), score);
    setScoreCursor(doc->scoreEdit()->document()->characterCount() - 1);
    QCOMPARE(doc->scoreEdit()->nextBeatMark(), expected);
}

namespace {

// The suggestion as a walk over every line before the cursor would make it:
// the nearest eight marks, then the measure's reference among them.
QString walkedBeatMark(const QTextCursor &cursor)
{
    QList<char32_t> marks;
    QTextBlock block = cursor.block();
    QString text = block.text().left(cursor.positionInBlock());
    while (marks.size() < 8) {
        const QList<uint> codes = text.toUcs4();
        for (auto c = codes.crbegin(); c != codes.crend() && marks.size() < 8; ++c) {
            if (*c >= 0xF0000 && *c <= 0xF0007)
                marks.append(*c);
        }
        block = block.previous();
        if (!block.isValid())
            break;
        text = block.text();
    }
    char32_t reference = 0xF0000;
    if (marks.size() == 8)
        reference = marks.at(marks.contains(0xF0003) || marks.contains(0xF0007) ? 7 : 3);
    else if (!marks.isEmpty())
        reference = marks.at(marks.size() == 1 ? 0 : marks.size() <= 3 ? 1 : 3);
    return mark(reference);
}

} // namespace

void TestCommands::nextBeatMarkFollowsEdits()
{
    // The marks per line are kept between questions: after edits of every
    // shape, undone and redone, with line ends of every form, the suggestion
    // must stay the one a walk over the whole score gives.
    QRandomGenerator random(1812);
    const QStringList pieces = {mark(0xF0000), mark(0xF0001), mark(0xF0003), mark(0xF0007), mark(0xF002C),
                                mark(0xF002C) + mark(0xF0002), QStringLiteral("\n"), QStringLiteral("\r\n"),
                                QStringLiteral("\r"), QString(QChar::ParagraphSeparator), mark(0x1F3B5),
                                QString(QChar(0x200D)), QStringLiteral("\n\n\n")};
    load(QString(), QString());
    QTextDocument *score = doc->scoreEdit()->document();
    for (int step = 0; step < 500; ++step) {
        QTextCursor cursor(score);
        const int length = score->characterCount() - 1;
        cursor.setPosition(random.bounded(length + 1));
        const bool block = random.bounded(3) == 0;
        if (block)
            cursor.beginEditBlock();
        for (int edit = block ? 2 : 1; edit > 0; --edit) {
            if (random.bounded(4) == 0 && length > 0) {
                cursor.setPosition(random.bounded(score->characterCount()), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
            } else {
                cursor.insertText(pieces.at(random.bounded(pieces.size())));
            }
            cursor.setPosition(random.bounded(score->characterCount()));
        }
        if (block)
            cursor.endEditBlock();
        if (random.bounded(6) == 0)
            score->undo();
        else if (random.bounded(12) == 0)
            score->redo();

        QTextCursor probe(score);
        probe.setPosition(random.bounded(score->characterCount()));
        doc->scoreEdit()->setTextCursor(probe);
        QVERIFY2(doc->scoreEdit()->nextBeatMark() == walkedBeatMark(probe),
                 qPrintable(QStringLiteral("step %1 at %2").arg(step).arg(probe.position())));
    }
}

void TestCommands::scoreGutterShowsOwnersAfterLyricEdits()
{
    // After lyric edits only the score gutter's rows whose owner changed are
    // repainted: what the screen shows must still be the whole gutter as a
    // fresh paint draws it, after typing, deleting lines, undo and redo.
    doc->show();
    QVERIFY(QTest::qWaitForWindowExposed(doc));
    QString lyric;
    QString score;
    for (int i = 0; i < 12; ++i) {
        lyric += QStringLiteral("原来姹紫嫣红\n");
        score += QString(6, QLatin1Char('\n'));
    }
    load(lyric.chopped(1), score.chopped(1));
    QWidget *gutter = doc->scoreEdit()->lineNumberArea();
    const auto shown = [&] {
        QCoreApplication::processEvents();
        const QPoint origin = gutter->mapTo(gutter->window(), QPoint(0, 0));
        return gutter->window()->windowHandle()->screen()
            ->grabWindow(gutter->window()->winId(), origin.x(), origin.y(), gutter->width(), gutter->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto fresh = [&] { return gutter->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    QCOMPARE(shown(), fresh());

    doc->lyricEdit()->setFocus();
    const QList<std::function<void()>> edits = {
        [&] { setLyricCursor(2); typeText(doc->lyricEdit(), QStringLiteral("春")); },
        [&] { setLyricCursor(9); QTest::keyClick(doc->lyricEdit(), Qt::Key_Backspace); },
        [&] { setLyricCursor(0); typeText(doc->lyricEdit(), QStringLiteral("# 标题\n")); },
        [&] { setLyricCursor(4, 1); typeText(doc->lyricEdit(), QStringLiteral("园")); },
        // One character for another: the score keeps its lines, and only
        // that owner changes.
        [&] { setLyricCursor(3, 2); typeText(doc->lyricEdit(), QStringLiteral("春")); },
        [&] { doc->undoStack()->undo(); },
        [&] { doc->undoStack()->undo(); },
        [&] { doc->undoStack()->redo(); },
    };
    for (int i = 0; i < edits.size(); ++i) {
        edits.at(i)();
        QVERIFY2(shown() == fresh(), qPrintable(QStringLiteral("after edit %1").arg(i)));
    }
}

void TestCommands::insertOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("lyricBefore");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<QString>("lyricAfter");
    QTest::addColumn<QString>("selected");
    QTest::addRow("title on an empty line") << "insertTitle" << QString() << 0 << 0 << QStringLiteral("# 标题")
                                            << QStringLiteral("标题");
    QTest::addRow("title after a sung line") << "insertTitle" << QStringLiteral("你好") << 1 << 1
                                             << QStringLiteral("你好\n# 标题") << QStringLiteral("标题");
    QTest::addRow("tune name") << "insertQuPai" << QStringLiteral("你好") << 1 << 1
                               << QStringLiteral("你好\n【曲牌名】(调名)") << QStringLiteral("曲牌名");
    QTest::addRow("spoken passage") << "insertLianBai" << QString() << 0 << 0 << QStringLiteral("= ") << QString();
    QTest::addRow("jiabai") << "insertJiaBai" << QString() << 0 << 0 << QStringLiteral("> ") << QString();
    QTest::addRow("comment") << "insertComment" << QStringLiteral("你好") << 1 << 1 << QStringLiteral("你好\n; ")
                             << QString();
    QTest::addRow("line break") << "insertLineBreak" << QString() << 0 << 0 << QStringLiteral("@换行符")
                                << QString();
    QTest::addRow("page break") << "insertPageBreak" << QStringLiteral("你好") << 1 << 1
                                << QStringLiteral("你好\n@分页符") << QString();
    // A selection stays text of the document: the marker goes in at the
    // caret's end of it, on a line of its own.
    QTest::addRow("title, selection ending on an empty line")
        << "insertTitle" << QStringLiteral("你好\n") << 3 << 1 << QStringLiteral("你好\n# 标题")
        << QStringLiteral("标题");
    QTest::addRow("title, selection from an empty line back into a sung line")
        << "insertTitle" << QStringLiteral("你好\n\n原来") << 1 << 3 << QStringLiteral("你好\n# 标题\n\n原来")
        << QStringLiteral("标题");
    QTest::addRow("page break, selection ending on an empty line between sung lines")
        << "insertPageBreak" << QStringLiteral("你好\n\n原来") << 3 << 0 << QStringLiteral("你好\n@分页符\n原来")
        << QString();
    QTest::addRow("tune name, caret in the middle of a title")
        << "insertQuPai" << QStringLiteral("# 游园") << 2 << 2 << QStringLiteral("# 游园\n【曲牌名】(调名)")
        << QStringLiteral("曲牌名");
}

void TestCommands::insertOperations()
{
    QFETCH(QString, operation);
    QFETCH(QString, lyricBefore);
    QFETCH(int, position);
    QFETCH(int, anchor);
    QFETCH(QString, lyricAfter);
    QFETCH(QString, selected);
    // One score line for each sung character of the lyrics.
    int sung = 0;
    for (const QString &line : lyricBefore.split(QLatin1Char('\n')))
        sung += isStructuralLine(line) ? 0 : countLyricChars(line);
    const QString scoreBefore = sung == 0 ? QString() : QString(sung - 1, QLatin1Char('\n'));
    load(lyricBefore, scoreBefore);
    setLyricCursor(position, anchor);
    QVERIFY(QMetaObject::invokeMethod(this, [this, operation] {
        const QHash<QString, void (QL_Edit::*)()> operations = {
            {"insertTitle", &QL_Edit::insertTitle},         {"insertQuPai", &QL_Edit::insertQuPai},
            {"insertLianBai", &QL_Edit::insertLianBai},     {"insertJiaBai", &QL_Edit::insertJiaBai},
            {"insertComment", &QL_Edit::insertComment},     {"insertLineBreak", &QL_Edit::insertLineBreak},
            {"insertPageBreak", &QL_Edit::insertPageBreak},
        };
        (doc->*operations.value(operation))();
    }));
    QCOMPARE(lyric(), lyricAfter);
    QCOMPARE(doc->lyricEdit()->textCursor().selectedText(), selected);
    // Marker lines are structural: no score line comes or goes.
    QCOMPARE(score(), scoreBefore);
    QCOMPARE(doc->undoStack()->count(), 1);
}

void TestCommands::everyTypedCharacterIsACommand_data()
{
    QTest::addColumn<bool>("inScore");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    // Empty when the key must type nothing at all.
    QTest::addColumn<QString>("inserted");
    const Qt::KeyboardModifiers none;
    const QString ideographB = QStringLiteral(u"\U00020000");
    const QString notation = QStringLiteral(u"\U000F002A");
    for (const bool inScore : {false, true}) {
        const char *editor = inScore ? "score" : "lyric";
        QTest::addRow("%s: CJK extension B", editor) << inScore << ideographB << none << ideographB;
        QTest::addRow("%s: notation symbol", editor) << inScore << notation << none << notation;
        QTest::addRow("%s: zero-width joiner", editor) << inScore << QStringLiteral(u"\u200D") << none
                                                       << QStringLiteral(u"\u200D");
        QTest::addRow("%s: soft hyphen", editor) << inScore << QStringLiteral(u"\u00AD") << none
                                                 << QStringLiteral(u"\u00AD");
        QTest::addRow("%s: BMP private use", editor) << inScore << QStringLiteral(u"\uE000") << none
                                                     << QStringLiteral(u"\uE000");
        // Some platforms type format characters with Ctrl+Shift held.
        QTest::addRow("%s: joiner with ctrl+shift", editor)
            << inScore << QStringLiteral(u"\u200D") << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
            << QStringLiteral(u"\u200D");
        QTest::addRow("%s: letter with ctrl+meta", editor)
            << inScore << QStringLiteral("k") << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::MetaModifier)
            << QString();
        QTest::addRow("%s: line separator", editor) << inScore << QStringLiteral(u"\u2028") << none
                                                    << (inScore ? QString() : QStringLiteral("\n"));
    }
    QTest::addRow("lyric: tab without its key") << false << QStringLiteral("\t") << none << QStringLiteral("\t");
    QTest::addRow("score: tab without its key") << true << QStringLiteral("\t") << none << QString();
}

void TestCommands::everyTypedCharacterIsACommand()
{
    // Whatever a key types goes in through a command, or not at all: an
    // edit behind the commands' back would make a later undo replay the
    // wrong step.
    QFETCH(bool, inScore);
    QFETCH(QString, typed);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, inserted);
    load(QStringLiteral("原来"), QStringLiteral("ab\ncd"));
    setLyricCursor(0);
    setScoreCursor(0);
    QPlainTextEdit *editor = inScore ? static_cast<QPlainTextEdit *>(doc->scoreEdit()) : doc->lyricEdit();
    const QString before = editor->toPlainText();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, typed);
    QApplication::sendEvent(editor, &press);

    QCOMPARE(editor->toPlainText(), inserted.isEmpty() ? before : inserted + before);
    QCOMPARE(doc->undoStack()->count(), inserted.isEmpty() ? 0 : 1);
    doc->undo();
    QCOMPARE(lyric(), QStringLiteral("原来"));
    QCOMPARE(score(), QStringLiteral("ab\ncd"));
    QVERIFY(!doc->lyricEdit()->document()->isUndoAvailable());
    QVERIFY(!doc->scoreEdit()->document()->isUndoAvailable());
}

void TestCommands::undoAfterSupplementaryCharacter()
{
    // 原来, Home, 𠀀, then undo everything: each step undoes what it did,
    // and the document goes back to empty.
    load(QString(), QString());
    typeText(doc->lyricEdit(), QStringLiteral("原来"));
    QTest::keyClick(doc->lyricEdit(), Qt::Key_Home);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral(u"\U00020000"));
    QApplication::sendEvent(doc->lyricEdit(), &press);
    QCOMPARE(lyric(), QStringLiteral(u"\U00020000原来"));

    const QStringList lyrics = {QStringLiteral("原来"), QStringLiteral("原"), QString()};
    const QStringList scores = {QStringLiteral("\n"), QString(), QString()};
    for (int i = 0; i < lyrics.size(); ++i) {
        QTest::keyClick(doc->lyricEdit(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lyric(), lyrics.at(i));
        QCOMPARE(score(), scores.at(i));
    }
    QVERIFY(!doc->undoStack()->canUndo());
}

void TestCommands::lyricLineEndsBecomeLines_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addRow("line feed") << QStringLiteral("\n");
    QTest::addRow("windows") << QStringLiteral("\r\n");
    QTest::addRow("old mac") << QStringLiteral("\r");
    QTest::addRow("line separator") << QStringLiteral(u"\u2028");
    QTest::addRow("paragraph separator") << QStringLiteral(u"\u2029");
}

void TestCommands::lyricLineEndsBecomeLines()
{
    // Each line end is a line of the lyrics, as it will be in the saved
    // file: a line separator kept inside its line would be a line end after
    // reopening.
    QFETCH(QString, separator);
    load(QString(), QString());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("原来") + separator + QStringLiteral("姹"));
    QApplication::sendEvent(doc->lyricEdit(), &commit);
    QCOMPARE(doc->lyricEdit()->blockCount(), 2);
    QCOMPARE(doc->lyricEdit()->document()->firstBlock().text(), QStringLiteral("原来"));
    QCOMPARE(doc->scoreEdit()->blockCount(), 3);
}

void TestCommands::scoreFollowsSungCharacters_data()
{
    QTest::addColumn<QString>("lyricBefore");
    QTest::addColumn<QString>("scoreBefore");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("anchor");
    // Typed at the position, or the selection (or the character before the
    // position) deleted when empty.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("lyricAfter");
    QTest::addColumn<QString>("scoreAfter");
    QTest::addRow("first character takes the empty line")
        << QString() << QString() << 0 << 0 << QStringLiteral("我") << QStringLiteral("我") << QString();
    QTest::addRow("first characters, three at once")
        << QString() << QString() << 0 << 0 << QStringLiteral("原来姹") << QStringLiteral("原来姹")
        << QStringLiteral("\n\n");
    QTest::addRow("notation typed before any lyric goes to the first character")
        << QString() << QStringLiteral("工") << 0 << 0 << QStringLiteral("原来") << QStringLiteral("原来")
        << QStringLiteral("工\n");
    QTest::addRow("first sung character after a title")
        << QStringLiteral("# 题\n") << QString() << 4 << 4 << QStringLiteral("我") << QStringLiteral("# 题\n我")
        << QString();
    QTest::addRow("deleting the last character leaves the empty line")
        << QStringLiteral("我") << QStringLiteral("工") << 1 << 1 << QString() << QString() << QString();
    QTest::addRow("deleting all characters leaves the empty line")
        << QStringLiteral("原来\n姹") << QStringLiteral("a\nb\nc") << 4 << 0 << QString() << QString() << QString();
    QTest::addRow("a title over the only sung line")
        << QStringLiteral("原来") << QStringLiteral("a\nb") << 0 << 0 << QStringLiteral("#")
        << QStringLiteral("#原来") << QString();
    // An older file's extra line stays extra.
    QTest::addRow("older file: typing keeps the extra line")
        << QStringLiteral("我") << QStringLiteral("工\n") << 1 << 1 << QStringLiteral("你")
        << QStringLiteral("我你") << QStringLiteral("工\n\n");
    QTest::addRow("older file: deleting the last keeps the extra line")
        << QStringLiteral("我") << QStringLiteral("工\n尺") << 1 << 1 << QString() << QString()
        << QStringLiteral("\n尺");
    QTest::addRow("older file: the first character takes the first line")
        << QString() << QStringLiteral("\n尺") << 0 << 0 << QStringLiteral("我") << QStringLiteral("我")
        << QStringLiteral("\n尺");
}

void TestCommands::scoreFollowsSungCharacters()
{
    QFETCH(QString, lyricBefore);
    QFETCH(QString, scoreBefore);
    QFETCH(int, position);
    QFETCH(int, anchor);
    QFETCH(QString, typed);
    QFETCH(QString, lyricAfter);
    QFETCH(QString, scoreAfter);
    load(lyricBefore, scoreBefore);
    setLyricCursor(position, anchor);
    if (typed.isEmpty())
        QTest::keyClick(doc->lyricEdit(), Qt::Key_Backspace);
    else
        typeText(doc->lyricEdit(), typed);
    QCOMPARE(lyric(), lyricAfter);
    QCOMPARE(score(), scoreAfter);
    undoAll();
    QCOMPARE(lyric(), lyricBefore);
    QCOMPARE(score(), scoreBefore);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
