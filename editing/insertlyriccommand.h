#ifndef INSERTLYRICCOMMAND_H
#define INSERTLYRICCOMMAND_H

#include "ql_command.h"

#include <QString>

// Text typed, committed by an input method or pasted into the lyric editor.
// A selection is first removed by a command of its own; new lyric characters
// get empty score lines at their ordinals.
class InsertLyricCommand : public QL_Command
{
public:
    InsertLyricCommand(QL_Edit *edit, const QString &text);

    void undo() override;
    void redo() override;
    bool hasChanges() const override { return lyricSteps + scoreSteps > 0; }

private:
    int lyricSteps = 0;
    int scoreSteps = 0;
};

#endif // INSERTLYRICCOMMAND_H
