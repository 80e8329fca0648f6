#ifndef QUIETSCROLLBAR_H
#define QUIETSCROLLBAR_H

#include <QImage>
#include <QRect>
#include <QScrollBar>
#include <QStyle>

#include <functional>

// The editors' vertical scroll bar, which repaints only when what it shows
// changes, and then only where its handle was and is when nothing else
// changed. A line added to a long text changes the bar's range on every
// keystroke, and a scroll bar repaints in full on each change of range or
// value, although its handle mostly stays on the same pixels.
class QPainter;
class QStyleOptionSlider;

class QuietScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit QuietScrollBar(QWidget *parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What the bar shows: the handle's place and whether either end is
    // reached (the arrows there look disabled).
    struct Look
    {
        QRect handle;
        bool atMinimum = false;
        bool atMaximum = false;
        bool enabled = false;
        bool operator==(const Look &other) const
        {
            return handle == other.handle && atMinimum == other.atMinimum && atMaximum == other.atMaximum
                   && enabled == other.enabled;
        }
    };

    Look look() const;

    // What the bar without its handle looks like in: its size, resolution,
    // state, colours and style. (The arrows, which show whether the handle
    // is at an end, are painted afresh each time.)
    struct GrooveKey
    {
        QSize size;
        qreal ratio = 0;
        QStyle::State state;
        qint64 palette = 0;
        const QStyle *style = nullptr;
        bool operator==(const GrooveKey &o) const
        {
            return size == o.size && ratio == o.ratio && state == o.state && palette == o.palette && style == o.style;
        }
    };
    // The bar as the style paints it without its handle, at a whole device
    // pixel ratio.
    const QImage &grooveImage(const QStyleOptionSlider &option, qreal ratio);
    // Calls paint for each band of a few dozen lines of image, which shows
    // the bar from origin down, with the bar's lines the band holds and a
    // painter, in the bar's coordinates, on an image of just its pixels.
    void forEachBand(QImage &image, QPoint origin, const std::function<void(const QRect &, QPainter &)> &paint) const;

    Look m_painted;
    bool m_hasPainted = false;
    GrooveKey m_grooveKey;
    QImage m_groove;
};

#endif // QUIETSCROLLBAR_H
