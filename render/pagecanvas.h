#ifndef PAGECANVAS_H
#define PAGECANVAS_H

#include <QImage>

#include <utility>

class QColor;

// The image the pages of an image export are painted on, one page after
// another: at 300 dpi a page is 35 MB, and allocating and filling a fresh
// one for every page took as long as painting and encoding it. The canvas
// keeps its memory from page to page while the size stays the same.
class PageCanvas
{
public:
    // The canvas at size, in the painter's own format (ARGB32
    // premultiplied), every pixel fill; null when the memory cannot be had.
    QImage &clear(QSize size, const QColor &fill);
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }
    // The image, leaving the canvas empty.
    QImage take() { return std::exchange(m_image, QImage()); }

private:
    QImage m_image;
};

#endif // PAGECANVAS_H
