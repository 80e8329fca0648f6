#include "jiabailayout.h"

#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "titlelayout.h"
#include "verticaltext.h"

#include <cmath>

void JiaBaiLayout::layout(LayoutContext &ctx, const QString &text)
{
    const QString passage = text.mid(1).trimmed();
    if (passage.isEmpty())
        return;
    const int first = TitleLayout::passageStart(text);
    const ExportConfig &c = ctx.config();
    const QFontMetrics fm = c.jiaBaiFontMetrics();
    const int maxW = fm.maxWidth();
    const int contentHeight = ctx.options().contentSize.height();

    ctx.cursorY = qMax(0, ctx.cursorY + ctx.options().lyricSpace);
    const FontInk &metrics = ctx.ink().jiaBai;
    ctx.beginRun(c.jiaBaiFont(), &metrics);
    for (int i = 0; i < passage.size(); ++i) {
        const QChar v = VerticalText::verticalForm(passage.at(i));
        const int h = VerticalText::isPunctuation(v)
                          ? ctx.punctuationHeight(c.jiaBaiFont(), v, fm.boundingRect(v).height())
                          : fm.height();
        const bool hanging = VerticalText::isHangingPunctuation(v);
        const bool closing = VerticalText::isClosingPunctuation(v);
        const int foot = closing && ctx.cursorY > 0 ? contentHeight + c.marginBottom() : contentHeight;
        int need = h;
        if (VerticalText::isOpeningPunctuation(v) && i + 1 < passage.size())
            need += fm.height();
        if (ctx.cursorY + need > foot)
            ctx.newColumn();
        const auto cellAt = [&](int y) {
            return hanging ? QRect(ctx.cursorX + maxW / 2, y, fm.boundingRect(v).width(), h)
                           : QRect(ctx.cursorX, y, maxW, h);
        };
        const int alignment = hanging ? int(Qt::AlignBottom) : int(Qt::AlignCenter);
        if (!ctx.column.isEmpty()) {
            const QPolygonF outline = ctx.outlineOf(metrics, cellAt(ctx.cursorY), alignment, QString(v),
                                                    ctx.contentFrame());
            const int push = int(std::ceil(ctx.column.clearanceDown({outline}, LayoutContext::inkGap)));
            if (ctx.cursorY + push + h > foot)
                ctx.newColumn();
            else
                ctx.cursorY += push;
        }
        ++ctx.tag;
        ctx.place(cellAt(ctx.cursorY), alignment, QString(v), c.jiaBaiColor(), ItemSource::Kind::JiaBai, first + i);
        ctx.cursorY += h;
    }
}
