#ifndef DELETELYRICCOMMAND_H
#define DELETELYRICCOMMAND_H

#include "lyriccommand.h"

#include <QTextCursor>
#include <Qt>

// Backspace or Delete in the lyric editor: removes the selection, or one
// character (to the line's start or end with Ctrl alone), and the score lines
// of the lyric characters that went with it.
class DeleteLyricCommand : public LyricCommand
{
public:
    DeleteLyricCommand(QL_Edit *edit, bool backward, Qt::KeyboardModifiers modifiers);

private:
    // Removes the cursor's selection, while the cursor pairing keeps still.
    void remove(QTextCursor cursor);
};

#endif // DELETELYRICCOMMAND_H
