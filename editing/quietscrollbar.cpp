#include "quietscrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>

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
    QScrollBar::paintEvent(event);
}
