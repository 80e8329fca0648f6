#include "linetally.h"

#include <QTextBlock>
#include <QTextDocument>

#include <numeric>

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
            m_runs.clear();
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
    if (m_runs.empty())
        return;
    const int oldCount = m_blockCount;
    const int newCount = m_document->blockCount();
    if (m_countedInsideEdit) {
        m_countedInsideEdit = false;
        m_runs.clear();
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
        m_runs.clear();
        return;
    }
    recountLines(first, last, oldLast);
    m_blockCount = newCount;
    m_characterCount = m_document->characterCount();
}

namespace {

// Lines per run as counted afresh; a run that grows to twice as many is
// split. A few hundred keeps both the counts moved by an inserted line and
// the run sums added up for a running total small at 50,000 lines.
constexpr int runLength = 256;

} // namespace

void LineTally::recountLines(int first, int last, int oldLast) const
{
    QVector<int> counts;
    counts.reserve(last - first);
    QTextBlock block = m_document->findBlockByNumber(first);
    for (int line = first; line < last; ++line, block = block.next())
        counts.append(m_counter(block.text()));
    if (last - first != oldLast - first) {
        eraseLines(first, oldLast - first);
        insertLines(first, counts);
        return;
    }
    // As many lines as before: their counts change in place.
    Place at = place(first);
    for (int count : std::as_const(counts)) {
        Run &run = m_runs[at.run];
        const int delta = count - run.counts.at(at.offset);
        run.counts[at.offset] = count;
        run.sum += delta;
        m_total += delta;
        if (++at.offset == run.counts.size()) {
            ++at.run;
            at.offset = 0;
        }
    }
}

LineTally::Place LineTally::place(int line) const
{
    Place at;
    for (; at.run < int(m_runs.size()); ++at.run) {
        const Run &run = m_runs[at.run];
        if (line < at.linesBefore + run.counts.size()) {
            at.offset = line - at.linesBefore;
            return at;
        }
        at.linesBefore += run.counts.size();
        at.countBefore += run.sum;
    }
    return at;
}

void LineTally::eraseLines(int first, int count) const
{
    const Place at = place(first);
    int index = at.run;
    int offset = at.offset;
    while (count > 0 && index < int(m_runs.size())) {
        Run &run = m_runs[index];
        const int taken = qMin(count, int(run.counts.size()) - offset);
        for (int i = offset; i < offset + taken; ++i) {
            run.sum -= run.counts.at(i);
            m_total -= run.counts.at(i);
        }
        run.counts.remove(offset, taken);
        count -= taken;
        if (run.counts.isEmpty())
            m_runs.erase(m_runs.begin() + index);
        else
            ++index;
        offset = 0;
    }
    // A run left short joins its neighbour unless that would make a run to be
    // split, so that the number of runs follows the number of lines.
    const int joined = qMax(1, at.run);
    if (joined < int(m_runs.size())
        && m_runs[joined - 1].counts.size() + m_runs[joined].counts.size() < 2 * runLength) {
        m_runs[joined - 1].counts.append(m_runs[joined].counts);
        m_runs[joined - 1].sum += m_runs[joined].sum;
        m_runs.erase(m_runs.begin() + joined);
    }
}

void LineTally::insertLines(int first, const QVector<int> &counts) const
{
    if (counts.isEmpty())
        return;
    if (m_runs.empty())
        m_runs.emplace_back();
    Place at = place(first);
    // After the last line: at the end of the last run.
    if (at.run == int(m_runs.size())) {
        --at.run;
        at.offset = int(m_runs.back().counts.size());
    }
    Run &run = m_runs[at.run];
    run.counts.insert(at.offset, counts.size(), 0);
    for (int i = 0; i < counts.size(); ++i) {
        run.counts[at.offset + i] = counts.at(i);
        run.sum += counts.at(i);
        m_total += counts.at(i);
    }
    if (run.counts.size() < 2 * runLength)
        return;
    // Split into runs of the usual length.
    const QVector<int> whole = std::move(run.counts);
    std::vector<Run> pieces;
    for (qsizetype from = 0; from < whole.size(); from += runLength) {
        Run piece;
        piece.counts = whole.mid(from, runLength);
        for (int count : std::as_const(piece.counts))
            piece.sum += count;
        pieces.push_back(std::move(piece));
    }
    m_runs.erase(m_runs.begin() + at.run);
    m_runs.insert(m_runs.begin() + at.run, std::make_move_iterator(pieces.begin()),
                  std::make_move_iterator(pieces.end()));
}

void LineTally::recountAll() const
{
    m_blockCount = m_document->blockCount();
    m_characterCount = m_document->characterCount();
    m_runs.clear();
    m_total = 0;
    for (QTextBlock block = m_document->firstBlock(); block.isValid(); block = block.next()) {
        if (m_runs.empty() || m_runs.back().counts.size() == runLength) {
            m_runs.emplace_back();
            m_runs.back().counts.reserve(runLength);
        }
        const int count = m_counter(block.text());
        m_runs.back().counts.append(count);
        m_runs.back().sum += count;
        m_total += count;
    }
}

void LineTally::ensureCounts() const
{
    if (!m_runs.empty() && m_blockCount == m_document->blockCount()
        && m_characterCount == m_document->characterCount())
        return;
    // Changed without a report: an edit block is still open.
    if (!m_runs.empty())
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
    if (line < 0)
        return 0;
    const Place at = place(line);
    return at.run < int(m_runs.size()) ? m_runs[at.run].counts.at(at.offset) : 0;
}

int LineTally::countThrough(int line) const
{
    ensureCounts();
    if (line < 0)
        return 0;
    const Place at = place(line);
    if (at.run == int(m_runs.size()))
        return m_total;
    const QVector<int> &counts = m_runs[at.run].counts;
    return std::accumulate(counts.cbegin(), counts.cbegin() + at.offset + 1, at.countBefore);
}

int LineTally::lineReaching(int n) const
{
    ensureCounts();
    if (n < 1 || n > m_total)
        return -1;
    // The run in which the running total reaches n, then the line in it.
    int linesBefore = 0;
    for (const Run &run : m_runs) {
        if (run.sum < n) {
            n -= run.sum;
            linesBefore += run.counts.size();
            continue;
        }
        for (int i = 0; i < run.counts.size(); ++i) {
            n -= run.counts.at(i);
            if (n <= 0)
                return linesBefore + i;
        }
    }
    return -1;
}
