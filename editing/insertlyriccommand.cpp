#include "insertlyriccommand.h"

#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"
#include "undostepcounter.h"

#include <QTextBlock>

InsertLyricCommand::InsertLyricCommand(QL_Edit *edit, const QString &text)
    : LyricCommand(edit)
{
    if (text.isEmpty())
        return;
    insert(text);
    edit->lyricCursorPositionChanged();
}

void InsertLyricCommand::insert(const QString &text)
{
    QL_LyricEdit *lyric = edit->lyricEdit();
    ScoreDocument *document = edit->document();
    const ScoreDocument::SyncGuard guard(document);

    deleteSelectionFirst();

    UndoStepCounter lyricCounter(document->lyric());
    UndoStepCounter scoreCounter(document->score());

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
}
