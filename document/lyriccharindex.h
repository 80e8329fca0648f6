#ifndef LYRICCHARINDEX_H
#define LYRICCHARINDEX_H

#include <QMetaObject>
#include <QString>
#include <QVector>

class QTextDocument;

// Finds lyric characters of a lyric document by their ordinal: the k-th lyric
// character, counted over the non-structural lines, owns score line k.
//
// The answers are those of a walk over the document from its first line, but
// the per-line counts are kept between calls: the score gutter asks for every
// visible line at every repaint, and a walk per question would make each
// keystroke cost the whole document times the visible lines. The counts are
// rebuilt on the first question after the document reports a change. A
// document reports changes only when its outermost edit block closes, so the
// counts also check the document's size; callers must not ask from inside an
// open edit block that replaced text by text of the same length.
class LyricCharIndex
{
public:
    explicit LyricCharIndex(const QTextDocument *document);
    ~LyricCharIndex();

    LyricCharIndex(const LyricCharIndex &) = delete;
    LyricCharIndex &operator=(const LyricCharIndex &) = delete;

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
    void ensureCounts() const;

    const QTextDocument *m_document;
    QMetaObject::Connection m_changeConnection;

    // For each line: the lyric characters up to and including it; structural
    // lines add none. Empty while stale.
    mutable QVector<int> m_countThrough;
    mutable int m_firstSungLine = -1;
    mutable int m_blockCount = -1;
    mutable int m_characterCount = -1;
};

#endif // LYRICCHARINDEX_H
