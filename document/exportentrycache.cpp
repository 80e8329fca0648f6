#include "exportentrycache.h"

#include "lyriccharindex.h"
#include "scoredocument.h"

#include <QTextBlock>
#include <QTextDocument>

#include <climits>

void ExportEntryCache::Dirty::connect(const QTextDocument *document)
{
    text = document;
    change = QObject::connect(document, &QTextDocument::contentsChange, [this](int position, int, int charsAdded) {
        reported = true;
        record(position, charsAdded);
    });
    // A document without a layout says that it changed but not where.
    changed = QObject::connect(document, &QTextDocument::contentsChanged, [this] {
        if (!reported)
            whole = true;
        reported = false;
    });
    reset();
}

void ExportEntryCache::Dirty::disconnect()
{
    QObject::disconnect(change);
    QObject::disconnect(changed);
}

void ExportEntryCache::Dirty::record(int position, int charsAdded)
{
    const int now = text->blockCount();
    const int delta = now - lines;
    lines = now;
    if (whole)
        return;
    // The lines the change covers now; Qt may report a wider range than was
    // changed, never a narrower one.
    const int changeFirst = text->findBlock(qMax(0, position)).blockNumber();
    const QTextBlock last = text->findBlock(position + charsAdded);
    const int changeEnd = (last.isValid() ? last.blockNumber() : now - 1) + 1;
    const int oldEnd = changeEnd - delta;
    if (changeFirst < 0 || oldEnd <= changeFirst || oldEnd > now - delta) {
        whole = true;
        return;
    }
    if (isEmpty()) {
        first = changeFirst;
        end = changeEnd;
        return;
    }
    // The range recorded before, in the lines as they are now.
    int movedEnd = end;
    if (end >= oldEnd)
        movedEnd = end + delta;
    else if (end > changeFirst)
        movedEnd = changeEnd;
    first = qMin(first, changeFirst);
    end = qMax(movedEnd, changeEnd);
}

void ExportEntryCache::Dirty::reset()
{
    whole = false;
    first = -1;
    end = -1;
    lines = text->blockCount();
    linesAtUpdate = lines;
}

ExportEntryCache::ExportEntryCache(const ScoreDocument *document)
    : m_document(document)
{
    m_lyric.connect(document->lyric());
    m_score.connect(document->score());
}

ExportEntryCache::~ExportEntryCache()
{
    m_lyric.disconnect();
    m_score.disconnect();
}

ExportEntryCache::Change ExportEntryCache::rebuildAll()
{
    const int oldSize = int(m_entries.size());
    const QTextDocument *lyric = m_document->lyric();
    m_entries = buildExportEntries(lyric, m_document->score(), m_document->lyricIndex(), 0, lyric->blockCount());
    m_built = true;
    m_sungAtUpdate = m_document->lyricIndex().lyricCharCount();
    m_lyric.reset();
    m_score.reset();
    return {0, int(m_entries.size()), oldSize};
}

ExportEntryCache::Change ExportEntryCache::update()
{
    const QTextDocument *lyric = m_document->lyric();
    const QTextDocument *score = m_document->score();
    // A change that went unrecorded shows as a line count that moved.
    if (!m_built || m_lyric.whole || m_score.whole || m_lyric.lines != lyric->blockCount()
        || m_score.lines != score->blockCount())
        return rebuildAll();
    const int size = int(m_entries.size());
    if (m_lyric.isEmpty() && m_score.isEmpty())
        return {size, size, size};

    const LyricCharIndex &index = m_document->lyricIndex();
    const int lines = lyric->blockCount();
    const int sung = index.lyricCharCount();
    // The line that holds the sung character with this ordinal (from 0).
    const auto lineOfSung = [&](int ordinal) {
        return lyric->findBlock(index.positionAfterLyricChar(ordinal + 1) - 1).blockNumber();
    };
    int first = INT_MAX;
    int end = -1;
    if (!m_lyric.isEmpty()) {
        first = m_lyric.first;
        end = m_lyric.end;
    }
    // Score lines that no sung character owns reach no entry; the lines
    // after the change read score lines before it then, which stayed where
    // they were.
    int scoreShift = 0;
    if (!m_score.isEmpty() && m_score.first < sung) {
        first = qMin(first, lineOfSung(m_score.first));
        end = qMax(end, lineOfSung(qMin(m_score.end, sung) - 1) + 1);
        scoreShift = m_score.lines - m_score.linesAtUpdate;
    }
    if (first == INT_MAX) {
        m_lyric.reset();
        m_score.reset();
        return {size, size, size};
    }
    // Where the change moved the sung characters by more or less than the
    // score lines that the lines after it read, every one of them reads
    // other notation now.
    if (sung - m_sungAtUpdate != scoreShift)
        end = lines;
    end = qMin(end, lines);
    int oldEnd = end - (lines - m_lyric.linesAtUpdate);
    if (first > end || first > oldEnd || oldEnd > size)
        return rebuildAll();

    QList<ExportEntry> rebuilt = buildExportEntries(lyric, score, index, first, end);
    // Qt reports whole lines and more: keep the ends that did not change.
    int head = 0;
    while (head < rebuilt.size() && first + head < oldEnd && rebuilt.at(head) == m_entries.at(first + head))
        ++head;
    int tail = 0;
    while (tail < rebuilt.size() - head && tail < oldEnd - first - head
           && rebuilt.at(rebuilt.size() - 1 - tail) == m_entries.at(oldEnd - 1 - tail))
        ++tail;
    rebuilt = rebuilt.mid(head, rebuilt.size() - head - tail);
    first += head;
    end -= tail;
    oldEnd -= tail;
    m_sungAtUpdate = sung;
    m_lyric.reset();
    m_score.reset();
    if (first == end && end == oldEnd)
        return {size, size, size};

    const int oldSpan = oldEnd - first;
    const int newSpan = end - first;
    if (oldSpan > newSpan)
        m_entries.remove(first + newSpan, oldSpan - newSpan);
    else if (newSpan > oldSpan)
        m_entries.insert(first + oldSpan, newSpan - oldSpan, ExportEntry());
    for (int i = 0; i < newSpan; ++i)
        m_entries[first + i] = rebuilt.at(i);
    return {first, end, oldEnd};
}
