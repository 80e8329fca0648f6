#include "pagecanvas.h"

#include <QColor>

QImage &PageCanvas::clear(QSize size, const QColor &fill)
{
    // The memory of the page before, whatever format it was converted to
    // for its file, when this canvas alone holds it and the size is the
    // same: the fill covers every pixel of it.
    const bool reusable = !m_image.isNull() && m_image.size() == size && m_image.depth() == 32
                          && m_image.isDetached();
    if (reusable)
        m_image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    else
        m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    if (!m_image.isNull())
        m_image.fill(fill);
    return m_image;
}
