#ifndef LINENUMBERAREA_H
#define LINENUMBERAREA_H

#include <QWidget>

class GutteredEdit;

// The gutter widget of an editor: it only hands size and painting back to
// the editor it belongs to.
class LineNumberArea : public QWidget
{
public:
    explicit LineNumberArea(GutteredEdit *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GutteredEdit *editor;
};

#endif // LINENUMBERAREA_H
