#include "columnink.h"

#include <QPair>

#include <algorithm>
#include <limits>

namespace {

// Swaps x and y, so that the question "how far right" is asked as "how far
// down".
QPolygonF transposed(const QPolygonF &p)
{
    QPolygonF t;
    t.reserve(p.size());
    for (const QPointF &pt : p)
        t.append(QPointF(pt.y(), pt.x()));
    return t;
}

// The vertical extent of a convex polygon along the line at x.
bool spanAt(const QPolygonF &p, qreal x, qreal &top, qreal &bottom)
{
    bool found = false;
    top = std::numeric_limits<qreal>::max();
    bottom = std::numeric_limits<qreal>::lowest();
    const int n = int(p.size());
    for (int i = 0; i < n; ++i) {
        const QPointF a = p.at(i);
        const QPointF b = p.at((i + 1) % n);
        const qreal lo = qMin(a.x(), b.x());
        const qreal hi = qMax(a.x(), b.x());
        if (x < lo - 1e-9 || x > hi + 1e-9)
            continue;
        qreal y;
        if (hi - lo < 1e-9) {
            top = qMin(top, qMin(a.y(), b.y()));
            bottom = qMax(bottom, qMax(a.y(), b.y()));
            found = true;
            continue;
        }
        y = a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
        top = qMin(top, y);
        bottom = qMax(bottom, y);
        found = true;
    }
    return found;
}

// The shifts t down the page at which the moving polygon, moved by (0, t),
// overlaps the fixed one with some area: an open interval, since both are
// convex. Empty when they never meet.
bool overlapInterval(const QPolygonF &moving, const QRectF &movingBox, const QPolygonF &fixed,
                     const QRectF &fixedBox, qreal &lo, qreal &hi)
{
    const qreal left = qMax(movingBox.left(), fixedBox.left());
    const qreal right = qMin(movingBox.right(), fixedBox.right());
    if (right - left < 1e-6)
        return false;
    // Both spans are linear between the corners' x positions, so the
    // extremes lie at those positions or at the ends of the common range.
    QList<qreal> xs{left, right};
    for (const QPointF &pt : moving) {
        if (pt.x() > left && pt.x() < right)
            xs.append(pt.x());
    }
    for (const QPointF &pt : fixed) {
        if (pt.x() > left && pt.x() < right)
            xs.append(pt.x());
    }
    lo = std::numeric_limits<qreal>::max();
    hi = std::numeric_limits<qreal>::lowest();
    bool any = false;
    for (qreal x : std::as_const(xs)) {
        qreal mt, mb, ft, fb;
        if (!spanAt(moving, x, mt, mb) || !spanAt(fixed, x, ft, fb))
            continue;
        lo = qMin(lo, ft - mb);
        hi = qMax(hi, fb - mt);
        any = true;
    }
    return any && hi > lo;
}

} // namespace

void ColumnInk::add(const QPolygonF &outline, int tag)
{
    if (outline.size() < 3)
        return;
    const QRectF box = outline.boundingRect();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    m_outlines.append({outline, box, tag});
}

qreal ColumnInk::clearanceDown(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag) const
{
    return clearance(outlines, gap, ignoreTag, false);
}

qreal ColumnInk::clearanceRight(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag) const
{
    return clearance(outlines, gap, ignoreTag, true);
}

qreal ColumnInk::clearance(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag, bool across) const
{
    // Every pair of a moving and a kept outline forbids an open interval of
    // shifts; the answer is the smallest shift from 0 that lies in none.
    QList<QPair<qreal, qreal>> forbidden;
    for (const QPolygonF &raw : outlines) {
        const QPolygonF moving = across ? transposed(raw) : raw;
        const QRectF movingBox = moving.boundingRect();
        if (movingBox.isEmpty())
            continue;
        for (const Outline &o : m_outlines) {
            if (o.tag == ignoreTag)
                continue;
            const QRectF box = across ? QRectF(o.box.y(), o.box.x(), o.box.height(), o.box.width()) : o.box;
            // Only what lies below (or right of) the top of the moving ink
            // can stand in its way.
            if (box.bottom() + gap <= movingBox.top())
                continue;
            if (box.right() <= movingBox.left() || box.left() >= movingBox.right())
                continue;
            qreal lo, hi;
            if (overlapInterval(moving, movingBox, across ? transposed(o.points) : o.points, box, lo, hi)
                && hi + gap > 0)
                forbidden.append({lo - gap, hi + gap});
        }
    }
    std::sort(forbidden.begin(), forbidden.end());
    qreal t = 0;
    for (const auto &range : std::as_const(forbidden)) {
        if (range.first >= t)
            break;
        t = qMax(t, range.second);
    }
    return t;
}

bool ColumnInk::collides(const QPolygonF &outline, int ignoreTag, int alsoIgnoreTag) const
{
    const QRectF box = outline.boundingRect();
    for (const Outline &o : m_outlines) {
        if (o.tag == ignoreTag || o.tag == alsoIgnoreTag || !o.box.intersects(box))
            continue;
        qreal lo, hi;
        if (overlapInterval(outline, box, o.points, o.box, lo, hi) && lo < 0 && hi > 0)
            return true;
    }
    return false;
}

qreal ColumnInk::bottomBetween(qreal left, qreal right, qreal floor) const
{
    qreal bottom = floor;
    for (const Outline &o : m_outlines) {
        if (o.box.right() > left && o.box.left() < right)
            bottom = qMax(bottom, o.box.bottom());
    }
    return bottom;
}
