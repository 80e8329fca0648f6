#ifndef PAGEPAINTER_H
#define PAGEPAINTER_H

class QPainter;
class QRectF;
struct ScorePage;

// Draws a laid-out page onto a painter that is active on any device, in
// points from the device's top-left corner: an SVG page, a PDF or printer
// page, an image or a screen. The painter's transform on entry places the
// page on the device; the page's own translation is added to it.
class PagePainter
{
public:
    static void paint(QPainter &painter, const ScorePage &page);
    // As paint(), drawing only the items whose ink meets area (in page
    // points): with the painter clipped to area, the pixels inside it come
    // out as paint() makes them, as long as no item outside area spills
    // its ink into it.
    static void paintArea(QPainter &painter, const ScorePage &page, const QRectF &area);
};

#endif // PAGEPAINTER_H
