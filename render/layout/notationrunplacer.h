#ifndef NOTATIONRUNPLACER_H
#define NOTATIONRUNPLACER_H

#include "columnink.h"
#include "scorerun.h"

#include <QList>
#include <QPoint>
#include <QPolygonF>
#include <QRect>
#include <QString>

#include <optional>

class LayoutContext;

// Sets a notation run beside the character it belongs to. The run starts at
// the right of its character (moved right where it would lie on it) and is
// set in segments, each a straight stretch from its origin that stays inside
// its column. Where the next note (with its marks) would leave the column or
// fall on ink, a slanted run goes on upright straight below its last note, so
// that a melisma reads as one line and never as parallel strands; an upright
// run goes on below what stopped it; past the foot, at the head of the next
// column. Beat marks stand upright beside their notes, in a run of their own.
class NotationRunPlacer
{
public:
    // The notation is that of the run, which an upright continuation lays
    // out again upright.
    NotationRunPlacer(LayoutContext &ctx, const ScoreRun &run, const QString &notation);

    // Where the run starts beside a character whose top-left corner is at
    // (columnX, charTop) and whose ink is `character`, with the outlines of
    // its head (the first note with its marks) set there.
    QPoint origin(int columnX, int charTop, const QPolygonF &character, QList<QPolygonF> &head) const;
    // Sets the run, its head's outlines already worked out at `origin`;
    // offset names the sung character, charTag its ink, which only the head
    // may touch. True when a slanted run had to go on upright.
    bool place(int offset, int charTag, QPoint origin, const QList<QPolygonF> &head);

    // The glyphs that go together: a note and the marks after it; marks
    // before the first note go with that note.
    int groupEnd(int first) const;
    // Their outlines for a segment starting at `origin` at `base` along the
    // run and turned by `rotation` (the run's angle unless given).
    QList<QPolygonF> groupOutlines(int first, int end, QPoint origin, int base) const;
    QList<QPolygonF> groupOutlines(int first, int end, QPoint origin, int base, int rotation) const;
    // The notes of a group's outlines and its marks with their own note, by
    // their ink centres.
    void ownership(int first, const QList<QPolygonF> &outlines, QList<QPointF> &notes,
                   QList<ColumnInk::Mark> &marks) const;
    // A mark keeps its place in the lane beside its note, but stands upright.
    QRect uprightMarkCell(const ScoreGlyph &g, int base, int rotation) const;

private:
    struct Segment
    {
        QPoint origin;
        int base = 0; // where along the run the segment starts
        int first = 0;
        int end = 0;
        int rotation = 0;
        bool isEmpty() const { return end <= first; }
    };
    // Whether a group's outlines stand clear of the column's ink and beats.
    bool standsClear(int first, const QList<QPolygonF> &outlines, int charTag) const;
    // Keeps a group's ink and beats in the column.
    void take(int first, const QList<QPolygonF> &outlines, int charTag);
    // Puts the glyphs of a segment on the page.
    void flush(const Segment &segment, int offset);
    // Where the group from `first` goes on when it cannot stand in the
    // segment: folded back to the lane, or at the head of the next column.
    Segment moveOn(const Segment &segment, int first, int end, int laneX, bool &freshColumn);
    // A group wider than the head (more marks beside its note) stands
    // further left, inside the column's right edge, and never past its left.
    QPoint insideRight(QPoint at, int first, int end, int base, int rotation) const;
    // The run as set at a rotation: at the run's angle, or upright.
    const ScoreRun &runAt(int rotation) const;
    // Whether the run's head lies on its own character (whose ink is all
    // `own` holds) by more than a touch.
    bool liesOn(const ColumnInk &own, const QPolygonF &character, const QList<QPolygonF> &outlines) const;

    LayoutContext &m_ctx;
    const ScoreRun &m_run;
    const QString &m_notation;
    mutable std::optional<ScoreRun> m_upright;
    // The ink of the last note set, on the page: an upright continuation
    // goes on below it.
    QRectF m_lastNote;
};

#endif // NOTATIONRUNPLACER_H
