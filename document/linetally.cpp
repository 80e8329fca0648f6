#include "linetally.h"

#include <QTextBlock>
#include <QTextDocument>

LineTally::LineTally(const QTextDocument *document, Counter counter)
    : m_document(document)
    , m_counter(std::move(counter))
    , m_changeConnection(QObject::connect(document, &QTextDocument::contentsChange,
                                          [this](int position, int, int charsAdded) {
                                              m_changeReported = true;
                                              contentsChanged(position, charsAdded);
                                          }))
    // A document without a layout (not shown in an editor) says that it
    // changed but not where.
    , m_changedConnection(QObject::connect(document, &QTextDocument::contentsChanged, [this] {
        if (!m_changeReported)
            m_lineCounts.clear();
        m_changeReported = false;
    }))
{
}

LineTally::~LineTally()
{
    QObject::disconnect(m_changeConnection);
    QObject::disconnect(m_changedConnection);
}

void LineTally::contentsChanged(int position, int charsAdded)
{
    if (m_lineCounts.isEmpty())
        return;
    const int oldCount = m_blockCount;
    const int newCount = m_document->blockCount();
    if (m_countedInsideEdit) {
        m_countedInsideEdit = false;
        m_lineCounts.clear();
        return;
    }
    // The lines the change covers now; every line after them stands as it
    // stood, shifted by the lines the change added or removed. Qt may report
    // a wider range than was changed, never a narrower one.
    const int first = m_document->findBlock(qMax(0, position)).blockNumber();
    const QTextBlock lastBlock = m_document->findBlock(position + charsAdded);
    const int last = (lastBlock.isValid() ? lastBlock.blockNumber() : newCount - 1) + 1;
    const int oldLast = last - (newCount - oldCount);
    if (first < 0 || oldLast <= first || oldLast > oldCount) {
        m_lineCounts.clear();
        return;
    }
    recountLines(first, last, oldLast);
    m_blockCount = newCount;
    m_characterCount = m_document->characterCount();
}

void LineTally::recountLines(int first, int last, int oldLast) const
{
    const int oldSpan = oldLast - first;
    const int newSpan = last - first;
    for (int line = first; line < oldLast; ++line)
        m_total -= m_lineCounts.at(line);
    if (oldSpan != newSpan) {
        m_lineCounts.remove(first, oldSpan);
        m_lineCounts.insert(first, newSpan, 0);
    }
    QTextBlock block = m_document->findBlockByNumber(first);
    for (int line = first; line < last; ++line, block = block.next()) {
        const int count = m_counter(block.text());
        if (oldSpan == newSpan)
            addToTree(line, count - m_lineCounts.at(line));
        m_lineCounts[line] = count;
        m_total += count;
    }
    // Lines came or went: every running total after them moved.
    if (oldSpan != newSpan)
        rebuildTree();
}

void LineTally::rebuildTree() const
{
    const int n = int(m_lineCounts.size());
    m_tree = m_lineCounts;
    for (int i = 0; i < n; ++i) {
        const int parent = i | (i + 1);
        if (parent < n)
            m_tree[parent] += m_tree.at(i);
    }
}

void LineTally::addToTree(int line, int delta) const
{
    if (delta == 0)
        return;
    for (int i = line; i < m_tree.size(); i |= i + 1)
        m_tree[i] += delta;
}

void LineTally::recountAll() const
{
    m_blockCount = m_document->blockCount();
    m_characterCount = m_document->characterCount();
    m_lineCounts.resize(m_blockCount);
    m_total = 0;
    int line = 0;
    for (QTextBlock block = m_document->firstBlock(); block.isValid(); block = block.next(), ++line) {
        m_lineCounts[line] = m_counter(block.text());
        m_total += m_lineCounts.at(line);
    }
    rebuildTree();
}

void LineTally::ensureCounts() const
{
    if (!m_lineCounts.isEmpty() && m_blockCount == m_document->blockCount()
        && m_characterCount == m_document->characterCount())
        return;
    // Changed without a report: an edit block is still open.
    if (!m_lineCounts.isEmpty())
        m_countedInsideEdit = true;
    recountAll();
}

int LineTally::total() const
{
    ensureCounts();
    return m_total;
}

int LineTally::countOf(int line) const
{
    ensureCounts();
    return line >= 0 && line < m_lineCounts.size() ? m_lineCounts.at(line) : 0;
}

int LineTally::countThrough(int line) const
{
    ensureCounts();
    int sum = 0;
    for (int i = qMin(line, int(m_tree.size()) - 1); i >= 0; i = (i & (i + 1)) - 1)
        sum += m_tree.at(i);
    return sum;
}

int LineTally::lineReaching(int n) const
{
    ensureCounts();
    if (n < 1 || n > m_total)
        return -1;
    // Descends the tree: the longest run of first lines that totals less
    // than n; the line after it reaches n.
    const int size = int(m_tree.size());
    int step = 1;
    while (step * 2 <= size)
        step *= 2;
    int line = 0;
    int remaining = n;
    for (; step > 0; step /= 2) {
        const int next = line + step;
        if (next <= size && m_tree.at(next - 1) < remaining) {
            line = next;
            remaining -= m_tree.at(next - 1);
        }
    }
    return line < size ? line : -1;
}
