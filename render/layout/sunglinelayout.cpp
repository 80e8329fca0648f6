#include "sunglinelayout.h"

#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "linegrammar.h"
#include "notationrun.h"
#include "notationrunplacer.h"
#include "verticaltext.h"

#include <cmath>
#include <limits>

SungLineLayout::SungLineLayout(LayoutContext &ctx, const QString &text, const QList<QString> &scores)
    : m_ctx(ctx)
    , m_text(text)
    , m_scores(scores)
    , m_metrics(ctx.ink().lyric)
{
}

void SungLineLayout::layout(LayoutContext &ctx, const QString &text, const QList<QString> &scores)
{
    if (text.isEmpty())
        return;
    ctx.beginRun(ctx.config().lyricFont(), &ctx.ink().lyric);
    SungLineLayout line(ctx, text, scores);
    for (int i = 0; i < text.size(); ++i)
        line.layoutCharacter(i);
}

SungLineLayout::Character SungLineLayout::characterAt(int i)
{
    const ExportConfig &c = m_ctx.config();
    const QFontMetrics fm = c.lyricFontMetrics();
    Character ch;
    ch.index = i;
    const QChar typed = m_text.at(i);
    const bool dashBefore = i > 0 && VerticalText::isDash(m_text.at(i - 1));
    ch.inDashRun = VerticalText::isDash(typed)
                   && (dashBefore || (i + 1 < m_text.size() && VerticalText::isDash(m_text.at(i + 1))));
    const QChar v = ch.inDashRun ? VerticalText::joinedDash() : VerticalText::verticalForm(typed);
    ch.text = QString(v);
    ch.hanging = VerticalText::isHangingPunctuation(v);
    ch.closing = VerticalText::isClosingPunctuation(v);
    ch.joinsDash = ch.inDashRun && dashBefore;
    ch.alignment = ch.hanging ? int(Qt::AlignBottom) : int(Qt::AlignCenter);
    if (!ch.hanging && !ch.joinsDash)
        m_ctx.cursorY += m_ctx.options().lyricSpace;
    // However tight the spacing, nothing is set above the column.
    m_ctx.cursorY = qMax(0, m_ctx.cursorY);
    const QRect tight = m_ctx.ink().lyricBoxes(fm, ch.text);
    ch.width = tight.width();
    ch.height = VerticalText::isPunctuation(v) ? m_ctx.punctuationHeight(c.lyricFont(), v, tight.height())
                                               : fm.height();
    if (ch.inDashRun)
        ch.height = int(std::ceil(m_metrics.glyph(ch.text).tight.height()));
    // Laid out once: its extent decides the column, its glyphs are drawn.
    if (isLyricChar(v)) {
        ch.notation = m_scores.value(i);
        ch.run = NotationRun::layout(m_ctx, ch.notation);
    }
    const int contentHeight = m_ctx.options().contentSize.height();
    ch.foot = ch.closing && m_ctx.cursorY > 0 ? contentHeight + c.marginBottom() : contentHeight;
    return ch;
}

QRect SungLineLayout::cellAt(const Character &ch, int y) const
{
    const int lw = m_ctx.config().lyricFontMetrics().maxWidth();
    if (!ch.hanging)
        return QRect(m_ctx.cursorX, y, lw, ch.height);
    // Hanging punctuation stands at its character's lower right, left of
    // where the notation starts: in the notation lane a 。 reads as an eye
    // mark, and its character's own run would push it below the melisma.
    const int inkRight = int(std::ceil(m_metrics.glyph(ch.text).tight.right()));
    const int laneStart = m_ctx.options().scoreOrigin.x();
    const int x = qMax(0, qMin(lw / 2, laneStart - inkRight - int(LayoutContext::inkGap)));
    return QRect(m_ctx.cursorX + x, y, ch.width, ch.height);
}

const SungLineLayout::Placed &SungLineLayout::placedAt(const Character &ch)
{
    Placed &p = m_placed;
    if (p.valid && p.page == m_ctx.pages().size() && p.x == m_ctx.cursorX && p.y == m_ctx.cursorY)
        return p;
    p.page = m_ctx.pages().size();
    p.x = m_ctx.cursorX;
    p.y = m_ctx.cursorY;
    p.valid = true;
    p.character = m_ctx.outlineOf(m_metrics, cellAt(ch, m_ctx.cursorY), ch.alignment, ch.text, m_ctx.contentFrame());
    p.head.clear();
    if (!ch.run.glyphs.isEmpty())
        p.origin = NotationRunPlacer(m_ctx, ch.run, ch.notation).origin(m_ctx.cursorX, m_ctx.cursorY, p.character, p.head);
    return p;
}

void SungLineLayout::breakBefore(const Character &ch)
{
    const ExportConfig &c = m_ctx.config();
    const int contentHeight = m_ctx.options().contentSize.height();
    const auto overflows = [&](const ScoreRun &run, int top) {
        return c.isLineBreakScoreOverflow() && !run.glyphs.isEmpty() && top > 0 && top + run.extent > contentHeight
               && run.extent <= contentHeight;
    };
    int need = ch.height;
    bool opensOverflow = false;
    if (VerticalText::isOpeningPunctuation(ch.text.at(0)) && ch.index + 1 < m_text.size()) {
        // An opening bracket keeps room for what it opens, and goes along
        // with it where its run starts a column.
        need += m_ctx.options().lyricSpace + c.lyricFontMetrics().height();
        const QString next = m_text.at(ch.index + 1);
        if (isLyricChar(next.at(0)))
            opensOverflow = overflows(NotationRun::layout(m_ctx, m_scores.value(ch.index + 1)),
                                      m_ctx.cursorY + ch.height + m_ctx.options().lyricSpace);
    }
    if (overflows(ch.run, m_ctx.cursorY) || (opensOverflow && m_ctx.cursorY > 0))
        m_ctx.newColumn();
    else if (m_ctx.cursorY + need > ch.foot)
        m_ctx.newColumn();
}

void SungLineLayout::settle(const Character &ch)
{
    // A head that starts with marks turned up beside the first note may
    // reach above the column: the character comes down for it.
    if (!ch.run.glyphs.isEmpty()) {
        qreal top = std::numeric_limits<qreal>::max();
        for (const QPolygonF &o : placedAt(ch).head)
            top = qMin(top, o.boundingRect().top());
        const qreal columnTop = m_ctx.contentOrigin().y();
        if (top < columnTop)
            m_ctx.cursorY += int(std::ceil(columnTop - top));
    }
    // Down until clear of the ink above and of the beats above; a move for
    // the one may need another for the other.
    for (int round = 0; round < 8 && !m_ctx.column.isEmpty(); ++round) {
        int push = inkPush(ch);
        if (push == 0)
            push = beatPush(ch);
        if (push == 0)
            break;
        if (m_ctx.cursorY + push + ch.height > ch.foot) {
            m_ctx.newColumn();
            break;
        }
        m_ctx.cursorY += push;
    }
    if (m_ctx.cursorY > 0 && !ch.run.glyphs.isEmpty() && !m_ctx.fitsColumn(placedAt(ch).head))
        m_ctx.newColumn();
}

int SungLineLayout::inkPush(const Character &ch)
{
    const Placed &p = placedAt(ch);
    QList<QPolygonF> moving;
    moving.reserve(p.head.size() + 2);
    moving.append(p.character);
    moving.append(p.head);
    // A character starts below the notes of the runs above it that would
    // stand between it and its own notes: beside upright runs (and below a
    // slanted run that went on upright) all of its lane, beside slanted ones
    // where its own run starts. A note left there
    // would read as its melody. Punctuation stays tucked under the
    // character it follows.
    const LayoutOptions &o = m_ctx.options();
    if (!ch.hanging && !ch.joinsDash) {
        const int sw = m_ctx.config().scoreFontMetrics().maxWidth();
        const int width = o.angle == 0 || m_runWentUpright ? o.columnWidth - o.scoreOrigin.x() : sw;
        const QRectF lane(m_ctx.cursorX + o.scoreOrigin.x(), m_ctx.cursorY, width, ch.height);
        moving.append(mappedOutline(m_ctx.contentFrame(), lane));
    }
    const qreal down = m_ctx.column.clearanceDown(moving, LayoutContext::inkGap, ch.joinsDash ? m_dashTag : -2);
    return int(std::ceil(down));
}

int SungLineLayout::beatPush(const Character &ch)
{
    // Where a mark of its head would stand nearer a note above than its
    // own, or its first note nearer a mark above than that mark's own note.
    if (ch.run.glyphs.isEmpty())
        return 0;
    QList<QPointF> notes;
    QList<ColumnInk::Mark> marks;
    NotationRunPlacer(m_ctx, ch.run, ch.notation).ownership(0, placedAt(ch).head, notes, marks);
    return int(std::ceil(m_ctx.column.ownershipClearanceDown(notes, marks, 1.0)));
}

bool SungLineLayout::placeUnderItsCharacter(const Character &ch)
{
    if (!m_anchor.valid || !ch.hanging)
        return false;
    const int x = m_ctx.cursorX;
    const int y = m_ctx.cursorY;
    const ColumnInk column = m_ctx.column;
    m_ctx.cursorX = m_anchor.x;
    m_ctx.cursorY = m_anchor.y;
    m_ctx.column = m_anchor.column;
    m_placed.valid = false;
    // What closes a phrase may hang into the foot margin.
    const int foot = m_ctx.options().contentSize.height() + m_ctx.config().marginBottom();
    const int push = inkPush(ch);
    const bool fits = m_ctx.cursorY + push + ch.height <= foot;
    if (fits) {
        m_ctx.cursorY += push;
        ++m_ctx.tag;
        m_ctx.place(cellAt(ch, m_ctx.cursorY), ch.alignment, ch.text, m_ctx.config().lyricColor(),
                    ItemSource::Kind::Lyric, ch.index);
    }
    m_ctx.cursorX = x;
    m_ctx.cursorY = y;
    m_ctx.column = column;
    m_placed.valid = false;
    return fits;
}

void SungLineLayout::layoutCharacter(int i)
{
    m_placed.valid = false;
    const Character ch = characterAt(i);
    const bool anchored = placeUnderItsCharacter(ch);
    m_anchor.valid = false;
    if (anchored)
        return;
    breakBefore(ch);
    settle(ch);

    ++m_ctx.tag;
    if (ch.inDashRun && !ch.joinsDash)
        m_dashTag = m_ctx.tag;
    if (ch.inDashRun)
        m_ctx.tag = m_dashTag;
    const int charTag = m_ctx.tag;
    QPoint origin;
    QList<QPolygonF> head;
    if (!ch.run.glyphs.isEmpty()) {
        const Placed &p = placedAt(ch);
        origin = p.origin;
        head = p.head;
    }
    m_ctx.place(cellAt(ch, m_ctx.cursorY), ch.alignment, ch.text, m_ctx.config().lyricColor(),
                ItemSource::Kind::Lyric, i);
    const int column = m_ctx.columnCount;
    const qsizetype page = m_ctx.pages().size();
    const Anchor under{true, m_ctx.cursorX, m_ctx.cursorY + ch.height, ColumnInk()};
    const bool wentUpright = NotationRunPlacer(m_ctx, ch.run, ch.notation).place(i, charTag, origin, head);
    // Punctuation after such a run leaves the next character below it too.
    if (!ch.hanging)
        m_runWentUpright = wentUpright;
    if (m_ctx.columnCount != column) {
        // The notation went on at the head of a further column: the line
        // goes on below it there, but for punctuation, which stays with
        // its character where the page allows.
        if (m_ctx.columnCount == column + 1 && m_ctx.pages().size() == page) {
            m_anchor = under;
            m_anchor.column = m_ctx.previousColumn;
        }
        m_ctx.cursorY = 0;
    } else {
        m_ctx.cursorY += ch.height;
    }
}
