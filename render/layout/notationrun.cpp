#include "notationrun.h"

#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "notation.h"

#include <QtMath>

#include <cmath>

namespace {

// Within a run, enough to keep glyphs apart once their cells are rounded.
constexpr qreal runGap = 0.75;
// The notation runs a layout keeps for the next time their notation comes:
// more than a long score holds different ones.
constexpr int maxKeptRuns = 8192;

} // namespace

NotationRun::NotationRun(const LayoutContext &ctx, int angle)
    : m_ctx(ctx)
    , m_angle(angle)
    , m_turnBack(QTransform().rotate(-angle))
{
}

ScoreRun NotationRun::layout(const LayoutContext &ctx, const QString &notation)
{
    return kept(ctx, notation, ctx.options().angle, ctx.ink().runs);
}

ScoreRun NotationRun::layoutUpright(const LayoutContext &ctx, const QString &notation)
{
    if (ctx.options().angle == 0)
        return layout(ctx, notation);
    return kept(ctx, notation, 0, ctx.ink().uprightRuns);
}

ScoreRun NotationRun::kept(const LayoutContext &ctx, const QString &notation, int angle,
                           QHash<QString, ScoreRun> &runs)
{
    if (notation.isEmpty())
        return ScoreRun();
    const auto found = runs.constFind(notation);
    if (found != runs.constEnd())
        return *found;
    const ScoreRun run = NotationRun(ctx, angle).layoutNew(notation);
    if (runs.size() >= maxKeptRuns)
        runs.clear();
    runs.insert(notation, run);
    return run;
}

int NotationRun::extent(const LayoutContext &ctx, const QString &notation)
{
    return layout(ctx, notation).extent;
}

QColor NotationRun::colorOf(QStringView piece, char32_t code) const
{
    const ExportConfig &c = m_ctx.config();
    switch (Notation::markKind(code)) {
    case Notation::MarkKind::Ban:
        return c.banColor();
    case Notation::MarkKind::XiaoYan:
        return c.xiaoYanColor();
    case Notation::MarkKind::ZhongYan:
        return c.zhongYanColor();
    case Notation::MarkKind::None:
        break;
    }
    return Notation::takesOrnamentColor(piece) ? c.qiangGeColor() : c.scoreColor();
}

QPolygonF NotationRun::markOutline(const ScoreGlyph &g) const
{
    const QRect upright(-g.cell.width() / 2, -g.cell.height() / 2, g.cell.width(), g.cell.height());
    const QPointF centre = QRectF(g.cell).center();
    const QTransform t = m_turnBack * QTransform::fromTranslate(centre.x(), centre.y());
    const QRectF ink = LayoutContext::frameInkOf(m_ctx.ink().score, upright, Qt::AlignCenter, g.glyph);
    return mappedOutline(t, ink.adjusted(-0.6, -0.6, 0.6, 0.6));
}

void NotationRun::placeMark(ScoreGlyph &g, char32_t code, QRect box)
{
    const LayoutOptions &o = m_ctx.options();
    const int sw = m_ctx.config().scoreFontMetrics().maxWidth();
    // Marks stand in their lane at 0.7 of their height; directly after a
    // note, the dropping ones start one mark height lower.
    const int mh = int(box.height() * 0.7);
    if (Notation::dropsAfterNote(code) && !m_prevMark)
        m_off += mh;
    g.cell = QRect(sw + o.scoreBanYanSpace, m_y + m_off, box.width(), mh);
    g.mark = true;
    // A mark stands upright, so it may reach further than its cell: down
    // its lane past the marks before it, then out of the way of the notes.
    QPolygonF outline = markOutline(g);
    for (int settle = 0; settle < 4; ++settle) {
        const int down = int(std::ceil(m_marks.clearanceDown(outline, runGap)));
        if (down != 0) {
            g.cell.translate(0, down);
            m_off += down;
            outline = markOutline(g);
        }
        const int right = int(std::ceil(m_notes.clearanceRight(outline, runGap)));
        if (right != 0) {
            g.cell.translate(right, 0);
            outline = markOutline(g);
        }
        if (down == 0 && right == 0)
            break;
    }
    // Down its lane where it would stand nearer an earlier note than its own.
    if (m_hasNote) {
        const int away = int(std::ceil(
            m_earlierNotes.ownershipClearanceDown({}, {{outline.boundingRect().center(), m_lastNote}}, 1.0)));
        if (away != 0) {
            g.cell.translate(0, away);
            m_off += away;
            outline = markOutline(g);
        }
    }
    m_marks.add(outline);
    if (m_hasNote)
        m_lastGroup.addMark({outline.boundingRect().center(), m_lastNote});
    m_off += mh + o.banYanSpace;
    m_prevMark = true;
}

void NotationRun::placeNote(ScoreGlyph &g, char32_t code, QRect box)
{
    const FontInk &metrics = m_ctx.ink().score;
    const int sw = m_ctx.config().scoreFontMetrics().maxWidth();
    // Marks that reached below this point push the note down.
    if (m_off > 0)
        m_y += m_off;
    g.cell = Notation::isFlushRightNote(code) ? QRect(sw - box.width(), m_y, box.width(), box.height())
                                              : QRect(0, m_y, sw, box.height());
    // Clear of the marks beside the notes before it, and of the note before
    // it where glyph ink overhangs its cell.
    QPolygonF outline(LayoutContext::frameInkOf(metrics, g.cell, Qt::AlignCenter, g.glyph));
    const int down = int(std::ceil(qMax(m_marks.clearanceDown(outline, runGap), m_notes.clearanceDown(outline, runGap))));
    if (down != 0) {
        g.cell.translate(0, down);
        m_y += down;
        outline = QPolygonF(LayoutContext::frameInkOf(metrics, g.cell, Qt::AlignCenter, g.glyph));
    }
    // Down the run, so that each mark of the note before stays nearer to
    // it than to this one.
    const int away = int(std::ceil(m_lastGroup.ownershipClearanceDown({outline.boundingRect().center()}, {}, 1.0)));
    if (away != 0) {
        g.cell.translate(0, away);
        m_y += away;
        outline = QPolygonF(LayoutContext::frameInkOf(metrics, g.cell, Qt::AlignCenter, g.glyph));
    }
    m_notes.add(outline);
    if (m_hasNote)
        m_earlierNotes.addNote(m_lastNote);
    m_lastNote = outline.boundingRect().center();
    m_hasNote = true;
    m_lastGroup.clear();
    m_y += box.height() + m_ctx.options().scoreSpace;
    // The marks that follow are measured from this note's top.
    m_off = -(box.height() + m_ctx.options().scoreSpace);
    m_prevMark = false;
}

ScoreRun NotationRun::layoutNew(const QString &notation)
{
    ScoreRun run;
    const QFontMetrics sm = m_ctx.config().scoreFontMetrics();
    const int count = Notation::pieceCount(notation);
    run.glyphs.reserve(count);
    for (int n = 0; n < count; ++n) {
        const QStringView piece = Notation::piece(notation, n);
        const char32_t code = Notation::codePoint(piece);
        ScoreGlyph g;
        g.glyph = piece.toString();
        g.color = colorOf(piece, code);
        const QRect box = m_ctx.ink().scoreBoxes(sm, g.glyph);
        if (Notation::isBeatMark(code))
            placeMark(g, code, box);
        else
            placeNote(g, code, box);
        run.glyphs.append(g);
    }
    // The run's length along its slant: to the end of its last mark or one
    // notation line past the top of its next note, whichever is further.
    const int length = qMax(m_y + m_off - m_ctx.options().banYanSpace, m_y + sm.height());
    run.extent = sm.height() + int(length * std::cos(qDegreesToRadians(double(m_angle))));
    return run;
}
