#ifndef QUIETSCROLLBAR_H
#define QUIETSCROLLBAR_H

#include <QRect>
#include <QScrollBar>

// The editors' vertical scroll bar, which repaints only when what it shows
// changes, and then only where its handle was and is when nothing else
// changed. A line added to a long text changes the bar's range on every
// keystroke, and a scroll bar repaints in full on each change of range or
// value, although its handle mostly stays on the same pixels.
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

    Look m_painted;
    bool m_hasPainted = false;
};

#endif // QUIETSCROLLBAR_H
