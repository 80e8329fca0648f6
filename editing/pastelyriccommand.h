#ifndef PASTELYRICCOMMAND_H
#define PASTELYRICCOMMAND_H

#include "lyriccommand.h"
#include "lyricclipboard.h"

// Pastes the clipboard at the lyric editor's cursor. Lyric text copied by
// this program brings its notation: each pasted sung character gets a new
// score line holding the notation it was copied with. Text from other
// programs is pasted as if typed, through a command of its own. A selection
// is first removed by a command of its own, so replacing it takes two undo
// steps.
class PasteLyricCommand : public LyricCommand
{
public:
    explicit PasteLyricCommand(QL_Edit *edit);

private:
    void paste(const LyricClipboard::Entries &entries);
    // Inserts the pasted text and its notation, while the cursor pairing
    // keeps still.
    void insert(const QStringList &pieces, const LyricClipboard::Entries &entries);
};

#endif // PASTELYRICCOMMAND_H
