#include "titlelayout.h"

#include "exportconfig.h"
#include "inkmetrics.h"
#include "layoutcontext.h"
#include "linegrammar.h"
#include "verticaltext.h"

QString TitleLayout::titleFrom(QStringView text)
{
    QString chars;
    for (QChar c : text) {
        if (isLyricChar(c))
            chars.append(c);
    }
    return chars.trimmed();
}

int TitleLayout::passageStart(const QString &text)
{
    int start = 1;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    return start;
}

QFont TitleLayout::fittedFont(const LayoutContext &ctx, int n)
{
    const ExportConfig &c = ctx.config();
    const int contentHeight = ctx.options().contentSize.height();
    QFont font = c.titleFont();
    const QFontMetrics fm = c.titleFontMetrics();
    if (fm.height() * n <= contentHeight || contentHeight <= 0)
        return font;
    const qreal size = font.pointSizeF();
    QFont smaller = font;
    smaller.setPointSizeF(size * contentHeight / (fm.height() * n));
    QFontMetrics sm = ExportConfig::pageFontMetrics(smaller);
    while (sm.height() * n > contentHeight && smaller.pointSizeF() > 1) {
        smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
        sm = ExportConfig::pageFontMetrics(smaller);
    }
    return smaller.pointSizeF() >= size * 0.6 ? smaller : font;
}

void TitleLayout::layout(LayoutContext &ctx, const QString &text)
{
    // A bare "#" draws nothing and takes no column.
    const QString title = text.mid(1).trimmed();
    if (title.isEmpty())
        return;
    const ExportConfig &c = ctx.config();
    const int first = passageStart(text);
    const int n = int(title.size());
    const int contentHeight = ctx.options().contentSize.height();
    // Centred in the column less its gutter.
    const int columnWidth = ctx.options().columnWidth - ctx.options().gutter;

    const QFont font = fittedFont(ctx, n);
    const int h = qMax(1, ExportConfig::pageFontMetrics(font).height());
    const int columns = qMax(1, (h * n + contentHeight - 1) / qMax(1, contentHeight));
    const int perColumn = (n + columns - 1) / columns;

    if (ctx.cursorY > 0 || !ctx.column.isEmpty())
        ctx.newColumn();
    ctx.beginRun(font, &ctx.ink().fontInk(font));
    for (int start = 0; start < n; start += perColumn) {
        if (start > 0)
            ctx.newColumn();
        const int count = qMin(perColumn, n - start);
        switch (c.titlePos()) {
        case 1:
            ctx.cursorY = qMax(0, (contentHeight - h * count) / 2);
            break;
        case 2:
            ctx.cursorY = qMax(0, contentHeight - h * count);
            break;
        default:
            ctx.cursorY = 0;
            break;
        }
        for (int i = start; i < start + count; ++i) {
            ctx.place(QRect(ctx.cursorX, ctx.cursorY, columnWidth, h), Qt::AlignCenter,
                      QString(VerticalText::verticalForm(title.at(i))), c.titleColor(), ItemSource::Kind::Title,
                      first + i);
            ctx.cursorY += h;
        }
    }
    ctx.newColumn();
}
