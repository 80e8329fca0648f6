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
    const bool quiet = (change == SliderRangeChange || change == SliderValueChange)
                       && repeatAction() == SliderNoAction && m_hasPainted && isVisible()
                       && look() == m_painted;
    if (!quiet)
        QScrollBar::sliderChange(change);
}

void QuietScrollBar::paintEvent(QPaintEvent *event)
{
    m_painted = look();
    m_hasPainted = true;
    QScrollBar::paintEvent(event);
}
