#ifndef LINENUMBERAREA_H
#define LINENUMBERAREA_H

#include <QWidget>

class GutteredEdit;

// The gutter widget of an editor: it only hands size, painting and tool
// tips back to the editor it belongs to.
class LineNumberArea : public QWidget
{
public:
    explicit LineNumberArea(GutteredEdit *editor);

    QSize sizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    GutteredEdit *editor;
};

#endif // LINENUMBERAREA_H
