#ifndef GUTTEREDEDIT_H
#define GUTTEREDEDIT_H

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPlainTextEdit>

#include "editorzoom.h"

class QTextBlock;
class QTextDocument;

// A plain text editor with a gutter on its left that shows a short label
// beside each line instead of a line number: what the line is (lyric editor)
// or whose line it is (score editor). The gutter paints only the lines that
// are visible, so a repaint costs the screen, not the document.
class GutteredEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit GutteredEdit(QWidget *parent = nullptr);

    // The gutter's width in pixels, from the gutter font.
    virtual int gutterWidth() const = 0;
    // Paints the labels of the visible lines that meet the event's rectangle.
    void paintGutter(QPaintEvent *event);
    // The explanation of the label at a point of the gutter; empty for a
    // label that needs none.
    QString gutterToolTipAt(const QPoint &point) const;

    QWidget *lineNumberArea() const { return m_lineNumberArea; }

    // What the gutter shows beside one line. A flagged label marks a line
    // the user should look at, and its tool tip says why.
    struct GutterLabel
    {
        QString text;
        bool flagged = false;
        QString toolTip;
    };

    virtual GutterLabel gutterLabel(const QTextBlock &block) const = 0;

    // Repaints only the visible rows whose label differs from the one the
    // gutter shows: after a change elsewhere that may move some labels, such
    // as an edit of the lyrics beside the score.
    void refreshGutterLabels();

public slots:
    void updateLineNumberArea(const QRect &rect, int dy);
    // Applies the configured fonts and colours, at the editor's zoom.
    virtual void applyConfig() = 0;

protected:
    struct GutterStyle
    {
        QFont font;
        QColor color;
        QColor background;
        // The colour of a flagged label.
        QColor flagged;
    };

    virtual GutterStyle gutterStyle() const = 0;
    // Reserves the gutter's room beside the text; called once the subclass
    // can say how wide its gutter is.
    void setUpGutter();
    // Shows a document owned elsewhere instead of the editor's own, which is
    // deleted; the document gets the plain-text layout an editor needs and
    // the editor's font.
    void showText(QTextDocument *document);
    // Fits the gutter to a changed gutter font.
    void refitGutter();
    // Follows the zoom of this kind of editor: Ctrl+wheel zooms, and every
    // editor of the kind applies its configuration again at the new zoom.
    void setUpZoom(EditorZoom::Editor editor);
    // The font, or a width in pixels, at the editor's zoom.
    QFont zoomed(const QFont &font) const;
    int zoomed(int pixels) const;

    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Repaints the text and the gutter from the top of block down.
    void onLinesMoved(const QTextBlock &block);

    // Calls row(block, rect) for every visible line that meets area.
    template<typename Row>
    void forVisibleRows(const QRect &area, Row row) const;

    QWidget *m_lineNumberArea;
    EditorZoom::Editor m_zoomEditor = EditorZoom::Editor::Lyric;
    bool m_zooms = false;
    // Wheel turns too small for a step (a touchpad's), added up.
    int m_wheelRest = 0;
    // The label painted at each row's top, in gutter coordinates: what the
    // gutter shows now.
    QHash<int, QPair<QString, bool>> m_shownLabels;
};

#endif // GUTTEREDEDIT_H
