#ifndef LIVESCOREVIEW_H
#define LIVESCOREVIEW_H

#include "pagemodel.h"
#include "pagerepainter.h"
#include "ql_edit.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QRectF>
#include <QTimer>
#include <QWidget>

#include <memory>

class ExportConfig;
class ExportEntryCache;
class QLabel;
class QScrollArea;
class QToolButton;
class ScoreLayout;

// The typeset page that holds the lyric cursor of a document, beside its
// editors: painted from the page model with the export options, so that it
// is the page an export writes. It follows the edits (laying out again only
// from the page of a change), marks the sung character under the lyric
// cursor with its notation, and turns to the page the cursor moves to. A
// click on a character, its notation or a title puts the lyric cursor on it.
class LiveScoreView : public QWidget
{
    Q_OBJECT

public:
    explicit LiveScoreView(const ExportConfig &config, QWidget *parent = nullptr);
    ~LiveScoreView() override;

    // The document to show; nullptr leaves the view empty.
    void setDocument(QL_Edit *document);
    QL_Edit *document() const { return m_document; }
    // The export options changed: every page is laid out again.
    void reloadOptions();
    // Lays out a pending change and places the mark now rather than at the
    // next frame.
    void flush();
    // Whether every page is laid out: an edit lays out at once the pages up
    // to the cursor's, and the rest between the frames that follow.
    bool isLaidOut() const;
    void finishLayout();

    // The page shown (from 0), and how many are laid out; 0 without a
    // document.
    int pageIndex() const { return m_page; }
    int pageCount() const;
    const QList<ScorePage> &pages() const;
    void showPage(int index);

    // Device pixels per page point, before the device pixel ratio.
    double scale() const { return m_scale; }
    void setScale(double scale);
    // Sets the scale keeping the point of the page under the given point of
    // the scroll area's viewport where it is, as far as the scroll bars
    // allow: Ctrl+wheel zooms about the mouse.
    void setScaleAbout(double scale, const QPoint &viewportPoint);
    void fitWidth();
    void fitPage();

    // The page as last painted at the current scale and device pixel ratio;
    // repainting the canvas, scrolling and moving the mark only copy it.
    const QImage &pageImage() const { return m_repainter.image(); }

    // The ink of the marked character and of its notation, in page points.
    QList<QRectF> markedInk() const { return m_marks; }
    // The widget the page is painted on, and where a point of the page (in
    // points) lies on it.
    QWidget *canvas() const { return m_canvas; }
    QPoint canvasPoint(const QPointF &pagePoint) const;

signals:
    // The page was painted anew on the screen.
    void pagePainted();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Fit { None, Width, Page };

    // Asks for an update once the editors have repainted, and no sooner
    // than a frame after the last: edits arriving within one frame are laid
    // out together.
    void schedule();
    void update();
    // Places the mark at the lyric cursor, turning to its page.
    void followCursor();
    // Lays out a slice of the pages after the cursor's.
    void layOutInBackground();
    // Lays out at least up to the end of page `page`.
    void layOutThrough(int page);
    void clickAt(const QPoint &canvasPoint);
    void paintCanvas(const QRect &exposed);
    // Paints the page image again where the page changed; the part of the
    // canvas that shows what changed.
    QRect refreshPageImage();
    // The part of the canvas that shows the marks.
    QRect marksOnCanvas(const QList<QRectF> &marks) const;
    void resizeCanvas();
    void applyFit();
    void updatePageLabel();
    QRect pageRectOnCanvas() const;

    const ExportConfig &m_config;
    std::unique_ptr<ScoreLayout> m_layout;
    // The export entries of the document, rebuilt line by line as it changes.
    std::unique_ptr<ExportEntryCache> m_entries;
    QPointer<QL_Edit> m_document;
    QList<QMetaObject::Connection> m_connections;
    bool m_laidOut = false;
    bool m_layoutDirty = false;
    bool m_cursorDirty = false;

    QTimer m_frame;
    // An update is asked for behind the editors' repaint.
    bool m_deferred = false;
    QTimer m_background;
    // The page count of the last complete layout, shown while one is under
    // way.
    int m_completeCount = 0;
    QElapsedTimer m_sinceUpdate;

    int m_page = 0;
    double m_scale = 1.0;
    Fit m_fit = Fit::Width;
    QList<QRectF> m_marks;
    int m_markPage = -1;
    PageRepainter m_repainter;
    bool m_pixmapStale = true;

    QScrollArea *m_scroll;
    QWidget *m_canvas;
    QLabel *m_pageLabel;
    QToolButton *m_previous;
    QToolButton *m_next;
};

#endif // LIVESCOREVIEW_H
