#ifndef SCORELAYOUT_H
#define SCORELAYOUT_H

#include "columnink.h"
#include "exportentry.h"
#include "pagemodel.h"

#include <QList>
#include <QPair>
#include <QRect>
#include <QSize>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <climits>
#include <memory>

class ExportConfig;

// Lays the export entries of one document out as a vertical score: columns
// top to bottom from the right edge of the page leftwards, in points. The
// result is a list of page models, which painters draw onto SVG pages, a PDF,
// images or a printer. The layout works over a small context: the options
// (read-only), the entries, and the state (pages, cursor). The cursor is
// relative to the top-right corner of the content area, so every column
// lies at negative x.
//
// The state at the first entry that starts on each page is kept, so that
// after a change to the entries the layout can start again from the page
// where the change happened instead of from the first page.
class ScoreLayout
{
public:
    // The title and description a page carries when nothing names it.
    static const QString defaultTitle;

    // The config must outlive the layout.
    explicit ScoreLayout(const ExportConfig &config);
    ~ScoreLayout();

    // Page width and height in points, swapped for landscape.
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
    bool isComplete() const { return m_nextEntry >= m_entries.size() && !m_resume; }

    const QList<ScorePage> &pages() const { return m_pages; }
    // What the options asked that the page could not honour, one line each,
    // for the export to tell the user.
    QStringList warnings() const { return m_warnings; }
    // The column width laid out with: the option's, clamped to what fits.
    int columnWidth() const { return m_columnWidth; }
    QString documentTitle() const { return m_documentTitle; }

    // --- The layout state the drawers share. ---

    // Starts a page: the cursor goes to the content origin.
    void newPage();
    // Moves to the next column to the left, onto a new page when the column
    // would cross the left margin (unless a column is as wide as the content).
    void newColumn();
    int cursorX() const { return m_cursorX; }
    void setCursorX(int x) { m_cursorX = x; }
    int cursorY() const { return m_cursorY; }
    void setCursorY(int y) { m_cursorY = y; }
    // Names the current page.
    void setPageTitle(const QString &title);

    // --- Drawers, one per kind of line; the text is the entry's. ---

    // A title line ("#"): a column of its own, placed by the title position.
    void renderTitle(const QString &text);
    // A tune name in 【】 with its key in brackets in a narrow column beside it.
    void renderQuPai(const QString &text);
    // A jiabai passage (">"), set inline in the current column.
    void renderJiaBai(const QString &text);
    // A lianbai passage ("="), set in balanced narrow sub-columns.
    void renderLianBai(const QString &text);
    // A sung line: each character with its notation beside it.
    void renderLyricLine(const QString &text, const QList<QString> &scores);

    // One glyph of a notation run, in the run's own frame: origin one
    // notation line below the character's top, y along the run.
    struct ScoreGlyph
    {
        QString glyph;
        QRect cell;
        QColor color;
        // A beat mark, which stands upright beside its note.
        bool mark = false;
    };
    // A notation run laid out: its glyphs, and the vertical room it takes.
    struct ScoreRun
    {
        QList<ScoreGlyph> glyphs;
        int extent = 0;
    };
    ScoreRun layoutScore(const QString &notation) const;
    // The vertical room the notation takes: layoutScore(notation).extent.
    int scoreExtent(const QString &notation) const;
    // The height of the tallest sub-column when a lianbai passage is split
    // into cols parts, and the number of parts it really fills.
    QPair<int, int> lianBaiBlockHeight(const QString &text, int cols) const;

private:
    // Measures of a font in points, for the ink of the items, and those of
    // the configured fonts.
    struct FontInk;
    struct InkMetrics;

    // Where a page starts: enough to lay out from it again.
    struct PageStart
    {
        int entry = -1;
        int runs = 0;
        int cursorX = 0;
        int cursorY = 0;
        QString documentTitle;
        QString pageTitle;
        QFont font;
        // The ink already in the column the entry starts in.
        ColumnInk column;
    };

    // A relayout while another one is under way.
    QPair<int, int> relayoutAgain(const QList<ExportEntry> &entries, const EntryChange *change, int untilPage);
    QPair<int, int> relayoutFrom(const QList<ExportEntry> &entries, const EntryChange *change, int untilPage);
    // The state before the next entry, as a page start keeps it.
    PageStart currentStart() const;
    // Appends the pages of a last layout from page `from` on, whose start
    // matches the state now; their entries move by delta. The old pages are
    // taken over, not copied.
    void spliceOldPages(QList<ScorePage> &&oldPages, const QList<PageStart> &oldStarts, int from, int delta);

    void layoutEntry(const ExportEntry &entry);
    // Opens a run in the font, for the items that follow.
    void beginRun(const QFont &font, const FontInk *metrics);
    void beginRotatedRun(const QFont &font, const FontInk *metrics, QPoint origin, int rotation);
    // Adds an item to the current run, with its ink and its source.
    void place(const QRect &cell, int alignment, const QString &text, const QColor &color,
               ItemSource::Kind kind, int offset, int glyph = -1);
    // Where the ink of a text set in a cell lies, in the cell's frame.
    static QRectF frameInkOf(const FontInk &metrics, const QRect &cell, int alignment, const QString &text);
    // The cell a text is really set in: a punctuation mark's is moved to
    // centre its ink.
    static QRect settledCell(const FontInk &metrics, const QRect &cell, int alignment, const QString &text);
    // The ink on the page, through a frame.
    QPolygonF outlineOf(const FontInk &metrics, const QRect &cell, int alignment, const QString &text,
                        const QTransform &frame) const;
    // The content area's frame on the current page.
    QTransform contentFrame() const;
    // The ink measures of the fonts, made on first use.
    const InkMetrics &ink() const;
    // Reads the options that shape the page and clamps what cannot be
    // honoured, with a warning for each.
    void resolveOptions();

    // A notation run: where it starts beside its character (moved right if
    // it would lie on the character) with the outlines of its head (the
    // first note with its marks) set there, the glyphs that go together,
    // their outlines for a segment starting at `origin` at `base` along the
    // run, and the upright cell of a mark.
    QPoint scoreOrigin(int columnX, int charTop) const;
    QPoint runOrigin(const ScoreRun &run, int columnX, int charTop, const QPolygonF &character,
                     QList<QPolygonF> &head) const;
    int groupEnd(const ScoreRun &run, int first) const;
    QList<QPolygonF> groupOutlines(const ScoreRun &run, int first, int end, QPoint origin, int base) const;
    QRect uprightMarkCell(const ScoreGlyph &g, int base) const;
    // Whether ink lies within the current column and the content's height.
    bool fitsColumn(const QList<QPolygonF> &outlines) const;
    // Sets a run beside the character just placed, its head's outlines
    // already worked out at `origin`.
    void drawScore(const ScoreRun &run, int offset, int charTag, QPoint origin, const QList<QPolygonF> &head);
    // layoutScore() for a notation not laid out before.
    ScoreRun layoutNewScore(const QString &notation) const;
    // The height of a punctuation mark's cell: the given one, or its ink's
    // if that is taller.
    int punctuationHeight(const QFont &font, QChar c, int height) const;
    // Moves the cursor down until a block between two x positions (relative
    // to the column) clears the ink above it.
    void clearBlock(int left, int right);
    // Drops a last page that nothing was drawn on.
    void trimTrailingPage();
    bool currentPageIsBlank() const;

    struct Resume;
    std::unique_ptr<Resume> m_resume;

    const ExportConfig *m_config;
    mutable std::unique_ptr<InkMetrics> m_ink;

    // The options as laid out with (see resolveOptions()).
    int m_columnWidth = 0;
    int m_angle = 0;
    QTransform m_turn;
    QTransform m_turnBack;
    int m_scoreSpace = 0;
    int m_banYanSpace = 0;
    int m_lyricScoreSpace = 0;
    int m_scoreBanYanSpace = 0;
    // Where a notation run starts from its character's top-left corner.
    QPoint m_scoreOrigin;
    QStringList m_warnings;

    // The ink set in the current column, each piece tagged, and how many
    // columns were begun.
    ColumnInk m_column;
    int m_tag = 0;
    int m_columnCount = 0;

    QList<ExportEntry> m_entries;
    bool m_preview = false;
    int m_nextEntry = 0;
    int m_entry = -1;
    QList<ScorePage> m_pages;
    QList<PageStart> m_pageStarts;
    int m_cursorX = 0;
    int m_cursorY = 0;
    QString m_documentTitle;
    // The font of the last run begun, which a page change keeps.
    QFont m_font;
    const FontInk *m_runMetrics = nullptr;
};

#endif // SCORELAYOUT_H
