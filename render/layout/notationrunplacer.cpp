#include "notationrunplacer.h"

#include "columnink.h"
#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "notationrun.h"

#include <QVarLengthArray>

#include <cmath>
#include <limits>

namespace {

qreal polygonArea(const QPolygonF &p)
{
    qreal a = 0;
    for (int i = 0; i + 1 < p.size(); ++i)
        a += p.at(i).x() * p.at(i + 1).y() - p.at(i + 1).x() * p.at(i).y();
    if (p.size() > 2 && p.first() != p.last())
        a += p.last().x() * p.first().y() - p.first().x() * p.last().y();
    return std::abs(a) / 2;
}

int cornerCount(const QPolygonF &p)
{
    int n = int(p.size());
    if (n > 1 && p.first() == p.last())
        --n;
    return n;
}

// The area two convex polygons share: the first clipped by each edge of the
// second in turn.
qreal convexOverlapArea(const QPolygonF &subject, const QPolygonF &clip)
{
    const int clipCount = cornerCount(clip);
    if (clipCount < 3)
        return 0;
    qreal turn = 0;
    for (int i = 0; i < clipCount; ++i) {
        const QPointF a = clip.at(i);
        const QPointF b = clip.at((i + 1) % clipCount);
        turn += a.x() * b.y() - b.x() * a.y();
    }
    const qreal side = turn < 0 ? -1 : 1;
    QVarLengthArray<QPointF, 16> out(subject.constBegin(), subject.constBegin() + cornerCount(subject));
    QVarLengthArray<QPointF, 16> in;
    for (int e = 0; e < clipCount && !out.isEmpty(); ++e) {
        const QPointF c1 = clip.at(e);
        const QPointF edge = clip.at((e + 1) % clipCount) - c1;
        const auto distance = [&](const QPointF &p) {
            return side * (edge.x() * (p.y() - c1.y()) - edge.y() * (p.x() - c1.x()));
        };
        in = out;
        out.clear();
        for (int i = 0; i < in.size(); ++i) {
            const QPointF cur = in.at(i);
            const QPointF prev = in.at((i + in.size() - 1) % in.size());
            const qreal dc = distance(cur);
            const qreal dp = distance(prev);
            if ((dc >= 0) != (dp >= 0))
                out.append(prev + (cur - prev) * (dp / (dp - dc)));
            if (dc >= 0)
                out.append(cur);
        }
    }
    if (out.size() < 3)
        return 0;
    qreal a = 0;
    for (int i = 0; i < out.size(); ++i) {
        const QPointF p = out.at(i);
        const QPointF q = out.at((i + 1) % out.size());
        a += p.x() * q.y() - q.x() * p.y();
    }
    return std::abs(a) / 2;
}

qreal rightOf(const QList<QPolygonF> &outlines)
{
    qreal right = std::numeric_limits<qreal>::lowest();
    for (const QPolygonF &o : outlines)
        right = qMax(right, o.boundingRect().right());
    return right;
}

qreal leftOf(const QList<QPolygonF> &outlines)
{
    qreal left = std::numeric_limits<qreal>::max();
    for (const QPolygonF &o : outlines)
        left = qMin(left, o.boundingRect().left());
    return left;
}

qreal topOf(const QList<QPolygonF> &outlines)
{
    qreal top = std::numeric_limits<qreal>::max();
    for (const QPolygonF &o : outlines)
        top = qMin(top, o.boundingRect().top());
    return top;
}

} // namespace

NotationRunPlacer::NotationRunPlacer(LayoutContext &ctx, const ScoreRun &run, const QString &notation)
    : m_ctx(ctx)
    , m_run(run)
    , m_notation(notation)
{
}

const ScoreRun &NotationRunPlacer::runAt(int rotation) const
{
    if (rotation == m_ctx.options().angle)
        return m_run;
    if (!m_upright)
        m_upright = NotationRun::layoutUpright(m_ctx, m_notation);
    return *m_upright;
}

int NotationRunPlacer::groupEnd(int first) const
{
    int n = first;
    bool note = false;
    while (n < m_run.glyphs.size()) {
        if (!m_run.glyphs.at(n).mark) {
            if (note)
                break;
            note = true;
        }
        ++n;
    }
    return n;
}

void NotationRunPlacer::ownership(int first, const QList<QPolygonF> &outlines, QList<QPointF> &notes,
                                  QList<ColumnInk::Mark> &marks) const
{
    notes.reserve(notes.size() + outlines.size());
    marks.reserve(marks.size() + outlines.size());
    QPointF note;
    for (int k = 0; k < outlines.size(); ++k) {
        if (!m_run.glyphs.at(first + k).mark) {
            note = outlines.at(k).boundingRect().center();
            notes.append(note);
        }
    }
    for (int k = 0; k < outlines.size(); ++k) {
        if (m_run.glyphs.at(first + k).mark)
            marks.append({outlines.at(k).boundingRect().center(), note});
    }
}

QRect NotationRunPlacer::uprightMarkCell(const ScoreGlyph &g, int base, int rotation) const
{
    // Turned, 、 would read as 一.
    const QRectF lane = QRectF(g.cell.translated(0, -base));
    if (rotation == 0)
        return g.cell.translated(0, -base);
    const QPointF centre = m_ctx.options().turn.map(lane.center());
    return QRect(int(std::lround(centre.x() - g.cell.width() / 2.0)),
                 int(std::lround(centre.y() - g.cell.height() / 2.0)), g.cell.width(), g.cell.height());
}

QList<QPolygonF> NotationRunPlacer::groupOutlines(int first, int end, QPoint origin, int base) const
{
    return groupOutlines(first, end, origin, base, m_ctx.options().angle);
}

QList<QPolygonF> NotationRunPlacer::groupOutlines(int first, int end, QPoint origin, int base, int rotation) const
{
    const FontInk &metrics = m_ctx.ink().score;
    QTransform marks = m_ctx.contentFrame();
    marks.translate(origin.x(), origin.y());
    // Turn first, then move: the same as translate() and rotate() on the
    // frame, without working out the angle's sine for every glyph.
    const QTransform notes = rotation == 0 ? marks : m_ctx.options().turn * marks;
    const ScoreRun &run = runAt(rotation);
    QList<QPolygonF> outlines;
    outlines.reserve(end - first);
    for (int n = first; n < end; ++n) {
        const ScoreGlyph &g = run.glyphs.at(n);
        if (g.mark)
            outlines.append(mappedOutline(
                marks, LayoutContext::frameInkOf(metrics, uprightMarkCell(g, base, rotation), Qt::AlignCenter, g.glyph)));
        else
            outlines.append(mappedOutline(
                notes, LayoutContext::frameInkOf(metrics, g.cell.translated(0, -base), Qt::AlignCenter, g.glyph)));
    }
    return outlines;
}

QPoint NotationRunPlacer::origin(int columnX, int charTop, const QPolygonF &character, QList<QPolygonF> &head) const
{
    const LayoutOptions &o = m_ctx.options();
    QPoint origin(columnX + o.scoreOrigin.x(), charTop + o.scoreOrigin.y());
    const int end = groupEnd(0);
    head = groupOutlines(0, end, origin, 0);
    // A head that would reach past the column's right edge (a wide spacing
    // beside the character) moves back into it.
    const qreal columnRight = m_ctx.contentOrigin().x() + columnX + o.columnWidth - o.gutter;
    const qreal right = rightOf(head);
    if (right > columnRight) {
        origin.rx() -= int(std::ceil(right - columnRight));
        head = groupOutlines(0, end, origin, 0);
    }
    // A run that would lie on its own character (a narrow face, a negative
    // spacing) moves right, clear of it; a touch is let be.
    if (character.size() < 3 || head.isEmpty())
        return origin;
    ColumnInk own;
    own.add(character);
    if (!liesOn(own, character, head))
        return origin;
    const int shift = int(std::ceil(own.clearanceRight(head, 0)));
    if (shift != 0) {
        origin.rx() += shift;
        head = groupOutlines(0, end, origin, 0);
    }
    return origin;
}

bool NotationRunPlacer::liesOn(const ColumnInk &own, const QPolygonF &character,
                               const QList<QPolygonF> &outlines) const
{
    bool touches = false;
    for (const QPolygonF &o : outlines)
        touches = touches || own.collides(o);
    if (!touches)
        return false;
    // Ink whose box lies apart from the character's shares no area with it.
    const QRectF characterBox = character.boundingRect();
    const auto overlapArea = [&](const auto &area) {
        qreal overlap = 0;
        for (const QPolygonF &o : outlines) {
            const QRectF box = o.boundingRect();
            if (box.right() < characterBox.left() || box.left() > characterBox.right()
                || box.bottom() < characterBox.top() || box.top() > characterBox.bottom())
                continue;
            overlap += area(o);
        }
        return overlap;
    };
    // The painter path's clipping measures the overlap; clipping the convex
    // outlines directly agrees with it to some 1e-11 at a fraction of the
    // cost, so the painter path is asked only near the threshold.
    const qreal minOverlap = 0.5;
    qreal overlap = overlapArea([&](const QPolygonF &o) { return convexOverlapArea(o, character); });
    if (std::abs(overlap - minOverlap) < 1e-3)
        overlap = overlapArea([&](const QPolygonF &o) { return polygonArea(o.intersected(character)); });
    return overlap >= minOverlap;
}

void NotationRunPlacer::flush(const Segment &segment, int offset)
{
    if (segment.isEmpty())
        return;
    const ExportConfig &c = m_ctx.config();
    const FontInk *metrics = &m_ctx.ink().score;
    m_ctx.beginRotatedRun(c.scoreFont(), metrics, segment.origin, segment.rotation);
    m_ctx.page().runs.last().items.reserve(segment.end - segment.first);
    const ScoreRun &run = runAt(segment.rotation);
    bool marks = false;
    for (int n = segment.first; n < segment.end; ++n) {
        const ScoreGlyph &g = run.glyphs.at(n);
        marks = marks || g.mark;
        if (!g.mark)
            m_ctx.place(g.cell.translated(0, -segment.base), Qt::AlignCenter, g.glyph, g.color,
                        ItemSource::Kind::Notation, offset, n);
    }
    if (!marks)
        return;
    m_ctx.beginRotatedRun(c.scoreFont(), metrics, segment.origin, 0);
    for (int n = segment.first; n < segment.end; ++n) {
        const ScoreGlyph &g = run.glyphs.at(n);
        if (g.mark)
            m_ctx.place(uprightMarkCell(g, segment.base, segment.rotation), Qt::AlignCenter, g.glyph, g.color,
                        ItemSource::Kind::Notation, offset, n);
    }
}

QPoint NotationRunPlacer::insideRight(QPoint at, int first, int end, int base, int rotation) const
{
    const qreal columnLeft = m_ctx.contentOrigin().x() + m_ctx.cursorX;
    const qreal columnRight = columnLeft + m_ctx.options().columnWidth - m_ctx.options().gutter;
    const qreal right = rightOf(groupOutlines(first, end, at, base, rotation));
    if (right > columnRight)
        at.rx() -= int(std::ceil(right - columnRight));
    // Nor past its left edge, where a turned glyph reaches further left of
    // its origin than the lane allows for.
    const qreal left = leftOf(groupOutlines(first, end, at, base, rotation));
    if (left < columnLeft)
        at.rx() += int(std::ceil(columnLeft - left));
    return at;
}

NotationRunPlacer::Segment NotationRunPlacer::moveOn(const Segment &segment, int first, int end, int laneX,
                                                     bool &freshColumn)
{
    Segment next;
    next.first = next.end = first;
    next.rotation = segment.rotation;
    const int sw = m_ctx.config().scoreFontMetrics().maxWidth();
    const QPoint content = m_ctx.contentOrigin();
    bool nextColumn = segment.isEmpty();
    if (!nextColumn) {
        // Goes on upright, straight below the last note set (an upright run
        // below what stopped it), with a little more air than between
        // glyphs, so that each mark reads with its own note.
        next.rotation = 0;
        next.base = first == 0 ? 0 : runAt(0).glyphs.at(first).cell.y();
        QPoint at(m_ctx.cursorX + laneX, segment.origin.y());
        if (m_lastNote.isValid())
            at = QPoint(int(std::lround(m_lastNote.center().x() - content.x() - sw / 2.0)),
                        int(std::ceil(m_lastNote.bottom() - content.y())));
        at = insideRight(at, first, end, next.base, 0);
        const qreal down = m_ctx.column.clearanceDown(groupOutlines(first, end, at, next.base, 0),
                                                      3 * LayoutContext::inkGap);
        at.ry() += int(std::ceil(down));
        // Further down where a mark would stand nearer another note.
        QList<QPointF> notes;
        QList<ColumnInk::Mark> marks;
        ownership(first, groupOutlines(first, end, at, next.base, 0), notes, marks);
        at.ry() += int(std::ceil(m_ctx.column.ownershipClearanceDown(notes, marks, 1.0)));
        next.origin = at;
        nextColumn = !m_ctx.fitsColumn(groupOutlines(first, end, at, next.base, 0));
    }
    if (nextColumn) {
        m_ctx.newColumn();
        freshColumn = true;
        next.rotation = m_ctx.options().angle;
        next.base = first == 0 ? 0 : m_run.glyphs.at(first).cell.y();
        QPoint at = insideRight(QPoint(m_ctx.cursorX + laneX, 0), first, end, next.base, next.rotation);
        const qreal top = topOf(groupOutlines(first, end, at, next.base, next.rotation));
        at.ry() += int(std::ceil(content.y() - top));
        next.origin = at;
    }
    return next;
}

bool NotationRunPlacer::standsClear(int first, const QList<QPolygonF> &outlines, int charTag) const
{
    // Within one segment the run's own arithmetic keeps its glyphs apart;
    // against the character, only the head may touch it.
    bool clear = m_ctx.fitsColumn(outlines);
    for (int k = 0; clear && k < outlines.size(); ++k)
        clear = !m_ctx.column.collides(outlines.at(k), m_ctx.tag, first == 0 ? charTag : -2);
    // Nor may a mark stand nearer another character's note than its own, or
    // a note nearer another character's mark than that mark's own.
    if (clear && first > 0) {
        QList<QPointF> notes;
        QList<ColumnInk::Mark> marks;
        ownership(first, outlines, notes, marks);
        clear = m_ctx.column.ownershipClearanceDown(notes, marks, 1.0, charTag) == 0;
    }
    return clear;
}

void NotationRunPlacer::take(int first, const QList<QPolygonF> &outlines, int charTag)
{
    for (int k = 0; k < outlines.size(); ++k) {
        m_ctx.column.add(outlines.at(k), m_ctx.tag);
        if (!m_run.glyphs.at(first + k).mark)
            m_lastNote = outlines.at(k).boundingRect();
    }
    QList<QPointF> notes;
    QList<ColumnInk::Mark> marks;
    ownership(first, outlines, notes, marks);
    for (const QPointF &n : std::as_const(notes))
        m_ctx.column.addNote(n, charTag);
    for (ColumnInk::Mark m : std::as_const(marks)) {
        m.owner = charTag;
        m_ctx.column.addMark(m);
    }
}

bool NotationRunPlacer::place(int offset, int charTag, QPoint origin, const QList<QPolygonF> &head)
{
    if (m_run.glyphs.isEmpty())
        return false;
    const QFont lineFont = m_ctx.runFont();
    const FontInk *lineMetrics = m_ctx.runMetrics();
    ++m_ctx.tag;
    // Glyphs are kept in the column's ink as they are taken, so that the
    // rest of the run steers clear of them.
    const int laneX = origin.x() - m_ctx.cursorX;
    Segment segment;
    segment.origin = origin;
    segment.rotation = m_ctx.options().angle;
    int first = 0;
    int attempts = 0;
    bool wentUpright = false;
    bool freshColumn = false;
    while (first < m_run.glyphs.size()) {
        const int end = groupEnd(first);
        const bool isHead = first == 0 && segment.origin == origin && segment.base == 0
                            && segment.rotation == m_ctx.options().angle;
        const QList<QPolygonF> outlines
            = isHead ? head : groupOutlines(first, end, segment.origin, segment.base, segment.rotation);
        // After two moves that did not help, the note is set where it
        // stands rather than searched for without end.
        if (standsClear(first, outlines, charTag) || attempts >= 2 || (segment.isEmpty() && freshColumn)) {
            take(first, outlines, charTag);
            if (segment.isEmpty())
                segment.first = first;
            segment.end = end;
            first = end;
            attempts = 0;
            freshColumn = false;
            continue;
        }
        if (!segment.isEmpty())
            flush(segment, offset);
        // A new segment answers for its own glyphs only.
        segment = moveOn(segment, first, end, laneX, freshColumn);
        wentUpright = wentUpright || segment.rotation != m_ctx.options().angle;
        ++m_ctx.tag;
        ++attempts;
    }
    flush(segment, offset);
    m_ctx.resumeRun(lineFont, lineMetrics);
    return wentUpright;
}
