#include "lyriccharindex.h"

#include "linegrammar.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

LyricCharIndex::LyricCharIndex(const QTextDocument *document)
    : m_document(document)
    , m_changeConnection(QObject::connect(document, &QTextDocument::contentsChange,
                                          [this] { m_countThrough.clear(); }))
{
}

LyricCharIndex::~LyricCharIndex()
{
    QObject::disconnect(m_changeConnection);
}

void LyricCharIndex::ensureCounts() const
{
    if (!m_countThrough.isEmpty() && m_blockCount == m_document->blockCount()
        && m_characterCount == m_document->characterCount())
        return;
    m_blockCount = m_document->blockCount();
    m_characterCount = m_document->characterCount();
    m_countThrough.resize(m_blockCount);
    m_firstSungLine = -1;
    int total = 0;
    int line = 0;
    for (QTextBlock block = m_document->firstBlock(); block.isValid(); block = block.next(), ++line) {
        const QString text = block.text();
        if (!isStructuralLine(text)) {
            total += countLyricChars(text);
            if (m_firstSungLine < 0)
                m_firstSungLine = line;
        }
        m_countThrough[line] = total;
    }
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
    ensureCounts();
    return m_countThrough.last();
}

int LyricCharIndex::lyricIndexAt(int position) const
{
    ensureCounts();
    position = qMax(0, position);
    const QTextBlock block = m_document->findBlock(position);
    if (!block.isValid())
        return m_countThrough.last() - 1;
    const int line = block.blockNumber();
    const int before = line > 0 ? m_countThrough.at(line - 1) : 0;
    const QString text = block.text();
    if (isStructuralLine(text))
        return before - 1;
    return before + countLyricChars(text.left(position - block.position())) - 1;
}

int LyricCharIndex::positionAfterLyricChar(int n) const
{
    ensureCounts();
    n = qMax(0, n);
    // The first sung line whose running total reaches n. For n > 0 that line
    // adds characters, so it is never structural.
    int line = m_firstSungLine;
    if (n > 0) {
        const auto found = std::lower_bound(m_countThrough.cbegin(), m_countThrough.cend(), n);
        line = found == m_countThrough.cend() ? -1 : int(found - m_countThrough.cbegin());
    }
    if (line < 0) {
        const QTextBlock last = m_document->lastBlock();
        return last.position() + last.length() - 1;
    }
    const QTextBlock block = m_document->findBlockByNumber(line);
    return block.position() + lyricCharBoundary(block.text(), m_countThrough.at(line) - n);
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
