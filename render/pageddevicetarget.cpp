#include "pageddevicetarget.h"

#include "ql_generatesvg.h"

#include <QPagedPaintDevice>
#include <QPainter>

PagedDeviceTarget::PagedDeviceTarget(QPagedPaintDevice &device, QL_GenerateSVG &renderer, int pageCount)
    : m_device(device)
    , m_renderer(renderer)
    , m_pageCount(pageCount)
{
}

bool PagedDeviceTarget::beginPage(QPainter &painter, int index)
{
    if (index == 0) {
        if (!painter.begin(&m_device))
            return false;
    } else if (!m_device.newPage()) {
        return false;
    }
    painter.resetTransform();
    const QSizeF paper = m_device.pageLayout().fullRectPoints().size();
    const QSize page = m_renderer.pageSize();
    if (page.isEmpty())
        return true;
    const double sx = paper.width() / page.width();
    const double sy = paper.height() / page.height();
    if (qAbs(sx - sy) <= 0.01 * qMax(sx, sy)) {
        // A page size near a standard one was given the standard size: the
        // score page is stretched onto it as an image would be.
        painter.scale(sx, sy);
    } else {
        // Other paper, chosen in the print dialog: the page keeps its shape,
        // as large as the paper allows and centred on it.
        const double s = qMin(sx, sy);
        painter.translate((paper.width() - s * page.width()) / 2, (paper.height() - s * page.height()) / 2);
        painter.scale(s, s);
    }
    return true;
}

void PagedDeviceTarget::endPage(QPainter &, int index)
{
    emit m_renderer.progressUpdate(1, qMin(index + 1, m_pageCount), m_pageCount, QString(), QString());
}

bool PagedDeviceTarget::finish(QPainter &painter)
{
    return painter.end();
}
