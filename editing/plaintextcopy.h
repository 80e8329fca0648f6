#ifndef PLAINTEXTCOPY_H
#define PLAINTEXTCOPY_H

class QMimeData;
class QString;

// 复制为文字谱: lyric lines with their notation for the clipboard. Other
// programs get the plain-text score (PlainScoreText: every line, and per
// sung character its notation as ordinary characters); the editor gets, as
// a second flavour, the lines with their notation symbols, so that pasting
// them back loses nothing.
class PlainTextCopy
{
public:
    // Lines first..last of the lyric text, both included; the caller owns
    // the result.
    static QMimeData *mimeData(const QString &lyric, const QString &score, int first, int last);
};

#endif // PLAINTEXTCOPY_H
