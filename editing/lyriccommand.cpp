#include "lyriccommand.h"

#include "deletelyriccommand.h"
#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "scoredocument.h"

#include <QTextBlock>

LyricCommand::LyricCommand(QL_Edit *edit)
    : QL_Command(edit)
{
}

void LyricCommand::undo()
{
    replay(true);
}

void LyricCommand::redo()
{
    if (isPushRedo())
        return;
    replay(false);
}

void LyricCommand::replay(bool undo)
{
    QL_LyricEdit *lyric = edit->lyricEdit();
    QL_ScoreEdit *score = edit->scoreEdit();
    {
        const ScoreDocument::SyncGuard guard(edit->document());
        for (int i = 0; i < scoreSteps; ++i)
            undo ? score->undo() : score->redo();
        for (int i = 0; i < lyricSteps; ++i)
            undo ? lyric->undo() : lyric->redo();
    }
    edit->lyricCursorPositionChanged();
}

void LyricCommand::realignScore(int position, int before, int after)
{
    ScoreDocument *document = edit->document();
    const int at = document->lyricIndex().lyricIndexAt(position) + 1;
    // A score without sung characters is the one line a new document starts
    // with: the first sung character takes it, and the last one leaves it,
    // so that every score line has its character from the first keystroke.
    // A score that has lines too many or too few keeps that difference.
    const int total = document->lyricIndex().lyricCharCount();
    if (after > before) {
        if (total - (after - before) == 0) {
            if (after - before > 1)
                document->insertScoreLines(1, after - before - 1);
        } else {
            document->insertScoreLines(at, after - before);
        }
    } else if (after < before) {
        if (total == 0)
            document->clearFirstScoreLines(before - after);
        else
            document->deleteScoreLines(at, before - after);
    }
}

int LyricCommand::lyricCharsOfLines(int from, int to) const
{
    const QTextDocument *document = edit->document()->lyric();
    QTextBlock block = document->findBlock(from);
    const QTextBlock last = document->findBlock(to);
    int count = 0;
    for (; block.isValid(); block = block.next()) {
        if (!isStructuralLine(block.text()))
            count += countLyricChars(block.text());
        if (block == last)
            break;
    }
    return count;
}

void LyricCommand::deleteSelectionFirst()
{
    if (edit->lyricEdit()->textCursor().hasSelection())
        pushIfChanged(edit->undoStack(), new DeleteLyricCommand(edit, true, Qt::NoModifier));
}
