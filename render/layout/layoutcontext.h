#ifndef LAYOUTCONTEXT_H
#define LAYOUTCONTEXT_H

#include "columnink.h"
#include "layoutoptions.h"
#include "pagemodel.h"
#include "pagestart.h"

#include <QFont>
#include <QList>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <QTransform>

#include <memory>

class ExportConfig;
class FontInk;
class InkMetrics;

// What every drawer of a layout shares: the options, resolved once; the ink
// of the fonts; the pages so far with the column cursor and the ink of the
// column being filled; and the placing of items and the moves to a new
// column or page. The cursor is relative to the top-right corner of the
// content area, so every column lies at negative x.
class LayoutContext
{
public:
    // The air kept between a glyph and ink set before it, down the column.
    static constexpr qreal inkGap = 1.0;

    // The config must outlive the context.
    explicit LayoutContext(const ExportConfig &config);
    ~LayoutContext();
    LayoutContext(const LayoutContext &) = delete;
    LayoutContext &operator=(const LayoutContext &) = delete;

    const ExportConfig &config() const { return *m_config; }
    const LayoutOptions &options() const { return m_options; }
    // The ink measures of the fonts, made on first use.
    const InkMetrics &ink() const;

    // Starts afresh with the options as they are now: no pages yet, the
    // fonts measured anew.
    void reset(const QString &documentTitle);

    // --- Pages and the column cursor. ---

    QList<ScorePage> &pages() { return m_pages; }
    const QList<ScorePage> &pages() const { return m_pages; }
    ScorePage &page() { return m_pages.last(); }
    const ScorePage &page() const { return m_pages.last(); }
    QPoint contentOrigin() const { return m_pages.isEmpty() ? QPoint() : m_pages.last().contentOrigin; }
    // The content area's frame on the current page.
    QTransform contentFrame() const;

    int cursorX = 0;
    int cursorY = 0;
    // The ink set in the current column, each piece tagged, and how many
    // columns were begun.
    ColumnInk column;
    // The ink of the column left last, for punctuation that goes back under
    // its character there.
    ColumnInk previousColumn;
    int tag = 0;
    int columnCount = 0;
    // The entry being laid out, which every item names as its source.
    int entry = -1;
    QString documentTitle;

    // Starts a page: the cursor goes to the content origin.
    void newPage();
    // Moves to the next column to the left, onto a new page when the column
    // would cross the left margin (unless a column is as wide as the content).
    void newColumn();
    // Names the current page.
    void setPageTitle(const QString &title);
    bool currentPageIsBlank() const;
    // Moves the cursor down until a block between two x positions (relative
    // to the column) clears the ink above it.
    void clearBlock(int left, int right);
    // Whether ink lies within the current column and the content's height.
    bool fitsColumn(const QList<QPolygonF> &outlines) const;
    // The height of a punctuation mark's cell: the given one, or its ink's
    // if that is taller.
    int punctuationHeight(const QFont &font, QChar c, int height) const;

    // --- Placing. ---

    // Opens a run in the font, for the items that follow.
    void beginRun(const QFont &font, const FontInk *metrics);
    void beginRotatedRun(const QFont &font, const FontInk *metrics, QPoint origin, int rotation);
    // Goes on in a line's font after a notation run, as after a painter's
    // restore.
    void resumeRun(const QFont &font, const FontInk *metrics);
    // A page begun by a break starts with the painter's own font.
    void forgetRunFont();
    const QFont &runFont() const { return m_font; }
    const FontInk *runMetrics() const { return m_runMetrics; }
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

    // --- Where a page starts. ---

    // The state before the entry `nextEntry`.
    PageStart snapshot(int nextEntry) const;
    // Takes up the state a snapshot kept (the pages are the caller's).
    void restore(const PageStart &start);

private:
    const ExportConfig *m_config;
    LayoutOptions m_options;
    mutable std::unique_ptr<InkMetrics> m_ink;
    QList<ScorePage> m_pages;
    // The font of the last run begun, which a page change keeps.
    QFont m_font;
    const FontInk *m_runMetrics = nullptr;
};

#endif // LAYOUTCONTEXT_H
