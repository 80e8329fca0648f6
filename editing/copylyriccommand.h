#ifndef COPYLYRICCOMMAND_H
#define COPYLYRICCOMMAND_H

#include "ql_command.h"

// Puts the lyric editor's selection on the clipboard together with the
// notation of its sung characters. It changes neither document, so it never
// enters the undo stack: its creator deletes it at once.
class CopyLyricCommand : public QL_Command
{
public:
    explicit CopyLyricCommand(QL_Edit *edit);

    bool hasChanges() const override { return false; }
};

#endif // COPYLYRICCOMMAND_H
