#include "pagepainter.h"

#include "pagemodel.h"
#include "shapedtextcache.h"

#include <QPainter>

namespace {

void paintDecoration(QPainter &painter, const ScorePage &page)
{
    const PageDecoration &decoration = page.decoration;
    painter.save();
    // The decoration is in page points, the runs in the content frame.
    painter.translate(-page.contentOrigin);
    // Flat ends: a line broken around ink stops where it was measured to.
    QPen pen(decoration.color, decoration.frameWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    for (const QLineF &line : decoration.frame)
        painter.drawLine(line);
    pen.setWidthF(decoration.ruleWidth);
    painter.setPen(pen);
    for (const QLineF &line : decoration.rules)
        painter.drawLine(line);
    const PageItem &number = decoration.number;
    if (!number.text.isEmpty()) {
        painter.setFont(decoration.numberFont);
        painter.setPen(number.color);
        painter.drawText(number.cell, number.alignment | Qt::TextDontClip, number.text);
    }
    painter.restore();
}

void paintPage(QPainter &painter, const ScorePage &page, const QRectF *area, ShapedTextCache *shaped)
{
    // The order of the painter's calls is that in which the pages were
    // always drawn, so that an SVG page comes out the same byte for byte.
    if (page.background.isValid())
        painter.fillRect(QRect(QPoint(0, 0), page.size), page.background);
    painter.translate(page.contentOrigin);
    painter.setRenderHint(QPainter::Antialiasing);
    // A page is mostly of one or two colours: the pen is set when the
    // colour changes, not for every item.
    QColor pen;
    for (const PageRun &run : page.runs) {
        if (run.rotated) {
            painter.save();
            painter.setFont(run.font);
            painter.translate(run.origin);
            painter.rotate(run.rotation);
        } else if (!run.resumed) {
            painter.setFont(run.font);
        }
        for (const PageItem &item : run.items) {
            if (area && !item.ink.isEmpty() && !item.ink.intersects(*area))
                continue;
            if (!pen.isValid() || item.color != pen) {
                pen = item.color;
                painter.setPen(pen);
            }
            // Cells are measured by the ink of their glyphs, which the line
            // box of the text overhangs. Never clipped, so that every device
            // shows the glyph whole, as the SVG pages (which know no
            // clipping) do.
            if (shaped)
                shaped->draw(painter, item.cell, item.alignment, item.text);
            else
                painter.drawText(item.cell, item.alignment | Qt::TextDontClip, item.text);
        }
        if (run.rotated) {
            // Back to the pen from before the run.
            painter.restore();
            pen = QColor();
        }
    }
    // Only a decorated page draws more: an undecorated one stays the page
    // it always was.
    if (!page.decoration.isEmpty())
        paintDecoration(painter, page);
}

} // namespace

void PagePainter::paint(QPainter &painter, const ScorePage &page, ShapedTextCache *shaped)
{
    paintPage(painter, page, nullptr, shaped);
}

void PagePainter::paintArea(QPainter &painter, const ScorePage &page, const QRectF &area, ShapedTextCache *shaped)
{
    paintPage(painter, page, &area, shaped);
}
