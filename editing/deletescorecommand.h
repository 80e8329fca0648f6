#ifndef DELETESCORECOMMAND_H
#define DELETESCORECOMMAND_H

#include "ql_command.h"

#include <Qt>

// Backspace or Delete in the score editor. An ordinary delete never joins
// or splits score lines: at a line's edge it only steps over the line break,
// and a selection across lines leaves its line breaks behind. With Shift alone
// it removes exactly one character, line breaks included.
class DeleteScoreCommand : public QL_Command
{
public:
    DeleteScoreCommand(QL_Edit *edit, bool backward, Qt::KeyboardModifiers modifiers);

    void undo() override;
    void redo() override;
    bool hasChanges() const override { return done; }

private:
    bool done = false;
};

#endif // DELETESCORECOMMAND_H
