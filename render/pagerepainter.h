#ifndef PAGEREPAINTER_H
#define PAGEREPAINTER_H

#include "pagemodel.h"
#include "shapedtextcache.h"

#include <QImage>

// A page shown on screen, kept as an image and painted again as it changes:
// after an edit only the part of the page whose items differ from the page
// painted before is cleared and painted (an ideograph typed moves the rest
// of its column, rarely more), and the image keeps its memory. Shaping every
// glyph of a page again took most of a keystroke with the page shown.
class PageRepainter
{
public:
    // The page at scale (pixels a point, before the ratio) on an image of
    // pixels device pixels at ratio, of 72 dots per inch; a page without a
    // background of its own on white. The image is opaque, so that showing
    // it is a copy.
    const QImage &paint(const ScorePage &page, double scale, const QSize &pixels, qreal ratio);
    const QImage &image() const { return m_image; }
    // The device pixels of the image the last paint() changed: none when
    // the page was as painted before, all of them when painted whole.
    QRect paintedPixels() const { return m_paintedPixels; }
    // The next paint() paints the whole page.
    void invalidate() { m_valid = false; }

    // Where before and after differ, in page points: the ink of every item
    // that is not the same in both (its run and place included). Null when
    // nothing differs; the whole page when the difference cannot be told by
    // items (size, background, decoration, an item without known ink).
    static QRectF changedArea(const ScorePage &before, const ScorePage &after);

private:
    QImage m_image;
    QRect m_paintedPixels;
    ScorePage m_painted;
    ShapedTextCache m_shaped;
    double m_scale = 0;
    bool m_valid = false;
};

#endif // PAGEREPAINTER_H
