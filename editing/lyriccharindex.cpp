#include "lyriccharindex.h"

#include "linegrammar.h"

#include <QTextBlock>
#include <QTextDocument>

LyricCharIndex::LyricCharIndex(const QTextDocument *document)
    : m_document(document)
{
}

QString LyricCharIndex::lyricText() const
{
    QString lyrics;
    for (QTextBlock block = m_document->findBlockByNumber(0); block.isValid(); block = block.next()) {
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
    int count = 0;
    for (QTextBlock block = m_document->findBlockByNumber(0); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (!isStructuralLine(text))
            count += countLyricChars(text);
    }
    return count;
}

int LyricCharIndex::lyricIndexAt(int position) const
{
    position = qMax(0, position);
    const QTextBlock target = m_document->findBlock(position);
    int total = 0;
    for (QTextBlock block = m_document->findBlockByNumber(0); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (block == target) {
            if (!isStructuralLine(text))
                total += countLyricChars(text.left(position - block.position()));
            break;
        }
        if (!isStructuralLine(text))
            total += countLyricChars(text);
    }
    return total - 1;
}

int LyricCharIndex::positionAfterLyricChar(int n) const
{
    n = qMax(0, n);
    int total = 0;
    QTextBlock last;
    for (QTextBlock block = m_document->findBlockByNumber(0); block.isValid(); block = block.next()) {
        last = block;
        const QString text = block.text();
        if (isStructuralLine(text))
            continue;
        total += countLyricChars(text);
        if (total >= n)
            return block.position() + lyricCharBoundary(text, total - n);
    }
    return last.isValid() ? last.position() + last.text().size() : 0;
}

QString LyricCharIndex::lyricCharAt(int n) const
{
    if (lyricCharCount() < n)
        return QString();
    // The one character to the left of the boundary.
    const int position = positionAfterLyricChar(n) - 1;
    if (position < 0 || isStructuralLine(m_document->findBlock(position).text()))
        return QString();
    const QChar c = m_document->characterAt(position);
    // A block end reads as the paragraph separator, as a selection would.
    return QString(c);
}
