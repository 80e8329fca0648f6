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
    // Otherwise painted as the base class paints an idle bar: the bar
    // without its handle is kept as an image, and where the handle moved
    // its lines are copied from there and the handle painted over them.
    // Near an arrow, which the style paints after the handle and which a
    // handle at an end touches, the lines are painted whole.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    option.activeSubControls = QStyle::SC_None;
    const QImage &groove = grooveImage(option, ratio);
    const QRect area = event->rect();
    const int scale = int(std::round(ratio));
    QImage shown = groove.copy(QRect(area.topLeft() * scale, area.size() * scale));
    shown.setDevicePixelRatio(ratio);
    const auto reach = [&](QStyle::SubControl part) {
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this).adjusted(-2, -2, 2, 2);
    };
    const QRect handle = reach(QStyle::SC_ScrollBarSlider);
    const QRect upArrow = reach(QStyle::SC_ScrollBarSubLine);
    const QRect downArrow = reach(QStyle::SC_ScrollBarAddLine);
    QStyleOptionSlider handleOnly = option;
    handleOnly.subControls = QStyle::SC_ScrollBarSlider;
    forEachBand(shown, area.topLeft(), [&](const QRect &lines, QPainter &painter) {
        if (upArrow.intersects(lines) || downArrow.intersects(lines)) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(lines, Qt::transparent);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
        } else if (handle.intersects(lines)) {
            style()->drawComplexControl(QStyle::CC_ScrollBar, &handleOnly, &painter, this);
        }
    });
    QPainter painter(this);
    painter.drawImage(area.topLeft(), shown);
}

const QImage &QuietScrollBar::grooveImage(const QStyleOptionSlider &option, qreal ratio)
{
    const GrooveKey key{size(), ratio, option.state, option.palette.cacheKey(), style()};
    if (m_groove.isNull() || !(key == m_grooveKey)) {
        m_grooveKey = key;
        const int scale = int(std::round(ratio));
        m_groove = QImage(size() * scale, QImage::Format_ARGB32_Premultiplied);
        m_groove.setDevicePixelRatio(ratio);
        m_groove.fill(Qt::transparent);
        QStyleOptionSlider without = option;
        without.subControls &= ~QStyle::SC_ScrollBarSlider;
        forEachBand(m_groove, QPoint(0, 0), [&](const QRect &, QPainter &painter) {
            style()->drawComplexControl(QStyle::CC_ScrollBar, &without, &painter, this);
        });
    }
    return m_groove;
}

void QuietScrollBar::forEachBand(QImage &image, QPoint origin,
                                 const std::function<void(const QRect &, QPainter &)> &paint) const
{
    // The style fills the bar with gradients, and the raster engine hands a
    // fill of more than 95 lines to worker threads, whose waking costs a
    // keystroke far more than the fill: each band of lines is painted on an
    // image of just its lines (sharing the pixels), which holds every fill
    // to them. A clip would not do, as the style draws otherwise within one.
    const int scale = int(std::round(image.devicePixelRatio()));
    const int band = qMax(1, 64 / scale);
    const int lines = image.height() / scale;
    for (int top = 0; top < lines; top += band) {
        const int height = qMin(band, lines - top);
        QImage rows(image.scanLine(top * scale), image.width(), height * scale, image.bytesPerLine(),
                    image.format());
        rows.setDevicePixelRatio(image.devicePixelRatio());
        QPainter painter(&rows);
        painter.translate(-origin.x(), -origin.y() - top);
        paint(QRect(origin.x(), origin.y() + top, image.width() / scale, height), painter);
    }
}
