#include "scorelayout.h"

#include "exportconfig.h"
#include "jiabailayout.h"
#include "lianbailayout.h"
#include "linegrammar.h"
#include "relayout.h"
#include "sunglinelayout.h"
#include "titlelayout.h"
#include "tunenamelayout.h"
#include "xmltext.h"

#include <algorithm>

const QString ScoreLayout::defaultTitle = QStringLiteral("Qelun工尺谱导出曲谱");

ScoreLayout::ScoreLayout(const ExportConfig &config)
    : m_ctx(config)
    , m_relayout(std::make_unique<Relayout>(*this))
{
}

ScoreLayout::~ScoreLayout() = default;

QSize ScoreLayout::pageSize() const
{
    return LayoutOptions::resolve(m_ctx.config()).pageSize;
}

QSize ScoreLayout::contentSize() const
{
    return LayoutOptions::resolve(m_ctx.config()).contentSize;
}

bool ScoreLayout::isComplete() const
{
    return m_nextEntry >= m_entries.size() && !m_relayout->isUnderWay();
}

void ScoreLayout::start(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle)
{
    m_ctx.reset(documentTitle);
    m_entries = XmlText::clean(entries);
    m_preview = preview;
    m_relayout->cancel();
    m_nextEntry = 0;
    m_pageStarts.clear();
    m_entryStarts.clear();
    m_entryStartsPage = -1;
    m_ctx.newPage();
    m_ctx.page().title = defaultTitle;
    m_ctx.newColumn();
}

void ScoreLayout::layout(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle)
{
    start(entries, preview, documentTitle);
    while (layoutNext()) {
    }
}

bool ScoreLayout::layoutNext()
{
    if (m_nextEntry >= m_entries.size())
        return false;
    if (m_preview && m_ctx.pages().size() > 1)
        return false;
    const int page = int(m_ctx.pages().size()) - 1;
    if (m_pageStarts.size() <= page) {
        // The first entry that starts on this page: its state is where a
        // layout can start again.
        const PageStart start = m_ctx.snapshot(m_nextEntry);
        // A page on which no entry starts (one entry filled it) shares the
        // start of the page before it.
        while (m_pageStarts.size() < page)
            m_pageStarts.append(m_pageStarts.isEmpty() ? start : m_pageStarts.last());
        m_pageStarts.append(start);
    }
    if (page == m_entryStartsPage)
        m_entryStarts.append(m_ctx.snapshot(m_nextEntry));
    m_ctx.entry = m_nextEntry++;
    layoutEntry(m_entries.at(m_ctx.entry));
    if (m_nextEntry >= m_entries.size())
        trimTrailingPage();
    return true;
}

int ScoreLayout::pageOfEntry(int entry) const
{
    int page = 0;
    for (int p = 0; p < m_pageStarts.size(); ++p) {
        if (m_pageStarts.at(p).entry <= entry)
            page = p;
        else
            break;
    }
    return page;
}

void ScoreLayout::restartAtPage(const QList<ExportEntry> &entries, int page)
{
    restartAt(XmlText::clean(entries), page);
}

void ScoreLayout::restartAt(const QList<ExportEntry> &cleanEntries, int page, OldPages *old)
{
    m_relayout->cancel();
    if (m_pageStarts.isEmpty()) {
        start(cleanEntries, m_preview, m_ctx.documentTitle);
        return;
    }
    page = qBound(0, page, int(m_pageStarts.size()) - 1);
    // A page that shares the start of an earlier one starts there.
    while (page > 0 && m_pageStarts.at(page - 1).entry == m_pageStarts.at(page).entry)
        --page;
    const PageStart start = m_pageStarts.at(page);
    m_entries = cleanEntries;
    keepPages(page + 1, page, start.runs, old);
    m_ctx.pages().last().title = start.pageTitle;
    m_ctx.restore(start);
    m_nextEntry = start.entry;
    m_ctx.entry = -1;
    m_entryStarts.clear();
    m_entryStartsPage = page;
}

namespace {

// Keeps the first n items of a list. A list shared with someone else is
// copied out, which costs the n items, rather than detached whole and cut.
template <typename T>
void keepHead(QList<T> &list, qsizetype n)
{
    if (!list.isDetached())
        list = list.mid(0, n);
    else if (list.size() > n)
        list.erase(list.begin() + n, list.end());
}

// Item i of a list whose items from i on are about to be dropped: moved out
// of a list of its own, copied from a shared one, which is not detached.
template <typename T>
T takeAt(QList<T> &list, qsizetype i)
{
    return list.isDetached() ? std::move(list[i]) : list.at(i);
}

} // namespace

void ScoreLayout::keepPages(int pages, int starts, int runs, OldPages *old)
{
    QList<ScorePage> &laidOut = m_ctx.pages();
    if (old) {
        // The relayout takes the old pages from the one it starts again on:
        // they move to it, and only that page and its start, which both
        // keep, are copied. In a long score a keystroke copies no page of
        // the rest.
        const int first = pages - 1;
        old->first = first;
        old->entryBefore = first > 0 && first <= m_pageStarts.size() ? m_pageStarts.at(first - 1).entry : -1;
        old->pages.reserve(laidOut.size() - first);
        old->pages.append(laidOut.at(first));
        for (qsizetype p = first + 1; p < laidOut.size(); ++p)
            old->pages.append(takeAt(laidOut, p));
        if (first < m_pageStarts.size()) {
            old->starts.reserve(m_pageStarts.size() - first);
            old->starts.append(m_pageStarts.at(first));
            for (qsizetype q = first + 1; q < m_pageStarts.size(); ++q)
                old->starts.append(takeAt(m_pageStarts, q));
        }
    }
    keepHead(laidOut, pages);
    keepHead(m_pageStarts, starts);
    ScorePage &current = laidOut.last();
    current.runs = current.runs.mid(0, runs);
}

void ScoreLayout::restartAtEntry(const QList<ExportEntry> &cleanEntries, int entry, OldPages *old)
{
    // Every drawer begins runs of its own, so the state before an entry in
    // the middle of a page is what it is at the top of one: the runs on the
    // page so far, the cursor, the column's ink, the titles and the font.
    const int page = pageOfEntry(entry);
    const auto kept = std::find_if(m_entryStarts.begin(), m_entryStarts.end(),
                                   [entry](const PageStart &s) { return s.entry == entry; });
    if (page != m_entryStartsPage || kept == m_entryStarts.end() || page >= m_ctx.pages().size()) {
        restartAt(cleanEntries, page, old);
        return;
    }
    m_relayout->cancel();
    const PageStart start = *kept;
    m_entryStarts.erase(kept, m_entryStarts.end());
    m_entries = cleanEntries;
    keepPages(page + 1, page + 1, start.runs, old);
    m_ctx.pages().last().title = start.pageTitle;
    m_ctx.restore(start);
    m_nextEntry = entry;
    m_ctx.entry = -1;
}

QPair<int, int> ScoreLayout::relayout(const QList<ExportEntry> &entries, int untilPage)
{
    return m_relayout->from(XmlText::clean(entries), nullptr, untilPage, int(m_entries.size()));
}

QPair<int, int> ScoreLayout::relayout(const QList<ExportEntry> &entries, const EntryChange &change, int untilPage)
{
    // The entries before the change and after it are those of the last
    // call, which were cleaned then: only the changed ones are cleaned now,
    // and they replace the old ones in place. A long score's entries are
    // neither copied nor compared, which would cost a keystroke more than
    // the layout of the lines it changed.
    const int newSize = int(entries.size());
    const int oldSize = int(m_entries.size());
    const int head = qBound(0, change.first, qMin(oldSize, newSize));
    const int tail = qBound(0, change.tail, qMin(oldSize, newSize) - head);
    const int removed = oldSize - tail - head;
    const int added = newSize - tail - head;
    if (added > removed)
        m_entries.insert(head + removed, added - removed, ExportEntry());
    else if (removed > added)
        m_entries.remove(head + added, removed - added);
    for (int i = head; i < head + added; ++i)
        m_entries[i] = XmlText::clean(entries.at(i));
    return m_relayout->from(m_entries, &change, untilPage, oldSize);
}

QPair<int, int> ScoreLayout::continueLayout(int untilPage)
{
    return m_relayout->continueLayout(untilPage);
}

void ScoreLayout::layoutEntry(const ExportEntry &entry)
{
    switch (static_cast<LineType>(entry.type)) {
    case LineType::Title:
        m_ctx.documentTitle = TitleLayout::titleFrom(entry.text);
        m_ctx.setPageTitle(m_ctx.documentTitle);
        TitleLayout::layout(m_ctx, entry.text);
        break;
    case LineType::JiaBai:
        JiaBaiLayout::layout(m_ctx, entry.text);
        break;
    case LineType::LianBai:
        LianBaiLayout::layout(m_ctx, entry.text);
        break;
    case LineType::QuPai:
        if (m_ctx.documentTitle.isEmpty()) {
            m_ctx.documentTitle = TitleLayout::titleFrom(tuneName(entry.text));
            m_ctx.setPageTitle(m_ctx.documentTitle);
        }
        TuneNameLayout::layout(m_ctx, entry.text);
        break;
    case LineType::LineBreak:
        m_ctx.newColumn();
        break;
    case LineType::PageBreak:
        breakPage();
        break;
    case LineType::Lyric:
    case LineType::BiaoDian:
        // A line of punctuation alone is set as a sung line without notes.
        SungLineLayout::layout(m_ctx, entry.text, entry.scores);
        break;
    default:
        break;
    }
}

void ScoreLayout::breakPage()
{
    // A page that nothing was drawn on since a column filled the page
    // before it is the new page already (only a leading break asks for an
    // empty first page).
    if (m_ctx.pages().size() > 1 && m_ctx.currentPageIsBlank()) {
        m_ctx.cursorX = 0;
        m_ctx.column.clear();
        m_ctx.newColumn();
        return;
    }
    m_ctx.newPage();
    m_ctx.forgetRunFont();
    m_ctx.newColumn();
}

void ScoreLayout::trimTrailingPage()
{
    // A last column that filled its page, or a closing break, leaves a page
    // that nothing is drawn on.
    QList<ScorePage> &pages = m_ctx.pages();
    if (pages.size() > 1 && m_ctx.currentPageIsBlank()) {
        pages.removeLast();
        while (m_pageStarts.size() > pages.size())
            m_pageStarts.removeLast();
    }
}
