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
    // A page size near a standard one was given the standard size: the score
    // page is stretched onto it as an image would be.
    painter.resetTransform();
    const QSizeF paper = m_device.pageLayout().fullRectPoints().size();
    const QSize page = m_renderer.pageSize();
    if (!page.isEmpty())
        painter.scale(paper.width() / page.width(), paper.height() / page.height());
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
