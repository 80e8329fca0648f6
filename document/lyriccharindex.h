#ifndef LYRICCHARINDEX_H
#define LYRICCHARINDEX_H

#include "linetally.h"

#include <QString>

class QTextDocument;

// Finds lyric characters of a lyric document by their ordinal: the k-th lyric
// character, counted over the non-structural lines, owns score line k.
//
// The answers are those of a walk over the document from its first line, but
// the per-line counts are kept between calls (see LineTally): the score
// gutter asks for every visible line at every repaint, and each keystroke
// recounts only the lines it changed.
class LyricCharIndex
{
public:
    explicit LyricCharIndex(const QTextDocument *document);

    // All lyric characters of the document, in order.
    QString lyricText() const;
    // The number of lyric characters: lyricText().size(), without building it.
    int lyricCharCount() const;
    // The 0-based ordinal of the last lyric character before position, -1 if none.
    int lyricIndexAt(int position) const;
    // The position just after the n-th (1-based) lyric character; the end of
    // the document when there are fewer.
    int positionAfterLyricChar(int n) const;
    // The n-th (1-based) lyric character, or an empty string (also for n < 1).
    QString lyricCharAt(int n) const;

private:
    const QTextDocument *m_document;
    LineTally m_counts;
};

#endif // LYRICCHARINDEX_H
