#include "pagemetrics.h"

#include <QImage>

namespace {

int dotsPerMeter()
{
    return qRound(PageMetrics::dotsPerInch / 0.0254);
}

} // namespace

const QPaintDevice &PageMetrics::device()
{
    static const QImage image = [] {
        QImage device(1, 1, QImage::Format_ARGB32);
        setPageResolution(device);
        return device;
    }();
    return image;
}

QFontMetrics PageMetrics::fontMetrics(const QFont &font)
{
    return QFontMetrics(font, &device());
}

QFontMetricsF PageMetrics::fontMetricsF(const QFont &font)
{
    return QFontMetricsF(font, &device());
}

void PageMetrics::setPageResolution(QImage &image)
{
    image.setDotsPerMeterX(dotsPerMeter());
    image.setDotsPerMeterY(dotsPerMeter());
}
