#ifndef LYRICCHARINDEX_H
#define LYRICCHARINDEX_H

#include <QString>

class QTextDocument;

// Finds lyric characters of a lyric document by their ordinal: the k-th lyric
// character, counted over the non-structural lines, owns score line k. Every
// operation walks the document from its first block.
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
    // The n-th (1-based) lyric character, or an empty string.
    QString lyricCharAt(int n) const;

private:
    const QTextDocument *m_document;
};

#endif // LYRICCHARINDEX_H
