#include "gutterededit.h"

#include "linenumberarea.h"
#include "lineupdatelayout.h"
#include "quietscrollbar.h"

#include <QPainter>
#include <QtMath>
#include <QTextBlock>
#include <QWheelEvent>

GutteredEdit::GutteredEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_lineNumberArea(new LineNumberArea(this))
{
    setVerticalScrollBar(new QuietScrollBar);
}

void GutteredEdit::setUpGutter()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    connect(this, &QPlainTextEdit::updateRequest, this, &GutteredEdit::updateLineNumberArea);
}

void GutteredEdit::setUpZoom(EditorZoom::Editor editor)
{
    m_zoomEditor = editor;
    m_zooms = true;
    connect(&EditorZoom::instance(), &EditorZoom::zoomChanged, this, [this](EditorZoom::Editor changed) {
        if (changed == m_zoomEditor)
            applyConfig();
    });
}

QFont GutteredEdit::zoomed(const QFont &font) const
{
    return m_zooms ? EditorZoom::instance().zoomed(m_zoomEditor, font) : font;
}

int GutteredEdit::zoomed(int pixels) const
{
    return m_zooms ? pixels * EditorZoom::instance().percent(m_zoomEditor) / 100 : pixels;
}

void GutteredEdit::wheelEvent(QWheelEvent *event)
{
    if (!m_zooms || !(event->modifiers() & Qt::ControlModifier)) {
        QPlainTextEdit::wheelEvent(event);
        return;
    }
    m_wheelRest += event->angleDelta().y();
    const int steps = m_wheelRest / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRest -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0)
        EditorZoom::instance().zoomBy(m_zoomEditor, steps);
    event->accept();
}

void GutteredEdit::showText(QTextDocument *document)
{
    auto *layout = qobject_cast<LineUpdateLayout *>(document->documentLayout());
    if (!layout) {
        layout = new LineUpdateLayout(document);
        document->setDocumentLayout(layout);
    }
    connect(layout, &LineUpdateLayout::linesMoved, this, &GutteredEdit::onLinesMoved, Qt::UniqueConnection);
    // The text is laid out to the viewport's width as the editor's own text
    // was, before the gutter took its room: an editor not yet shown is only
    // relaid out when it is, and lines laid out to the narrow viewport would
    // wrap after every character until then.
    const QMargins margins = viewportMargins();
    setViewportMargins(0, 0, 0, 0);
    setDocument(document);
    setViewportMargins(margins);
    // A font change reaches only the document the editor had at the time.
    document->setDefaultFont(font());
}

void GutteredEdit::onLinesMoved(const QTextBlock &block)
{
    if (block.document() != document())
        return;
    const QRect area = viewport()->rect();
    // A line far above the view gets a place above it, one far below a place
    // below it.
    const int top = qBound(0, qFloor(blockBoundingGeometry(block).translated(contentOffset()).top()),
                           area.height());
    const QRect moved(0, top, area.width(), area.height() - top);
    if (moved.isEmpty())
        return;
    viewport()->update(moved);
    emit updateRequest(moved, 0);
}

void GutteredEdit::refitGutter()
{
    // The gutter fills what it repaints with its background: when that hides
    // everything beneath (the editor's frame, the document widget), those
    // need no painting first. A translucent background still shows them.
    m_lineNumberArea->setAttribute(Qt::WA_OpaquePaintEvent, gutterStyle().background.alpha() == 255);
    setViewportMargins(gutterWidth(), 0, 0, 0);
    const QRect contents = contentsRect();
    m_lineNumberArea->setGeometry(QRect(contents.left(), contents.top(), gutterWidth(), contents.height()));
    m_lineNumberArea->update();
}

void GutteredEdit::updateLineNumberArea(const QRect &rect, int dy)
{
    if (dy != 0) {
        m_lineNumberArea->scroll(0, dy);
        // The painted rows moved with the pixels; those scrolled out are gone.
        QHash<int, QPair<QString, bool>> moved;
        const int height = m_lineNumberArea->height();
        for (auto row = m_shownLabels.cbegin(); row != m_shownLabels.cend(); ++row) {
            const int top = row.key() + dy;
            if (top >= 0 && top < height)
                moved.insert(top, row.value());
        }
        m_shownLabels = moved;
    } else
        m_lineNumberArea->update(0, rect.y(), gutterWidth(), rect.height());
}

void GutteredEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect contents = contentsRect();
    m_lineNumberArea->setGeometry(QRect(contents.left(), contents.top(), gutterWidth(), contents.height()));
}

template<typename Row>
void GutteredEdit::forVisibleRows(const QRect &area, Row row) const
{
    const int width = gutterWidth();
    const int lineHeight = fontMetrics().height();
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    while (block.isValid() && top <= area.bottom()) {
        if (block.isVisible() && bottom >= area.top())
            row(block, QRect(0, top, width, lineHeight));
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
    }
}

void GutteredEdit::paintGutter(QPaintEvent *event)
{
    const GutterStyle style = gutterStyle();
    QPainter painter(m_lineNumberArea);
    painter.setPen(style.color);
    painter.setBrush(style.background);
    painter.setFont(style.font);
    painter.fillRect(event->rect(), style.background);
    // A row repainted only in part no longer shows its label whole.
    const QRect painted = event->rect();
    const int lineHeight = fontMetrics().height();
    for (auto row = m_shownLabels.begin(); row != m_shownLabels.end();) {
        if (row.key() <= painted.bottom() && row.key() + lineHeight > painted.top())
            row = m_shownLabels.erase(row);
        else
            ++row;
    }

    forVisibleRows(painted, [&](const QTextBlock &block, const QRect &row) {
        const GutterLabel label = gutterLabel(block);
        if (label.flagged) {
            // The label colour of an ordinary line may be close to the
            // error colour: a tinted row sets a flagged one apart.
            QColor tint = style.flagged;
            tint.setAlpha(48);
            painter.fillRect(row, tint);
            painter.setPen(style.flagged);
        } else {
            painter.setPen(style.color);
        }
        painter.drawText(row, Qt::AlignCenter, label.text);
        if (painted.contains(row))
            m_shownLabels.insert(row.top(), {label.text, label.flagged});
    });
}

void GutteredEdit::refreshGutterLabels()
{
    QRegion stale;
    forVisibleRows(m_lineNumberArea->rect(), [&](const QTextBlock &block, const QRect &row) {
        const GutterLabel label = gutterLabel(block);
        const auto shown = m_shownLabels.constFind(row.top());
        if (shown == m_shownLabels.cend() || shown->first != label.text || shown->second != label.flagged)
            stale += row;
    });
    if (!stale.isEmpty())
        m_lineNumberArea->update(stale);
}

QString GutteredEdit::gutterToolTipAt(const QPoint &point) const
{
    // The gutter and the text area share their vertical coordinates.
    const QTextBlock block = cursorForPosition(QPoint(0, point.y())).block();
    const QRectF area = blockBoundingGeometry(block).translated(contentOffset());
    if (!block.isValid() || point.y() < area.top() || point.y() > area.bottom())
        return QString();
    return gutterLabel(block).toolTip;
}
