#include "lyriccommand.h"

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
    if (after < before)
        document->deleteScoreLines(at, before - after);
    else if (after > before)
        document->insertScoreLines(at, after - before);
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
