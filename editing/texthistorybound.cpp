#include "texthistorybound.h"

#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QUndoStack>

namespace {

// Where an editor's cursor and view stand, kept across a replay of its
// history: the replay moves both.
struct EditorPlace
{
    explicit EditorPlace(QPlainTextEdit *editor)
        : editor(editor)
        , anchor(editor->textCursor().anchor())
        , position(editor->textCursor().position())
        , horizontal(editor->horizontalScrollBar()->value())
        , vertical(editor->verticalScrollBar()->value())
    {
    }

    void restore() const
    {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
        editor->horizontalScrollBar()->setValue(horizontal);
        editor->verticalScrollBar()->setValue(vertical);
    }

    QPlainTextEdit *editor;
    int anchor;
    int position;
    int horizontal;
    int vertical;
};

} // namespace

TextHistoryBound::TextHistoryBound(QL_Edit *edit)
    : QObject(edit)
    , m_edit(edit)
    , m_lastIndex(edit->undoStack()->index())
{
    connect(edit->undoStack(), &QUndoStack::indexChanged, this, &TextHistoryBound::onStackIndexChanged);
    m_pause.setSingleShot(true);
    m_pause.setInterval(1500);
    connect(&m_pause, &QTimer::timeout, this, &TextHistoryBound::trim);
}

void TextHistoryBound::onStackIndexChanged(int index)
{
    const QUndoStack *stack = m_edit->undoStack();
    const int limit = stack->undoLimit();
    // A cleared stack (a file opened) goes with a cleared history.
    if (stack->count() == 0)
        m_dropped = 0;
    // A push onto a full stack drops its oldest command: the index stays at
    // the limit. Moving back to the limit by redo comes from below it.
    if (limit > 0 && index == limit && m_lastIndex == limit && stack->count() == limit)
        ++m_dropped;
    m_lastIndex = index;
    if (limit <= 0 || m_dropped < limit)
        return;
    // Never inside the command that dropped the last one: from the event
    // loop, after a pause, or right after this command when the history
    // has grown too long to wait.
    if (m_dropped < 4 * limit)
        m_pause.start();
    else if (m_pause.interval() > 0)
        m_pause.start(0);
}

void TextHistoryBound::trim()
{
    QUndoStack *stack = m_edit->undoStack();
    const int index = stack->index();
    const EditorPlace lyric(m_edit->lyricEdit());
    const EditorPlace score(m_edit->scoreEdit());
    {
        // The texts come back to where they were: nobody is to hear of the
        // way there (a changed text would mark the document modified).
        const QSignalBlocker stackSignals(stack);
        const QSignalBlocker lyricSignals(m_edit->lyricEdit());
        const QSignalBlocker scoreSignals(m_edit->scoreEdit());
        // Every command undone, the documents stand where the oldest one
        // started: all their steps before that are orphans, and the steps
        // of the commands undone stay to be redone.
        stack->setIndex(0);
        m_edit->lyricEdit()->document()->clearUndoRedoStacks(QTextDocument::UndoStack);
        m_edit->scoreEdit()->document()->clearUndoRedoStacks(QTextDocument::UndoStack);
        stack->setIndex(index);
        lyric.restore();
        score.restore();
    }
    m_dropped = 0;
    m_lastIndex = stack->index();
    m_pause.stop();
    m_pause.setInterval(1500);
}
