#ifndef PAGEDDEVICETARGET_H
#define PAGEDDEVICETARGET_H

#include "pagetarget.h"

class QL_GenerateSVG;
class QPagedPaintDevice;

// The pages of a PDF file or of a printer, each filled edge to edge by its
// score page: the score is painted onto them as it is onto the SVG pages, so
// that its text stays text with the fonts embedded. The device is to have one
// unit per point (a resolution of 72) and no margins. Reports a page done
// through the renderer's progressUpdate.
class PagedDeviceTarget : public PageTarget
{
public:
    PagedDeviceTarget(QPagedPaintDevice &device, QL_GenerateSVG &renderer, int pageCount);

    bool beginPage(QPainter &painter, int index) override;
    void endPage(QPainter &painter, int index) override;
    // The file or print job is complete once the painter has ended.
    bool finish(QPainter &painter) override;

private:
    QPagedPaintDevice &m_device;
    QL_GenerateSVG &m_renderer;
    int m_pageCount;
};

#endif // PAGEDDEVICETARGET_H
