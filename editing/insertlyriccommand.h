#ifndef INSERTLYRICCOMMAND_H
#define INSERTLYRICCOMMAND_H

#include "lyriccommand.h"

#include <QString>

// Text typed, committed by an input method or pasted into the lyric editor.
// A selection is first removed by a command of its own; new lyric characters
// get empty score lines at their ordinals.
class InsertLyricCommand : public LyricCommand
{
public:
    InsertLyricCommand(QL_Edit *edit, const QString &text);

private:
    // The edit itself, while the cursor pairing keeps still.
    void insert(const QString &text);
};

#endif // INSERTLYRICCOMMAND_H
