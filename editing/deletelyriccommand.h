#ifndef DELETELYRICCOMMAND_H
#define DELETELYRICCOMMAND_H

#include "ql_command.h"

#include <Qt>

// Backspace or Delete in the lyric editor: removes the selection, or one
// character (to the line's start or end with Ctrl alone), and the score lines
// of the lyric characters that went with it.
class DeleteLyricCommand : public QL_Command
{
public:
    DeleteLyricCommand(QL_Edit *edit, bool backward, Qt::KeyboardModifiers modifiers);

    void undo() override;
    void redo() override;
    bool hasChanges() const override { return lyricSteps + scoreSteps > 0; }

private:
    int lyricSteps = 0;
    int scoreSteps = 0;
};

#endif // DELETELYRICCOMMAND_H
