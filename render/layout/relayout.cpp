#include "relayout.h"

#include <algorithm>

Relayout::Relayout(ScoreLayout &layout)
    : m_layout(layout)
{
}

Relayout::~Relayout() = default;

namespace {

// The length of the head two lists of entries share, up to `most`.
int commonHead(const QList<ExportEntry> &a, const QList<ExportEntry> &b, int most)
{
    int head = 0;
    while (head < most && head < a.size() && head < b.size() && a.at(head) == b.at(head))
        ++head;
    return head;
}

// The length of the tail two lists of entries share, up to `most`.
int commonTail(const QList<ExportEntry> &a, const QList<ExportEntry> &b, int most)
{
    int tail = 0;
    while (tail < most && tail < a.size() && tail < b.size() && a.at(a.size() - 1 - tail) == b.at(b.size() - 1 - tail))
        ++tail;
    return tail;
}

} // namespace

QPair<int, int> Relayout::duringFirstLayout(const QList<ExportEntry> &entries, const ScoreLayout::EntryChange *change,
                                            int untilPage)
{
    // What it has laid out holds up to the first changed entry, and it goes
    // on from there.
    ScoreLayout &l = m_layout;
    const int done = l.m_nextEntry;
    const int newSize = int(entries.size());
    const int head = change ? qBound(0, change->first, qMin(done, newSize)) : commonHead(l.m_entries, entries, done);
    if (head < done)
        l.restartAt(entries, l.pageOfEntry(head));
    else
        l.m_entries = entries;
    return continueLayout(untilPage);
}

QPair<int, int> Relayout::from(const QList<ExportEntry> &entries, const ScoreLayout::EntryChange *change,
                               int untilPage, int previousCount)
{
    if (m_resume)
        return again(entries, change, untilPage, previousCount);
    ScoreLayout &l = m_layout;
    const int oldSize = previousCount;
    if (!l.m_pageStarts.isEmpty() && l.m_nextEntry < oldSize && !l.m_preview)
        return duringFirstLayout(entries, change, untilPage);
    if (l.m_pageStarts.isEmpty() || l.m_nextEntry < oldSize) {
        // Nothing complete to go on from.
        l.layout(entries, false, l.m_ctx.documentTitle);
        return {0, int(l.pages().size())};
    }
    // The changed entries lie between a common head and a common tail.
    // Without a change, the layout's entries are still those of the last
    // call, to compare with.
    const int newSize = int(entries.size());
    const int head = change ? qBound(0, change->first, qMin(oldSize, newSize))
                            : commonHead(l.m_entries, entries, qMin(oldSize, newSize));
    if (head == oldSize && head == newSize)
        return {int(l.pages().size()), int(l.pages().size())};
    const int most = qMin(oldSize, newSize) - head;
    const int tail = change ? qBound(0, change->tail, most) : commonTail(l.m_entries, entries, most);

    auto resume = std::make_unique<Resume>();
    resume->oldCount = oldSize;
    resume->oldEnd = l.m_ctx.snapshot(l.m_nextEntry);
    resume->delta = newSize - oldSize;
    resume->tailStart = newSize - tail;
    // The entries before the change are laid out as before, up to the
    // first changed one, or the start of the page on which it began.
    resume->first = l.pageOfEntry(head);
    l.restartAtEntry(entries, head, &resume->old);
    resume->restartedAt = int(l.pages().size()) - 1;
    m_resume = std::move(resume);
    return continueLayout(untilPage);
}

QPair<int, int> Relayout::again(const QList<ExportEntry> &entries, const ScoreLayout::EntryChange *change,
                                int untilPage, int previousCount)
{
    // The pages laid out so far hold for the entries they came from up to
    // the first one that changed again; the pages to meet again are still
    // those of the last complete layout, so the unchanged tail is the part
    // of these entries' tail that the last call's entries still shared with
    // its entries.
    ScoreLayout &l = m_layout;
    std::unique_ptr<Resume> resume = std::move(m_resume);
    const int newSize = int(entries.size());
    const int oldSize = resume->oldCount;
    const int done = qMin(l.m_nextEntry, previousCount);
    const int lastTail = previousCount - resume->tailStart;
    int head = 0;
    int tail = 0;
    if (change) {
        head = qBound(0, change->first, qMin(done, newSize));
        tail = qBound(0, qMin(change->tail, lastTail), qMin(oldSize, newSize));
    } else {
        head = commonHead(l.m_entries, entries, done);
        tail = qMin(commonTail(l.m_entries, entries, qMin(previousCount, newSize)), lastTail);
        tail = qBound(0, tail, qMin(oldSize, newSize));
    }
    resume->delta = newSize - oldSize;
    resume->tailStart = newSize - tail;
    const int page = l.pageOfEntry(head);
    l.restartAtEntry(entries, head);
    resume->first = qMin(resume->first, page);
    resume->restartedAt = int(l.pages().size()) - 1;
    m_resume = std::move(resume);
    return continueLayout(untilPage);
}

int Relayout::matchingOldStart() const
{
    const ScoreLayout &l = m_layout;
    const ScoreLayout::OldPages &old = m_resume->old;
    const int oldEntry = l.m_nextEntry - m_resume->delta;
    const PageStart now = l.m_ctx.snapshot(l.m_nextEntry);
    for (int i = 0; i < old.starts.size(); ++i) {
        const PageStart &was = old.starts.at(i);
        if (was.entry < oldEntry)
            continue;
        const int entryBefore = i == 0 ? old.entryBefore : old.starts.at(i - 1).entry;
        const bool ownStart = entryBefore != was.entry;
        return was.entry == oldEntry && ownStart && was.sameStateAs(now) ? old.first + i : -1;
    }
    return -1;
}

QPair<int, int> Relayout::continueLayout(int untilPage)
{
    ScoreLayout &l = m_layout;
    const int first = m_resume ? m_resume->first : int(l.pages().size()) - 1;
    for (;;) {
        const int page = int(l.pages().size()) - 1;
        if (l.m_nextEntry >= l.m_entries.size())
            break;
        // Where the next entry is the first on this page and lies in the
        // unchanged tail, and the old layout started a page with it in the
        // same state, the old pages from there on stand as they were. Where
        // their entries keep their numbers this is asked even past
        // untilPage: taking them over costs nothing then, and leaves no
        // relayout under way; renumbering every later page's items is left
        // to a later call, which the caller makes when it has time.
        const bool past = page > untilPage;
        if (m_resume && page > m_resume->restartedAt && l.m_pageStarts.size() <= page
            && l.m_nextEntry >= m_resume->tailStart && (!past || m_resume->delta == 0)) {
            const int q = matchingOldStart();
            if (q >= 0) {
                Resume &r = *m_resume;
                // Pages that one entry filled share the start before them.
                while (l.m_pageStarts.size() < page)
                    l.m_pageStarts.append(l.m_pageStarts.last());
                spliceOldPages(std::move(r.old), q, r.delta);
                l.m_ctx.restore(r.oldEnd);
                l.m_nextEntry = int(l.m_entries.size());
                l.m_ctx.entry = l.m_nextEntry - 1;
                m_resume.reset();
                return {first, page + 1};
            }
        }
        if (past || !l.layoutNext())
            break;
    }
    if (l.m_nextEntry >= l.m_entries.size())
        m_resume.reset();
    return {first, int(l.pages().size())};
}

void Relayout::spliceOldPages(ScoreLayout::OldPages &&old, int from, int delta)
{
    // The old pages and starts were handed over, not shared, so moving
    // their entries changes them in place, and they move over.
    const auto shift = [delta](PageRun &run) {
        for (PageItem &item : run.items)
            item.source.entry += delta;
    };
    QList<ScorePage> &pages = m_layout.m_ctx.pages();
    const int at = from - old.first;
    // The current page keeps what the entry before the start left on it.
    QList<PageRun> rest = old.pages.at(at).runs.mid(old.starts.at(at).runs);
    if (delta != 0)
        std::for_each(rest.begin(), rest.end(), shift);
    pages.last().runs.append(rest);
    for (int i = at + 1; i < old.pages.size(); ++i) {
        ScorePage &page = old.pages[i];
        if (delta != 0)
            std::for_each(page.runs.begin(), page.runs.end(), shift);
        pages.append(std::move(page));
    }
    for (int i = at; i < old.starts.size(); ++i) {
        PageStart &start = old.starts[i];
        start.entry += delta;
        m_layout.m_pageStarts.append(std::move(start));
    }
}
