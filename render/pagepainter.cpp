#include "pagepainter.h"

#include "pagemodel.h"

#include <QPainter>

void PagePainter::paint(QPainter &painter, const ScorePage &page)
{
    // The order of the painter's calls is that in which the pages were
    // always drawn, so that an SVG page comes out the same byte for byte.
    if (page.background.isValid())
        painter.fillRect(QRect(QPoint(0, 0), page.size), page.background);
    painter.translate(page.contentOrigin);
    painter.setRenderHint(QPainter::Antialiasing);
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
            painter.setPen(item.color);
            // Cells are measured by the ink of their glyphs, which the line
            // box of the text overhangs. Never clipped, so that every device
            // shows the glyph whole, as the SVG pages (which know no
            // clipping) do.
            painter.drawText(item.cell, item.alignment | Qt::TextDontClip, item.text);
        }
        if (run.rotated)
            painter.restore();
    }
}
