// The text documents' own undo history, bounded with the document's undo
// stack: commands the stack drops leave no steps behind, and trimming them
// changes neither the texts nor what undo and redo reach.

#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "texthistorybound.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QUndoStack>

namespace {

struct Texts
{
    QString lyric;
    QString score;
    bool operator==(const Texts &other) const { return lyric == other.lyric && score == other.score; }
};

Texts textsOf(const QL_Edit &edit)
{
    return {edit.lyricEdit()->toPlainText(), edit.scoreEdit()->toPlainText()};
}

// Edit i of a session: a sung character typed, every fifth a Backspace, and
// now and then a new line, so that both documents gain steps.
void editOnce(QL_Edit &edit, int i)
{
    static const QString sung = QStringLiteral("原来姹紫嫣红开遍");
    int key = Qt::Key_unknown;
    QString text(sung.at(i % sung.size()));
    if (i % 5 == 4) {
        key = Qt::Key_Backspace;
        text.clear();
    } else if (i % 7 == 6) {
        key = Qt::Key_Return;
        text = QStringLiteral("\r");
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit.lyricEdit(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(edit.lyricEdit(), &release);
    QCoreApplication::processEvents();
}

} // namespace

class TestTextHistory : public QObject
{
    Q_OBJECT

private slots:
    void historyBoundedWithStack_data();
    void historyBoundedWithStack();
};

void TestTextHistory::historyBoundedWithStack_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("edits");
    // Commands undone when the history is trimmed: they stay to be redone.
    QTest::addColumn<int>("undone");
    QTest::addRow("within the limit") << 6 << 6 << 0;
    QTest::addRow("past the limit") << 6 << 27 << 0;
    QTest::addRow("far past, some commands undone") << 6 << 50 << 4;
    QTest::addRow("every command undone") << 6 << 31 << 6;
}

void TestTextHistory::historyBoundedWithStack()
{
    QFETCH(int, limit);
    QFETCH(int, edits);
    QFETCH(int, undone);
    QL_Edit edit;
    edit.resize(800, 400);
    edit.show();
    edit.undoStack()->setUndoLimit(limit);
    edit.lyricEdit()->setFocus();

    QList<Texts> history = {textsOf(edit)};
    for (int i = 0; i < edits; ++i) {
        editOnce(edit, i);
        history.append(textsOf(edit));
    }
    QCOMPARE(edit.undoStack()->count(), qMin(limit, edits));
    for (int i = 0; i < undone; ++i)
        edit.undo();
    const Texts before = textsOf(edit);
    const int cursor = edit.lyricEdit()->textCursor().position();
    auto *bound = edit.findChild<TextHistoryBound *>();
    QVERIFY(bound);
    bound->trim();
    QVERIFY(textsOf(edit) == before);
    QCOMPARE(edit.lyricEdit()->textCursor().position(), cursor);
    QCOMPARE(edit.undoStack()->index(), edit.undoStack()->count() - undone);

    // Undo reaches back exactly as far as the stack holds, and the
    // documents keep nothing older.
    while (edit.undoStack()->canUndo())
        edit.undo();
    QVERIFY(textsOf(edit) == history.at(edits - edit.undoStack()->count()));
    QVERIFY(!edit.lyricEdit()->document()->isUndoAvailable());
    QVERIFY(!edit.scoreEdit()->document()->isUndoAvailable());
    while (edit.undoStack()->canRedo())
        edit.redo();
    QVERIFY(textsOf(edit) == history.last());
}

QTEST_MAIN(TestTextHistory)
#include "tst_texthistory.moc"
