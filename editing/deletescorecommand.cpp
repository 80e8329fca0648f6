#include "deletescorecommand.h"

#include "ql_edit.h"
#include "ql_scoreedit.h"
#include "scoredocument.h"
#include "undostepcounter.h"

#include <QTextBlock>

DeleteScoreCommand::DeleteScoreCommand(QL_Edit *edit, bool backward, Qt::KeyboardModifiers modifiers)
    : QL_Command(edit)
{
    QL_ScoreEdit *score = edit->scoreEdit();
    QTextCursor cursor = score->textCursor();
    const bool shift = modifiers == Qt::ShiftModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;

    if (!cursor.hasSelection()) {
        if (backward) {
            if (shift) {
                cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
            } else if (cursor.atBlockStart()) {
                cursor.movePosition(QTextCursor::PreviousCharacter);
                score->setTextCursor(cursor);
                return;
            } else {
                cursor.movePosition(ctrl ? QTextCursor::StartOfBlock : QTextCursor::PreviousCharacter,
                                    QTextCursor::KeepAnchor);
            }
        } else {
            if (shift) {
                cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            } else if (cursor.atBlockEnd()) {
                cursor.movePosition(QTextCursor::NextCharacter);
                score->setTextCursor(cursor);
                return;
            } else {
                cursor.movePosition(ctrl ? QTextCursor::EndOfBlock : QTextCursor::NextCharacter,
                                    QTextCursor::KeepAnchor);
            }
        }
    }
    if (!cursor.hasSelection())
        return;

    UndoStepCounter counter(score->document());
    if (shift) {
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        cursor.endEditBlock();
        done = counter.steps() > 0;
        score->setTextCursor(cursor);
        return;
    }

    {
    const ScoreDocument::SyncGuard guard(edit->document());
    const int position = cursor.position();
    const int anchor = cursor.anchor();
    const QTextDocument *document = score->document();
    const int lineBreaks = document->findBlock(cursor.selectionEnd()).blockNumber()
                           - document->findBlock(cursor.selectionStart()).blockNumber();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.insertText(QString(lineBreaks, QLatin1Char('\n')));
    cursor.endEditBlock();
    score->setTextCursor(cursor);
    if (position < anchor) {
        cursor.setPosition(position);
        score->setTextCursor(cursor);
    }
    done = counter.steps() > 0;
    }
    edit->scoreCursorPositionChanged();
}

void DeleteScoreCommand::undo()
{
    edit->scoreEdit()->undo();
}

void DeleteScoreCommand::redo()
{
    if (isPushRedo())
        return;
    edit->scoreEdit()->redo();
}
