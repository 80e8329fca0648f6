#include "pagerepainter.h"

#include "pagemetrics.h"
#include "pagepainter.h"

#include <QPainter>

#include <algorithm>

namespace {

// An item with the frame it is drawn in: the same item in another run
// frame is drawn elsewhere.
struct PlacedItem
{
    const PageRun *run;
    const PageItem *item;

    bool operator==(const PlacedItem &o) const
    {
        return run->font == o.run->font && run->rotated == o.run->rotated && run->origin == o.run->origin
               && run->rotation == o.run->rotation && run->resumed == o.run->resumed && *item == *o.item;
    }
};

QList<PlacedItem> placedItems(const ScorePage &page)
{
    QList<PlacedItem> items;
    for (const PageRun &run : page.runs) {
        for (const PageItem &item : run.items)
            items.append({&run, &item});
    }
    return items;
}

// Adds the ink of items to area; false when one has text but no known ink.
bool addInk(QRectF &area, const QList<PlacedItem> &items, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i) {
        const PageItem &item = *items.at(i).item;
        if (item.ink.isEmpty()) {
            if (!item.text.trimmed().isEmpty())
                return false;
            continue;
        }
        area = area.united(item.ink);
    }
    return true;
}

} // namespace

QRectF PageRepainter::changedArea(const ScorePage &before, const ScorePage &after)
{
    const QRectF whole(QPointF(0, 0), QSizeF(after.size));
    if (before.size != after.size || before.contentOrigin != after.contentOrigin
        || before.background != after.background || !(before.decoration == after.decoration))
        return whole;
    // An edit changes a stretch of the page: what comes before it and what
    // comes after it (the later columns, when it moved nothing into them)
    // stay as they were, in the same order.
    const QList<PlacedItem> old = placedItems(before);
    const QList<PlacedItem> now = placedItems(after);
    qsizetype head = 0;
    while (head < old.size() && head < now.size() && old.at(head) == now.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < old.size() - head && tail < now.size() - head
           && old.at(old.size() - 1 - tail) == now.at(now.size() - 1 - tail))
        ++tail;
    QRectF area;
    if (!addInk(area, old, head, old.size() - tail) || !addInk(area, now, head, now.size() - tail))
        return whole;
    return area;
}

const QImage &PageRepainter::paint(const ScorePage &page, double scale, const QSize &pixels, qreal ratio)
{
    const bool sameImage = m_valid && m_image.size() == pixels && qFuzzyCompare(m_image.devicePixelRatio(), ratio)
                           && qFuzzyCompare(m_scale, scale);
    QRectF area = sameImage ? changedArea(m_painted, page) : QRectF(QPointF(0, 0), QSizeF(page.size));
    m_paintedPixels = QRect();
    if (sameImage && area.isNull()) {
        m_painted = page;
        return m_image;
    }
    if (m_image.size() != pixels) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        // Fonts are sized in points and the page in points: it is painted
        // on an image of 72 dots per inch, as every export device is, so
        // that the glyphs come out as large as the layout measured them
        // whatever the screen's resolution.
        PageMetrics::setPageResolution(m_image);
    }
    m_image.setDevicePixelRatio(ratio);
    if (m_image.isNull())
        return m_image;
    const QColor paper = page.background.isValid() ? page.background : QColor(Qt::white);
    QPainter painter(&m_image);
    const bool whole = !sameImage || area == QRectF(QPointF(0, 0), QSizeF(page.size));
    if (whole) {
        m_image.fill(paper);
        painter.scale(scale, scale);
        PagePainter::paint(painter, page, &m_shaped);
        m_paintedPixels = m_image.rect();
    } else {
        // The area on whole device pixels, with room for the antialiased
        // edges around the ink; the items are those whose ink reaches into
        // it, edges included.
        const double pixelsPerPoint = scale * ratio;
        const QRect device = QRectF(area.topLeft() * pixelsPerPoint, area.bottomRight() * pixelsPerPoint)
                                 .toAlignedRect()
                                 .adjusted(-2, -2, 2, 2);
        const QRectF logical(QPointF(device.topLeft()) / ratio, QSizeF(device.size()) / ratio);
        painter.setClipRect(logical);
        // Cleared as QImage::fill() clears the whole image, whatever the
        // paper (a half-transparent one too): a page painted again in part
        // comes out as one painted whole. An opaque paper the page paints
        // itself sets every pixel inside the page's edges, so clearing
        // first would only write them twice.
        const QRect cleared = device & m_image.rect();
        const QRect paperInside
            = QRectF(QPointF(0, 0), QSizeF(page.size) * pixelsPerPoint).toRect().adjusted(1, 1, -1, -1);
        const bool paperCovers = page.background.isValid() && page.background.alpha() == 255
                                 && paperInside.contains(cleared);
        if (!paperCovers) {
            QImage sample(1, 1, m_image.format());
            sample.fill(paper);
            const quint32 pixel = *reinterpret_cast<const quint32 *>(sample.constBits());
            for (int y = cleared.top(); y <= cleared.bottom(); ++y) {
                auto *row = reinterpret_cast<quint32 *>(m_image.scanLine(y)) + cleared.left();
                std::fill(row, row + cleared.width(), pixel);
            }
        }
        painter.scale(scale, scale);
        const double spill = 3 / pixelsPerPoint;
        const QRectF reach(logical.topLeft() / scale, logical.size() / scale);
        PagePainter::paintArea(painter, page, reach.adjusted(-spill, -spill, spill, spill), &m_shaped);
        m_paintedPixels = device & m_image.rect();
    }
    painter.end();
    m_painted = page;
    m_scale = scale;
    m_valid = true;
    return m_image;
}
