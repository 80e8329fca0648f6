#include "columnink.h"

#include <QLineF>
#include <QPair>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A polygon's corners without the list around them: the questions below are
// asked many times for every glyph set, and a fixed outline is asked about
// transposed without being copied to the heap.
struct Corners
{
    const QPointF *points;
    int count;
};

using CornerBuffer = QVarLengthArray<QPointF, 8>;

// Swaps x and y, so that the question "how far right" is asked as "how far
// down".
Corners transposed(const QPolygonF &p, CornerBuffer &buffer)
{
    buffer.resize(p.size());
    for (int i = 0; i < p.size(); ++i)
        buffer[i] = QPointF(p.at(i).y(), p.at(i).x());
    return {buffer.constData(), int(buffer.size())};
}

Corners cornersOf(const QPolygonF &p)
{
    return {p.constData(), int(p.size())};
}

// The box around corners, as QPolygonF::boundingRect() gives it.
QRectF boundsOf(Corners p)
{
    if (p.count == 0)
        return QRectF(0, 0, 0, 0);
    qreal minX = p.points[0].x();
    qreal maxX = minX;
    qreal minY = p.points[0].y();
    qreal maxY = minY;
    for (int i = 1; i < p.count; ++i) {
        const QPointF &pt = p.points[i];
        if (pt.x() < minX)
            minX = pt.x();
        else if (pt.x() > maxX)
            maxX = pt.x();
        if (pt.y() < minY)
            minY = pt.y();
        else if (pt.y() > maxY)
            maxY = pt.y();
    }
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

// The vertical extent of a convex polygon along the line at x.
bool spanAt(Corners p, qreal x, qreal &top, qreal &bottom)
{
    bool found = false;
    top = std::numeric_limits<qreal>::max();
    bottom = std::numeric_limits<qreal>::lowest();
    const int n = p.count;
    for (int i = 0; i < n; ++i) {
        const QPointF a = p.points[i];
        const QPointF b = p.points[(i + 1) % n];
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
bool overlapInterval(Corners moving, const QRectF &movingBox, Corners fixed, const QRectF &fixedBox, qreal &lo,
                     qreal &hi)
{
    const qreal left = qMax(movingBox.left(), fixedBox.left());
    const qreal right = qMin(movingBox.right(), fixedBox.right());
    if (right - left < 1e-6)
        return false;
    // Both spans are linear between the corners' x positions, so the
    // extremes lie at those positions or at the ends of the common range.
    QVarLengthArray<qreal, 16> xs{left, right};
    for (int i = 0; i < moving.count; ++i) {
        const qreal x = moving.points[i].x();
        if (x > left && x < right)
            xs.append(x);
    }
    for (int i = 0; i < fixed.count; ++i) {
        const qreal x = fixed.points[i].x();
        if (x > left && x < right)
            xs.append(x);
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
    // Ink is mostly set below the ink before it: the place is found from
    // the end.
    const qreal bottom = box.bottom();
    auto at = m_byBottom.end();
    while (at != m_byBottom.begin() && m_outlines.at(*(at - 1)).box.bottom() > bottom)
        --at;
    m_byBottom.insert(at, int(m_outlines.size()) - 1);
}

qreal ColumnInk::clearanceDown(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag) const
{
    return clearance(outlines.constData(), outlines.size(), gap, ignoreTag, false);
}

qreal ColumnInk::clearanceDown(const QPolygonF &outline, qreal gap, int ignoreTag) const
{
    return clearance(&outline, 1, gap, ignoreTag, false);
}

qreal ColumnInk::clearanceRight(const QList<QPolygonF> &outlines, qreal gap, int ignoreTag) const
{
    return clearance(outlines.constData(), outlines.size(), gap, ignoreTag, true);
}

qreal ColumnInk::clearanceRight(const QPolygonF &outline, qreal gap, int ignoreTag) const
{
    return clearance(&outline, 1, gap, ignoreTag, true);
}

qreal ColumnInk::clearance(const QPolygonF *outlines, qsizetype count, qreal gap, int ignoreTag, bool across) const
{
    // Every pair of a moving and a kept outline forbids an open interval of
    // shifts; the answer is the smallest shift from 0 that lies in none.
    QVarLengthArray<QPair<qreal, qreal>, 32> forbidden;
    CornerBuffer movingBuffer;
    CornerBuffer fixedBuffer;
    for (qsizetype m = 0; m < count; ++m) {
        const QPolygonF &raw = outlines[m];
        const Corners moving = across ? transposed(raw, movingBuffer) : cornersOf(raw);
        const QRectF movingBox = across ? boundsOf(moving) : raw.boundingRect();
        if (movingBox.isEmpty())
            continue;
        // From the lowest ink up. Moving down, only what lies below the top
        // of the moving ink can stand in its way; moving right, only what
        // reaches below its top can share a line with it: either way the
        // outlines above that stop the search.
        for (auto k = m_byBottom.crbegin(); k != m_byBottom.crend(); ++k) {
            const Outline &o = m_outlines.at(*k);
            if (across ? o.box.bottom() <= movingBox.left() : o.box.bottom() + gap <= movingBox.top())
                break;
            if (o.tag == ignoreTag)
                continue;
            const QRectF box = across ? QRectF(o.box.y(), o.box.x(), o.box.height(), o.box.width()) : o.box;
            if (box.bottom() + gap <= movingBox.top())
                continue;
            if (box.right() <= movingBox.left() || box.left() >= movingBox.right())
                continue;
            qreal lo, hi;
            if (overlapInterval(moving, movingBox, across ? transposed(o.points, fixedBuffer) : cornersOf(o.points),
                                box, lo, hi)
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
    // Ink whose bottom is not below the outline's top cannot meet it.
    for (auto k = m_byBottom.crbegin(); k != m_byBottom.crend(); ++k) {
        const Outline &o = m_outlines.at(*k);
        if (o.box.bottom() <= box.top())
            break;
        if (o.tag == ignoreTag || o.tag == alsoIgnoreTag || !o.box.intersects(box))
            continue;
        qreal lo, hi;
        if (overlapInterval(cornersOf(outline), box, cornersOf(o.points), o.box, lo, hi) && lo < 0 && hi > 0)
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

namespace {

// The smallest t >= from such that the point p moved down by t lies further
// than r from q, or `from` when it already does.
qreal beyond(QPointF p, QPointF q, qreal r, qreal from)
{
    const qreal dx = p.x() - q.x();
    const qreal dy = p.y() + from - q.y();
    if (dx * dx + dy * dy > r * r)
        return from;
    return from + std::sqrt(qMax<qreal>(0, r * r - dx * dx)) - dy + 0.01;
}

} // namespace

qreal ColumnInk::ownershipClearanceDown(const QList<QPointF> &notes, const QList<Mark> &marks, qreal margin,
                                        int ignoreOwner) const
{
    qreal t = 0;
    // Each pass moves past the nearest forbidden stretch; a few passes
    // settle it, and a bound keeps a pathological column from looping.
    for (int pass = 0; pass < 32; ++pass) {
        qreal next = t;
        for (const QPointF &note : notes) {
            for (const Mark &m : m_marks) {
                if (m.owner != ignoreOwner)
                    next = qMax(next, beyond(note, m.centre, QLineF(m.centre, m.ownNote).length() + margin, t));
            }
        }
        for (const Mark &mark : marks) {
            const qreal own = QLineF(mark.centre, mark.ownNote).length() + margin;
            for (const Mark &note : m_notes) {
                if (note.owner != ignoreOwner)
                    next = qMax(next, beyond(mark.centre, note.centre, own, t));
            }
        }
        if (next == t)
            return t;
        t = next;
    }
    return t;
}
