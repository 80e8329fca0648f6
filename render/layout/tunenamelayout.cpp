#include "tunenamelayout.h"

#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "linegrammar.h"
#include "verticaltext.h"

int TuneNameLayout::unitHeight(const LayoutContext &ctx, const QFont &font, QChar ch)
{
    const QFontMetrics fm = ExportConfig::pageFontMetrics(font);
    return VerticalText::isPunctuation(ch) ? ctx.punctuationHeight(font, ch, fm.boundingRect(ch).height())
                                           : fm.height();
}

int TuneNameLayout::totalHeight(const LayoutContext &ctx, const QFont &font, const QString &s)
{
    int total = 0;
    for (QChar ch : s)
        total += unitHeight(ctx, font, ch);
    return total;
}

TuneNameLayout::Part TuneNameLayout::fitted(const LayoutContext &ctx, const QString &line, const QString &text,
                                            QFont font)
{
    Part part;
    part.start = text.isEmpty() ? -1 : int(line.indexOf(text));
    part.text = text;
    for (QChar &ch : part.text)
        ch = VerticalText::verticalForm(ch);
    // A text longer than a whole column is set smaller.
    const int room = ctx.options().contentSize.height();
    for (int step = 0; step < 40 && room > 0 && totalHeight(ctx, font, part.text) > room && font.pointSizeF() > 2;
         ++step)
        font.setPointSizeF(qMax(2.0, font.pointSizeF() * qMin(0.95, qreal(room) / totalHeight(ctx, font, part.text))));
    part.font = font;
    part.width = ExportConfig::pageFontMetrics(font).maxWidth();
    part.height = totalHeight(ctx, font, part.text);
    return part;
}

void TuneNameLayout::setDown(LayoutContext &ctx, const Part &part, const QColor &color, ItemSource::Kind kind)
{
    ctx.beginRun(part.font, &ctx.ink().fontInk(part.font));
    for (int i = 0; i < part.text.size(); ++i) {
        const int u = unitHeight(ctx, part.font, part.text.at(i));
        ctx.place(QRect(ctx.cursorX, ctx.cursorY, part.width, u), Qt::AlignCenter, QString(part.text.at(i)), color,
                  kind, part.start + i);
        ctx.cursorY += u;
    }
}

void TuneNameLayout::layout(LayoutContext &ctx, const QString &text)
{
    const ExportConfig &c = ctx.config();
    const Part name = fitted(ctx, text, tuneName(text), c.quPaiFont());
    const Part key = fitted(ctx, text, tuneKey(text), c.diaoMingFont());

    // A new tune begins a new column, as printed scores do; where a column
    // is as tall as the content, below what is set in it.
    const int contentHeight = ctx.options().contentSize.height();
    if (ctx.cursorY > 0 || !ctx.column.isEmpty())
        ctx.newColumn();
    ctx.clearBlock(ctx.cursorX, ctx.cursorX + name.width + key.width);
    if (ctx.cursorY + name.height > contentHeight || ctx.cursorY + key.height > contentHeight)
        ctx.newColumn();
    const int x0 = ctx.cursorX;
    const int y0 = ctx.cursorY;

    setDown(ctx, name, c.quPaiColor(), ItemSource::Kind::TuneName);
    // A shorter key is centred against the tune name; a longer one starts
    // level with it.
    const int d = name.height - key.height;
    ctx.cursorY = d > 1 ? y0 + d / 2 : y0;
    ctx.cursorX += name.width;
    setDown(ctx, key, c.diaoMingColor(), ItemSource::Kind::TuneKey);

    ctx.cursorX = x0;
    ctx.cursorY = y0 + qMax(name.height, key.height);
}
