#include "deletelyriccommand.h"

#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"
#include "undostepcounter.h"

#include <QTextBlock>

DeleteLyricCommand::DeleteLyricCommand(QL_Edit *edit, bool backward, Qt::KeyboardModifiers modifiers)
    : LyricCommand(edit)
{
    QL_LyricEdit *lyric = edit->lyricEdit();
    QTextCursor cursor = lyric->textCursor();
    if (!cursor.hasSelection()) {
        const bool wholeLine = modifiers == Qt::ControlModifier;
        if (backward)
            cursor.movePosition(wholeLine ? QTextCursor::StartOfBlock : QTextCursor::PreviousCharacter,
                                QTextCursor::KeepAnchor);
        else
            cursor.movePosition(wholeLine ? QTextCursor::EndOfBlock : QTextCursor::NextCharacter,
                                QTextCursor::KeepAnchor);
    }
    if (!cursor.hasSelection())
        return;
    remove(cursor);
    edit->lyricCursorPositionChanged();
}

void DeleteLyricCommand::remove(QTextCursor cursor)
{
    QL_LyricEdit *lyric = edit->lyricEdit();
    ScoreDocument *document = edit->document();
    const ScoreDocument::SyncGuard guard(document);
    UndoStepCounter lyricCounter(document->lyric());
    UndoStepCounter scoreCounter(document->score());

    const int before = lyricCharsOfLines(cursor.selectionStart(), cursor.selectionEnd());
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    cursor.endEditBlock();
    lyric->setTextCursor(cursor);

    const int position = cursor.position();
    const QString line = cursor.block().text();
    const int after = isStructuralLine(line) ? 0 : countLyricChars(line);
    realignScore(position, before, after);

    lyricSteps = lyricCounter.steps();
    scoreSteps = scoreCounter.steps();
}
