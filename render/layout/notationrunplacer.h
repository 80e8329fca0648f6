#ifndef NOTATIONRUNPLACER_H
#define NOTATIONRUNPLACER_H

#include "scorerun.h"

#include <QList>
#include <QPoint>
#include <QPolygonF>
#include <QRect>

class LayoutContext;

// Sets a notation run beside the character it belongs to. The run starts at
// the right of its character (moved right where it would lie on it) and is
// set in segments, each a straight stretch from its origin that stays inside
// its column. Where the next note (with its marks) would leave the column or
// fall on ink, the run folds back to its lane further down, or goes on at the
// head of the next column. Beat marks stand upright beside their notes, in a
// run of their own.
class NotationRunPlacer
{
public:
    NotationRunPlacer(LayoutContext &ctx, const ScoreRun &run);

    // Where the run starts beside a character whose top-left corner is at
    // (columnX, charTop) and whose ink is `character`, with the outlines of
    // its head (the first note with its marks) set there.
    QPoint origin(int columnX, int charTop, const QPolygonF &character, QList<QPolygonF> &head) const;
    // Sets the run, its head's outlines already worked out at `origin`;
    // offset names the sung character, charTag its ink, which only the head
    // may touch.
    void place(int offset, int charTag, QPoint origin, const QList<QPolygonF> &head);

    // The glyphs that go together: a note and the marks after it; marks
    // before the first note go with that note.
    int groupEnd(int first) const;
    // Their outlines for a segment starting at `origin` at `base` along the run.
    QList<QPolygonF> groupOutlines(int first, int end, QPoint origin, int base) const;
    // A mark keeps its place in the lane beside its note, but stands upright.
    QRect uprightMarkCell(const ScoreGlyph &g, int base) const;

private:
    struct Segment
    {
        QPoint origin;
        int base = 0; // where along the run the segment starts
        int first = 0;
        int end = 0;
        bool isEmpty() const { return end <= first; }
    };
    // Puts the glyphs of a segment on the page.
    void flush(const Segment &segment, int offset);
    // Where the group from `first` goes on when it cannot stand in the
    // segment: folded back to the lane, or at the head of the next column.
    QPoint moveOn(const Segment &segment, int first, int end, int newBase, int laneX, bool &freshColumn);
    // A group wider than the head (more marks beside its note) stands
    // further left, inside the column's right edge.
    QPoint insideRight(QPoint at, int first, int end, int base) const;
    // Whether the run's head lies on its own character by more than a touch.
    bool liesOn(const QPolygonF &character, const QList<QPolygonF> &outlines) const;

    LayoutContext &m_ctx;
    const ScoreRun &m_run;
};

#endif // NOTATIONRUNPLACER_H
