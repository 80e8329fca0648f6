#include "linenumberarea.h"

#include "gutterededit.h"

LineNumberArea::LineNumberArea(GutteredEdit *editor)
    : QWidget(editor)
    , editor(editor)
{
}

QSize LineNumberArea::sizeHint() const
{
    return QSize(editor->gutterWidth(), editor->height());
}

void LineNumberArea::paintEvent(QPaintEvent *event)
{
    editor->paintGutter(event);
}
