#ifndef QL_GENERATESVG_H
#define QL_GENERATESVG_H

#include "exportentry.h"
#include "scorelayout.h"
#include "scorerun.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

class ExportConfig;
class PageTarget;
class StopRequest;

// The renderer: lays the export entries of one document out as a vertical
// score (ScoreLayout) into the page model, from which every output is
// painted: the pages of a PDF or a printer straight (paintPages()), an SVG
// page only when one is asked for (svgPage(), pages()), so that an export
// that reads no SVG makes none. Layout is in points, which are the SVG user
// units.
class QL_GenerateSVG : public QObject
{
    Q_OBJECT

public:
    // The title and description a page carries when nothing names it (the
    // layout's).
    static const QString &defaultTitle;

    // Reads the options of the program's ExportConfig.
    explicit QL_GenerateSVG(QObject *parent = nullptr);
    // Reads the options of the given configuration, which must outlive it.
    explicit QL_GenerateSVG(const ExportConfig &config, QObject *parent = nullptr);
    ~QL_GenerateSVG() override;

    // Renders the entries into the page model. A preview stops as soon as a
    // second page has been started, so only the first page is complete.
    void generate(const QList<ExportEntry> &entries, bool preview);
    // Empties pages() and the page model; the document title stays. Call
    // before every generate: without it, pages() keeps the earlier pages
    // ahead of the new ones.
    void reset();

    // Looked at between entries and pages: a rendering asked to stop ends
    // early (its pages incomplete), and the writers write nothing. The
    // request must outlive the renderer or be unset.
    void setStopRequest(const StopRequest *stop) { m_stop = stop; }
    // Whether the work was asked to stop.
    bool isStopRequested() const;

    // Paints the pages of the last rendering onto the target's pages instead
    // of SVG pages; pages() stays as it is. False when the target could not
    // give a page.
    bool paintPages(PageTarget &target);

    // Every page of the last rendering as an SVG document, made on the first
    // call and kept until reset(); a writer that goes page by page asks for
    // svgPage() instead and keeps none.
    const QList<QByteArray> &pages() const;
    // The pages of the last rendering.
    int pageCount() const { return int(m_pageModels.size()); }
    // Page index of the last rendering as an SVG document, made anew on
    // every call; empty past the last page. Safe to call from several
    // threads at once while the renderer is left alone.
    QByteArray svgPage(int index) const;
    // The laid-out pages behind pages(), with their decoration; each page
    // once the layout has left it.
    const QList<ScorePage> &pageModels() const { return m_pageModels; }
    const ScoreLayout &layout() const { return m_layout; }
    const ExportConfig &config() const { return *m_config; }

    // The score's title from its title line or first tune name, used for
    // file names; kept across renderings.
    QString documentTitle() const { return m_documentTitle; }
    // What the options asked that the last rendering could not honour.
    QStringList warnings() const { return m_layout.warnings(); }
    void setDocumentTitle(const QString &title) { m_documentTitle = title; }

    // Page width and height in points, swapped for landscape.
    QSize pageSize() const { return m_layout.pageSize(); }
    // The page less its margins.
    QSize contentSize() const { return m_layout.contentSize(); }

    // --- The layout state the drawers share. ---

    // Opens a rendering on a fresh first page with its first column, as
    // generate() does before the first entry; finishRendering() paints the
    // pages. Between the two the drawers below may be called.
    void beginRendering();
    void finishRendering();

    void newPage() { m_layout.context().newPage(); }
    void newColumn() { m_layout.context().newColumn(); }
    int cursorX() const { return m_layout.context().cursorX; }
    // The step from one column to the next, once rendering has begun.
    int columnPitch() const { return m_layout.context().options().columnPitch; }
    void setCursorX(int x) { m_layout.context().cursorX = x; }
    int cursorY() const { return m_layout.context().cursorY; }
    void setCursorY(int y) { m_layout.context().cursorY = y; }
    void setPageTitle(const QString &title) { m_layout.context().setPageTitle(title); }

    // --- Drawers, one per kind of line. ---

    static QChar verticalForm(QChar c);

    void renderTitle(const QString &text);
    void renderQuPai(const QString &text);
    void renderJiaBai(const QString &text);
    void renderLianBai(const QString &text);
    void renderLyricLine(const QString &text, const QList<QString> &scores);

    using ScoreGlyph = ::ScoreGlyph;
    // Where each glyph of the notation goes, before rotation.
    // (Both measured with the options as they are now.)
    QList<ScoreGlyph> layoutScore(const QString &notation) const;
    // The vertical room the notation takes beside its character.
    int scoreExtent(const QString &notation) const;
    QPair<int, int> lianBaiBlockHeight(const QString &text, int cols) const;

signals:
    // status 0: start (with window title, tip and maximum); 1: value of
    // maxValue done; 2: finished.
    void progressUpdate(int status, int value, int maxValue, QString winTitle, QString tip);

private:
    // Decorates the laid-out pages not yet in the page model; the last one
    // only when the layout is done with it.
    void takeFinishedPages(bool includingLast);
    // Opens the page model of a new rendering.
    void startPageModel();

    const ExportConfig *m_config;
    ScoreLayout m_layout;
    // The SVG pages made so far: those of renderings before m_svgBase that
    // no reset() dropped, then those of the current one, in page order.
    mutable QList<QByteArray> m_pages;
    qsizetype m_svgBase = 0;
    // The font families the options named when the page model was made,
    // which an SVG page escapes however late it is made.
    QStringList m_fontFamilies;
    // The decorated pages of the current rendering; they share their runs
    // with the layout's.
    QList<ScorePage> m_pageModels;
    QString m_documentTitle;
    const StopRequest *m_stop = nullptr;
};

#endif // QL_GENERATESVG_H
