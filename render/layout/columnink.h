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

    bool operator==(const ColumnInk &o) const { return m_outlines == o.m_outlines; }

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
    // The outlines in the order of their boxes' bottoms, the lowest last: a
    // question about ink set below what is there reads only the few outlines
    // that reach down to it.
    QList<int> m_byBottom;
};

#endif // COLUMNINK_H
