#ifndef COLUMNINK_H
#define COLUMNINK_H

#include <QList>
#include <QPolygonF>
#include <QRectF>

// The ink already set in the column being filled, as convex outlines (the
// glyph boxes, turned as their runs are). The layout asks it how far a piece
// must move down (or right) so that its ink clears what is there: that is how
// a long notation run pushes the next character down, and how no two glyphs
// come to lie on each other whatever the spacings.
class ColumnInk
{
public:
    // Forgets everything: a new column has nothing in it.
    void clear()
    {
        m_outlines.clear();
        m_byBottom.clear();
        m_notes.clear();
        m_marks.clear();
    }
    bool isEmpty() const { return m_outlines.isEmpty(); }

    // Keeps an outline, with a tag that lets a question leave it out.
    void add(const QPolygonF &outline, int tag = -1);

    // The smallest shift t >= 0 down the page such that every outline,
    // moved by (0, t), keeps at least `gap` clear of the ink here (measured
    // down the page), leaving out the outlines tagged `ignoreTag`.
    qreal clearanceDown(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag = -2) const;
    qreal clearanceDown(const QPolygonF &outline, qreal gap, int ignoreTag = -2) const;
    // The same, moving to the right.
    qreal clearanceRight(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag = -2) const;
    qreal clearanceRight(const QPolygonF &outline, qreal gap, int ignoreTag = -2) const;

    // Whether an outline lies on any ink here.
    bool collides(const QPolygonF &outline, int ignoreTag = -2, int alsoIgnoreTag = -2) const;

    // The lowest ink here between two x positions, or `floor` if there is
    // none lower.
    qreal bottomBetween(qreal left, qreal right, qreal floor) const;

    // Notes and beat marks set here, by the centres of their ink, so that a
    // piece can be kept where every mark stands nearer its own note than
    // any other: a singer takes the beat on the note nearest the mark.
    struct Mark
    {
        QPointF centre;
        QPointF ownNote;
        // Whose notation it is: marks and notes of one owner are set apart
        // by the run's own arithmetic.
        int owner = -1;
        bool operator==(const Mark &o) const { return centre == o.centre && ownNote == o.ownNote; }
    };
    void addNote(QPointF centre, int owner = -1) { m_notes.append({centre, QPointF(), owner}); }
    void addMark(const Mark &mark) { m_marks.append(mark); }
    // The smallest shift t >= 0 down the page such that notes, and marks
    // with their own notes, moved by (0, t) leave every mark here and every
    // mark moved nearer its own note than any other note by `margin`;
    // the pieces here of `ignoreOwner` are left out.
    qreal ownershipClearanceDown(const QList<QPointF> &notes, const QList<Mark> &marks, qreal margin,
                                 int ignoreOwner = -2) const;

    bool operator==(const ColumnInk &o) const
    {
        return m_outlines == o.m_outlines && m_notes == o.m_notes && m_marks == o.m_marks;
    }

private:
    struct Outline
    {
        QPolygonF points;
        QRectF box;
        int tag;
        // Tags only tell pieces apart within one layout.
        bool operator==(const Outline &o) const { return points == o.points; }
    };
    qreal clearance(const QPolygonF *outlines, qsizetype count, qreal gap, int ignoreTag, bool across) const;

    QList<Outline> m_outlines;
    QList<Mark> m_notes;
    QList<Mark> m_marks;
    // The outlines in the order of their boxes' bottoms, the lowest last: a
    // question about ink set below what is there reads only the few outlines
    // that reach down to it.
    QList<int> m_byBottom;
};

#endif // COLUMNINK_H
