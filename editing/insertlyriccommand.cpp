#include "insertlyriccommand.h"

#include "deletelyriccommand.h"
#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "undostepcounter.h"

#include <QTextBlock>

InsertLyricCommand::InsertLyricCommand(QL_Edit *edit, const QString &text)
    : LyricCommand(edit)
{
    if (text.isEmpty())
        return;
    QL_LyricEdit *lyric = edit->lyricEdit();
    edit->syncing = true;

    if (lyric->textCursor().hasSelection()) {
        pushIfChanged(edit->undoStack(), new DeleteLyricCommand(edit, true, Qt::NoModifier));
        edit->syncing = true;
    }

    UndoStepCounter lyricCounter(lyric->document());
    UndoStepCounter scoreCounter(edit->scoreEdit()->document());

    QTextCursor cursor = lyric->textCursor();
    const int position = cursor.position();
    const QString line = cursor.block().text();
    const int before = isStructuralLine(line) ? 0 : countLyricChars(line);

    cursor.beginEditBlock();
    // A line separator would stay inside its line here but become a line
    // end in the saved file: the lines, and with them the pairing, would
    // differ after reopening. Every line end goes in as a plain one.
    cursor.insertText(withLineFeeds(text));
    cursor.endEditBlock();
    lyric->setTextCursor(cursor);

    const int after = lyricCharsOfLines(position, cursor.position());
    realignScore(position, before, after);

    lyricSteps = lyricCounter.steps();
    scoreSteps = scoreCounter.steps();
    edit->syncing = false;
    edit->lyricCursorPositionChanged();
}
