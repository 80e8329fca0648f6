#ifndef PAGEMETRICS_H
#define PAGEMETRICS_H

#include <QFontMetrics>
#include <QFontMetricsF>

class QImage;
class QPaintDevice;

// Pages are laid out and drawn in points, on devices of 72 dots per inch.
// Every measure of a font the layout, the decoration or a view of a page
// takes goes through this one device: metrics of the screen would make every
// cell a third larger than its glyph on a 96-dpi screen, and the page would
// change with the monitor the program runs on.
class PageMetrics
{
public:
    static constexpr int dotsPerInch = 72;

    static QFontMetrics fontMetrics(const QFont &font);
    static QFontMetricsF fontMetricsF(const QFont &font);
    // Gives an image the resolution of a page, so that fonts sized in points
    // paint on it as large as the layout measured them.
    static void setPageResolution(QImage &image);

private:
    static const QPaintDevice &device();
};

#endif // PAGEMETRICS_H
