#ifndef PAGEPAINTER_H
#define PAGEPAINTER_H

class QPainter;
class QRectF;
class ShapedTextCache;
struct ScorePage;

// Draws a laid-out page onto a painter that is active on any device, in
// points from the device's top-left corner: an SVG page, a PDF or printer
// page, an image or a screen. The painter's transform on entry places the
// page on the device; the page's own translation is added to it.
class PagePainter
{
public:
    // With shaped, the text is drawn from the glyphs it keeps (a raster
    // device only: see ShapedTextCache).
    static void paint(QPainter &painter, const ScorePage &page, ShapedTextCache *shaped = nullptr);
    // As paint(), drawing only the items whose ink meets area (in page
    // points): with the painter clipped to area, the pixels inside it come
    // out as paint() makes them, as long as no item outside area spills
    // its ink into it.
    static void paintArea(QPainter &painter, const ScorePage &page, const QRectF &area,
                          ShapedTextCache *shaped = nullptr);
};

#endif // PAGEPAINTER_H
