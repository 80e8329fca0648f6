#include "linenumberarea.h"

#include "gutterededit.h"

#include <QHelpEvent>
#include <QToolTip>

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

bool LineNumberArea::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString tip = editor->gutterToolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}
