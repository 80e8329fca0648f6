#include "lianbailayout.h"

#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "titlelayout.h"
#include "verticaltext.h"

#include <QList>

#include <cmath>

QPair<int, int> LianBaiLayout::blockHeight(const LayoutContext &ctx, const QString &text, int cols)
{
    const ExportConfig &c = ctx.config();
    const QFontMetrics fm = c.lianBaiFontMetrics();
    QList<int> heights;
    heights.reserve(text.size());
    int total = 0;
    for (QChar ch : text) {
        const int h = VerticalText::isPunctuation(ch)
                          ? ctx.punctuationHeight(c.lianBaiFont(), VerticalText::verticalForm(ch),
                                                  fm.tightBoundingRect(QString(ch)).height())
                          : fm.height();
        heights.append(h);
        total += h;
    }
    if (cols <= 1)
        return {total, 1};

    const int share = total / cols;
    int counted = 0;
    int largest = 0;
    int sum = 0;
    for (int h : std::as_const(heights)) {
        sum += h;
        if (sum >= share) {
            ++counted;
            largest = qMax(largest, sum);
            sum = 0;
        }
    }
    if (sum > 0) {
        ++counted;
        largest = qMax(largest, sum);
    }
    return {largest, qMin(counted, cols)};
}

LianBaiLayout::Block LianBaiLayout::openBlock(LayoutContext &ctx, const QString &rest, int perColumn, int subWidth)
{
    Block block;
    block.baseX = ctx.cursorX;
    block.startY = ctx.cursorY;
    // Every sub-column holds two characters at least: a short passage spread
    // one character a sub-column reads as a row, and its full stop as the
    // sung line's.
    const int cols = int(qMax<qsizetype>(1, qMin<qsizetype>(rest.size() / 2, perColumn)));
    const QPair<int, int> height = blockHeight(ctx, rest, cols);
    block.cols = height.second;
    block.bottom = qMin(ctx.options().contentSize.height(), block.startY + height.first);
    // The first sub-column is the rightmost one; they are counted, not
    // compared by position, so that no width can set one over another.
    ctx.cursorX += subWidth * (block.cols - 1);
    return block;
}

void LianBaiLayout::layout(LayoutContext &ctx, const QString &text)
{
    const QString passage = text.mid(1).trimmed();
    if (passage.isEmpty())
        return;
    const int first = TitleLayout::passageStart(text);
    const ExportConfig &c = ctx.config();
    const QFontMetrics fm = c.lianBaiFontMetrics();
    const int columnWidth = ctx.options().columnWidth;

    ctx.cursorY = qMax(0, ctx.cursorY + ctx.options().lyricSpace);
    // The sub-columns span the column: below all ink set in it.
    ctx.clearBlock(ctx.cursorX, ctx.cursorX + columnWidth);
    if (ctx.cursorY + fm.height() > ctx.options().contentSize.height())
        ctx.newColumn();

    // A sub-column width below 1 (0 included) or wider than the column gives
    // one sub-column; a width below 1 sets it as wide as the font's glyphs.
    const int mColWidth = ctx.options().subColumnWidth;
    const int perColumn = mColWidth >= 1 ? qMax(1, (columnWidth - ctx.options().gutter) / mColWidth) : 1;
    const int subWidth = mColWidth >= 1 ? mColWidth : fm.maxWidth();

    Block block = openBlock(ctx, passage, perColumn, subWidth);
    ctx.beginRun(c.lianBaiFont(), &ctx.ink().lianBai);
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = VerticalText::verticalForm(passage.at(i));
        const QRect tight = fm.tightBoundingRect(QString(v));
        const int h = VerticalText::isPunctuation(v) ? ctx.punctuationHeight(c.lianBaiFont(), v, tight.height())
                                                     : fm.height();
        if (ctx.cursorY + h > block.bottom) {
            ctx.cursorX -= subWidth;
            ctx.cursorY = block.startY;
            if (++block.subColumn >= block.cols) {
                ctx.cursorX = block.baseX;
                ctx.newColumn();
                block = openBlock(ctx, passage.mid(i), perColumn, subWidth);
            }
        }
        if (VerticalText::isHangingPunctuation(v)) {
            // In the right half of its sub-column, and no further right than
            // the sub-column's edge: the ink of a full-width mark stands in
            // the middle of its advance.
            const int inkRight = int(std::ceil(ctx.ink().lianBai.glyph(QString(v)).tight.right()));
            const int x = qMin(ctx.cursorX + subWidth / 2, ctx.cursorX + subWidth - inkRight);
            ctx.place(QRect(x, ctx.cursorY, tight.width(), h), Qt::AlignBottom, QString(v), c.lianBaiColor(),
                      ItemSource::Kind::LianBai, first + i);
        } else {
            ctx.place(QRect(ctx.cursorX, ctx.cursorY, subWidth, h), Qt::AlignCenter, QString(v), c.lianBaiColor(),
                      ItemSource::Kind::LianBai, first + i);
        }
        ctx.cursorY += h;
    }
    ctx.cursorX = block.baseX;
    ctx.cursorY = block.bottom;
}
