#ifndef PAGEMODEL_H
#define PAGEMODEL_H

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QTransform>

// A laid-out page: everything a painter needs to draw it onto any device,
// and for every piece of ink where in the document it came from, so that a
// test can ask whether anything overlaps or leaves the page and a view can
// map a point back to the text.

// Where an item came from: which export entry (one per lyric line), which
// character of its text, and for notation which glyph of the notation.
struct ItemSource
{
    enum class Kind {
        Title,     // a character of a title line
        TuneName,  // a character of a tune name in 【】
        TuneKey,   // a character of the key beside a tune name
        JiaBai,    // a character of a jiabai passage
        LianBai,   // a character of a lianbai passage
        Lyric,     // a character of a sung line
        Notation,  // a glyph of the notation of a sung character
    };

    Kind kind = Kind::Lyric;
    int entry = -1;
    // The UTF-16 offset of the character in the entry's text; for notation,
    // that of the sung character it belongs to.
    int offset = -1;
    // For notation: the glyph's index in the character's notation.
    int glyph = -1;

    bool operator==(const ItemSource &o) const
    {
        return kind == o.kind && entry == o.entry && offset == o.offset && glyph == o.glyph;
    }
};

// One character or glyph, drawn centred or aligned in its cell.
struct PageItem
{
    QString text;
    QColor color;
    // The cell in the run's frame, and how the text sits in it.
    QRect cell;
    int alignment = 0;
    // The glyph's ink in page points, after the run's rotation: the box
    // around it, and the ink itself in the run's own frame, which a turned
    // run turns with it (see inkOutline()).
    QRectF ink;
    QRectF frameInk;
    ItemSource source;

    bool operator==(const PageItem &o) const
    {
        return text == o.text && color == o.color && cell == o.cell && alignment == o.alignment
               && ink == o.ink && frameInk == o.frameInk && source == o.source;
    }
};

// Items that share a font and a frame. A run is drawn in the content frame,
// whose origin is the top-right corner of the content area; a rotated run
// (a notation run) moves its origin to `origin` and turns by `rotation`
// degrees first.
struct PageRun
{
    QFont font;
    bool rotated = false;
    QPoint origin;
    int rotation = 0;
    // Goes on in the font that was current before the rotated run in front
    // of it, which the painter restores with the frame.
    bool resumed = false;
    QList<PageItem> items;

    bool operator==(const PageRun &o) const
    {
        return font == o.font && rotated == o.rotated && origin == o.origin && rotation == o.rotation
               && resumed == o.resumed && items == o.items;
    }
};

// What a page may carry around the score, each part only when its option is
// on: a frame around the content area, rules between its columns, and the
// page's number at its foot. In page points; drawn after the runs, so that
// every device shows the same page.
struct PageDecoration
{
    QColor color;
    // The frame's sides, and the rules; a line breaks where ink would cross
    // it, so each may come in pieces.
    QList<QLineF> frame;
    qreal frameWidth = 0;
    QList<QLineF> rules;
    qreal ruleWidth = 0;
    // The page number, with its cell in page points; no text when there is
    // none.
    QFont numberFont;
    PageItem number;

    bool isEmpty() const { return frame.isEmpty() && rules.isEmpty() && number.text.isEmpty(); }

    bool operator==(const PageDecoration &o) const
    {
        return color == o.color && frame == o.frame && frameWidth == o.frameWidth && rules == o.rules
               && ruleWidth == o.ruleWidth && numberFont == o.numberFont && number == o.number;
    }
};

struct ScorePage
{
    // The page in points, and the content origin on it.
    QSize size;
    QPoint contentOrigin;
    // Invalid for a transparent page.
    QColor background;
    // The title the page's file carries.
    QString title;
    // The width of a column and the step from one column to the next, right
    // to left from the content's right edge: the steps share out what the
    // columns leave of the content's width. 0 where a page was not laid out
    // (the export options' column width is taken then).
    int columnWidth = 0;
    int columnPitch = 0;
    QList<PageRun> runs;
    PageDecoration decoration;

    bool operator==(const ScorePage &o) const
    {
        return size == o.size && contentOrigin == o.contentOrigin && background == o.background
               && title == o.title && columnWidth == o.columnWidth && columnPitch == o.columnPitch
               && runs == o.runs && decoration == o.decoration;
    }
};

// Where a run's frame lies on its page.
inline QTransform runFrame(const ScorePage &page, const PageRun &run)
{
    QTransform frame = QTransform::fromTranslate(page.contentOrigin.x(), page.contentOrigin.y());
    if (run.rotated) {
        frame.translate(run.origin.x(), run.origin.y());
        frame.rotate(run.rotation);
    }
    return frame;
}

// A rectangle under a transform, as a closed polygon of four corners: the
// points of transform.map(QPolygonF(rect)), without the polygon in between.
// The layout maps an outline for every glyph it tries in a place.
inline QPolygonF mappedOutline(const QTransform &transform, const QRectF &rect)
{
    const qreal right = rect.x() + rect.width();
    const qreal bottom = rect.y() + rect.height();
    const QPointF first = transform.map(QPointF(rect.x(), rect.y()));
    QPolygonF outline;
    outline.reserve(5);
    outline << first << transform.map(QPointF(right, rect.y())) << transform.map(QPointF(right, bottom))
            << transform.map(QPointF(rect.x(), bottom)) << first;
    return outline;
}

// The ink of an item on its page, turned as its run is: a closed polygon of
// four corners.
inline QPolygonF inkOutline(const ScorePage &page, const PageRun &run, const PageItem &item)
{
    return mappedOutline(runFrame(page, run), item.frameInk);
}

#endif // PAGEMODEL_H
