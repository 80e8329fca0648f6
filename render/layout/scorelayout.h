#ifndef SCORELAYOUT_H
#define SCORELAYOUT_H

#include "exportentry.h"
#include "layoutcontext.h"
#include "pagemodel.h"
#include "pagestart.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

#include <climits>
#include <memory>

class ExportConfig;
class Relayout;

// Lays the export entries of one document out as a vertical score: columns
// top to bottom from the right edge of the page leftwards, in points. The
// result is a list of page models, which painters draw onto SVG pages, a PDF,
// images or a printer.
//
// This class is the entry loop: it hands each entry to the drawer of its
// kind of line (TitleLayout, TuneNameLayout, JiaBaiLayout, LianBaiLayout,
// SungLineLayout), which work over the shared LayoutContext. It keeps the
// state at the first entry that starts on each page, so that after a change
// to the entries the layout can start again from the page where the change
// happened (Relayout) instead of from the first page.
//
// Every entry is laid out without the characters a page cannot carry
// (XmlText), whoever hands it over: the live view and every export set the
// same page.
class ScoreLayout
{
public:
    // The title and description a page carries when nothing names it.
    static const QString defaultTitle;

    // The config must outlive the layout.
    explicit ScoreLayout(const ExportConfig &config);
    ~ScoreLayout();
    ScoreLayout(const ScoreLayout &) = delete;
    ScoreLayout &operator=(const ScoreLayout &) = delete;

    // Page width and height in points, swapped for landscape, as the
    // options are now.
    QSize pageSize() const;
    // The page less its margins.
    QSize contentSize() const;

    // Starts a layout of the entries on a fresh first page with its first
    // column. The document title is the one a previous rendering found; a
    // title or tune-name line replaces it. A preview stops as soon as a
    // second page has been started.
    void start(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle);
    // Lays out the next entry; false when there is none left or a preview
    // has its first page.
    bool layoutNext();
    // The entries laid out so far.
    int entriesDone() const { return m_nextEntry; }
    // start() and layoutNext() to the end.
    void layout(const QList<ExportEntry> &entries, bool preview, const QString &documentTitle);

    // The page on which the layout of an entry began.
    int pageOfEntry(int entry) const;
    // Starts again from the state at the start of page `page`, with the
    // given entries; the entries laid out before that point must be those of
    // the last layout. layoutNext() then goes on from there.
    void restartAtPage(const QList<ExportEntry> &entries, int page);

    // Lays out again after a complete layout, for the entries as they are
    // now: from the page where the first changed entry began, up to the
    // page that starts with an unchanged entry in the state in which the
    // last layout started it; the pages after it are kept. Stops early once
    // page untilPage is complete (continueLayout() goes on). The pages
    // [first, second) are new; they are the pages of a whole layout.
    QPair<int, int> relayout(const QList<ExportEntry> &entries, int untilPage = INT_MAX);
    // The same, for a caller that knows which entries changed since the
    // entries of the last call: those before `first` and the last `tail`
    // are as they were, so none of them is compared.
    struct EntryChange
    {
        int first = 0;
        int tail = 0;
    };
    QPair<int, int> relayout(const QList<ExportEntry> &entries, const EntryChange &change, int untilPage = INT_MAX);
    // Goes on with a layout or a relayout until page untilPage is complete
    // or the layout is; the same range as relayout().
    QPair<int, int> continueLayout(int untilPage);
    // Every entry is laid out.
    bool isComplete() const;

    const QList<ScorePage> &pages() const { return m_ctx.pages(); }
    // What the options asked that the page could not honour, one line each,
    // for the export to tell the user.
    QStringList warnings() const { return m_ctx.options().warnings; }
    // The column width laid out with: the option's, clamped to what fits.
    int columnWidth() const { return m_ctx.options().columnWidth; }
    // The step from one column to the next.
    int columnPitch() const { return m_ctx.options().columnPitch; }
    QString documentTitle() const { return m_ctx.documentTitle; }

    // The state the drawers share, for a caller that sets lines itself.
    LayoutContext &context() { return m_ctx; }
    const LayoutContext &context() const { return m_ctx; }

private:
    friend class Relayout;

    // The pages of a complete layout from one page on, with their starts:
    // what a relayout keeps of the last layout to take the unchanged pages
    // over from.
    struct OldPages
    {
        // pages[i] and starts[i] are those of page first + i.
        int first = 0;
        // The entry the page before `first` started with; -1 for none.
        int entryBefore = -1;
        QList<ScorePage> pages;
        QList<PageStart> starts;
    };

    // restartAtPage() for entries already cleaned. Where old is given, the
    // pages and starts from the page started on go there.
    void restartAt(const QList<ExportEntry> &cleanEntries, int page, OldPages *old = nullptr);
    // Starts again from the state before entry `entry`, where the layout
    // kept it (see m_entryStarts), or else from the start of its page.
    void restartAtEntry(const QList<ExportEntry> &cleanEntries, int entry, OldPages *old = nullptr);
    // Keeps the first `pages` pages, `starts` page starts and `runs` runs
    // of the last page kept; the pages and starts from the last page kept
    // on go to old, where it is given.
    void keepPages(int pages, int starts, int runs, OldPages *old);
    void layoutEntry(const ExportEntry &entry);
    void breakPage();
    // Drops a last page that nothing was drawn on.
    void trimTrailingPage();

    LayoutContext m_ctx;
    QList<ExportEntry> m_entries;
    bool m_preview = false;
    int m_nextEntry = 0;
    QList<PageStart> m_pageStarts;
    // The state before each entry begun on the page the layout last started
    // again on: the page being edited, where the next edit is most likely
    // to come. An edit there is laid out from its own line, not from the
    // top of the page.
    QList<PageStart> m_entryStarts;
    int m_entryStartsPage = -1;
    std::unique_ptr<Relayout> m_relayout;
};

#endif // SCORELAYOUT_H
