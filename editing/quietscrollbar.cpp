#include "quietscrollbar.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cmath>

QuietScrollBar::QuietScrollBar(QWidget *parent)
    : QScrollBar(parent)
{
}

QuietScrollBar::Look QuietScrollBar::look() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    Look shown;
    shown.handle = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    shown.atMinimum = value() == minimum();
    shown.atMaximum = value() == maximum();
    shown.enabled = isEnabled();
    return shown;
}

void QuietScrollBar::sliderChange(SliderChange change)
{
    // A held arrow or page area repeats through the base class, which may
    // stop it; a bar never painted has nothing to compare with.
    const bool handleOnly = (change == SliderRangeChange || change == SliderValueChange)
                            && repeatAction() == SliderNoAction && m_hasPainted && isVisible();
    if (!handleOnly) {
        QScrollBar::sliderChange(change);
        return;
    }
    const Look now = look();
    if (now == m_painted)
        return;
    if (now.atMinimum != m_painted.atMinimum || now.atMaximum != m_painted.atMaximum
        || now.enabled != m_painted.enabled) {
        QScrollBar::sliderChange(change);
        return;
    }
    // Only the handle moved: where it was and where it is now are painted
    // again, across the bar and with room for the style's edges. A whole
    // bar is as long as the editor, and the style fills its groove with a
    // gradient, line by line.
    const QRect moved = m_painted.handle.united(now.handle);
    const QRect area = orientation() == Qt::Vertical ? QRect(0, moved.top() - 2, width(), moved.height() + 4)
                                                     : QRect(moved.left() - 2, 0, moved.width() + 4, height());
    update(area & rect());
}

void QuietScrollBar::paintEvent(QPaintEvent *event)
{
    m_painted = look();
    m_hasPainted = true;
    // Under the mouse or held, the bar shows which part the mouse is on or
    // presses, which only the base class knows. A horizontal bar's lines
    // run along it, and a gradient split across the bands below comes out a
    // shade apart at their seams; nor may a seam fall inside a device pixel.
    const qreal ratio = devicePixelRatioF();
    const bool wholeRatio = ratio >= 1 && qFuzzyCompare(ratio, std::round(ratio));
    if (orientation() != Qt::Vertical || !wholeRatio || underMouse() || isSliderDown()
        || repeatAction() != SliderNoAction || QGuiApplication::mouseButtons() != Qt::NoButton) {
        QScrollBar::paintEvent(event);
        return;
    }
    // Otherwise painted as the base class paints an idle bar, but a band of
    // lines at a time, each on an image of its own: the style fills the bar
    // with gradients, and the raster engine hands a fill of more than 95
    // lines to worker threads, whose waking costs a keystroke far more than
    // the fill. An image as high as the band holds each fill to its lines;
    // a clip would not do, as the style draws otherwise within one. Every
    // line is drawn whole, as in one pass.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    option.activeSubControls = QStyle::SC_None;
    QPainter painter(this);
    const QRect bounds = event->rect();
    const int band = qMax(1, 64 / int(std::round(ratio)));
    for (int top = bounds.top(); top <= bounds.bottom(); top += band) {
        const QRect strip = QRect(bounds.left(), top, bounds.width(), band) & bounds;
        QImage image((QSizeF(strip.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter onImage(&image);
        onImage.translate(-strip.topLeft());
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &onImage, this);
        onImage.end();
        painter.drawImage(strip.topLeft(), image);
    }
}
