#include "lyriccharindex.h"

#include "linegrammar.h"

#include <QTextBlock>
#include <QTextDocument>


LyricCharIndex::LyricCharIndex(const QTextDocument *document)
    : m_document(document)
    , m_counts(document, [](const QString &line) { return isStructuralLine(line) ? 0 : countLyricChars(line); })
{
}

QString LyricCharIndex::lyricText() const
{
    QString lyrics;
    for (QTextBlock block = m_document->firstBlock(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (isStructuralLine(text))
            continue;
        for (QChar c : text) {
            if (isLyricChar(c))
                lyrics.append(c);
        }
    }
    return lyrics;
}

int LyricCharIndex::lyricCharCount() const
{
    return m_counts.total();
}

int LyricCharIndex::lyricIndexAt(int position) const
{
    position = qMax(0, position);
    const QTextBlock block = m_document->findBlock(position);
    if (!block.isValid())
        return m_counts.total() - 1;
    const int before = m_counts.countThrough(block.blockNumber() - 1);
    const QString text = block.text();
    if (isStructuralLine(text))
        return before - 1;
    return before + countLyricChars(text.left(position - block.position())) - 1;
}

int LyricCharIndex::positionAfterLyricChar(int n) const
{
    n = qMax(0, n);
    // The first sung line whose running total reaches n. For n > 0 that line
    // adds characters, so it is never structural.
    QTextBlock block;
    if (n > 0) {
        block = m_document->findBlockByNumber(m_counts.lineReaching(n));
    } else {
        // Before the first character: the start of the first sung line, which
        // is rarely far down.
        block = m_document->firstBlock();
        while (block.isValid() && isStructuralLine(block.text()))
            block = block.next();
    }
    if (!block.isValid()) {
        const QTextBlock last = m_document->lastBlock();
        return last.position() + last.length() - 1;
    }
    return block.position() + lyricCharBoundary(block.text(), m_counts.countThrough(block.blockNumber()) - n);
}

QString LyricCharIndex::lyricCharAt(int n) const
{
    // There is no character before the first: what stands before the first
    // lyric character is whatever the line starts with, not a lyric one.
    if (n < 1 || lyricCharCount() < n)
        return QString();
    // The one character to the left of the boundary.
    const int position = positionAfterLyricChar(n) - 1;
    if (position < 0 || isStructuralLine(m_document->findBlock(position).text()))
        return QString();
    // A line end reads as the paragraph separator, as a selection would.
    return QString(m_document->characterAt(position));
}
