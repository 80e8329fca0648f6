#ifndef LYRICCOMMAND_H
#define LYRICCOMMAND_H

#include "ql_command.h"

// What the two lyric commands share: a lyric change may add or remove score
// lines, so both documents' steps are counted and replayed together, and the
// score is re-aligned to the lyric characters after the change.
class LyricCommand : public QL_Command
{
public:
    explicit LyricCommand(QL_Edit *edit);

    // Undoes or redoes the score's steps, then the lyrics', and re-pairs the
    // cursors.
    void undo() override;
    void redo() override;
    bool hasChanges() const override { return lyricSteps + scoreSteps > 0; }

protected:
    // After the lyric characters of the touched lines changed in number from
    // `before` to `after`, inserts or removes the score lines of the
    // difference at the ordinal of the first character after position.
    void realignScore(int position, int before, int after);

    // Typing or pasting over a selection first deletes it, as an undo step
    // of its own pushed before this command.
    void deleteSelectionFirst();

    // The lyric characters of the non-structural lines from the line holding
    // `from` through the line holding `to`.
    int lyricCharsOfLines(int from, int to) const;

    // The undo steps the construction added to each document.
    int lyricSteps = 0;
    int scoreSteps = 0;

private:
    void replay(bool undo);
};

#endif // LYRICCOMMAND_H
