#ifndef QL_GENERATESVG_H
#define QL_GENERATESVG_H

#include "exportentry.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QList>
#include <QObject>
#include <QPair>
#include <QRect>
#include <QSize>
#include <QString>

class ExportConfig;
class PageTarget;
class QPainter;
class QSvgGenerator;

// The renderer: lays the export entries of one document out as a vertical
// score, columns top to bottom from the right edge of the page leftwards, and
// keeps every page as an SVG document in memory. Layout is in points, which
// are the SVG user units. While a page is painted the origin is the top-right
// corner of the content area, so every column lies at negative x.
class QL_GenerateSVG : public QObject
{
    Q_OBJECT

public:
    // The title and description a page carries when nothing names it.
    static const QString defaultTitle;

    // Reads the options of the program's ExportConfig.
    explicit QL_GenerateSVG(QObject *parent = nullptr);
    // Reads the options of the given configuration, which must outlive it.
    explicit QL_GenerateSVG(const ExportConfig &config, QObject *parent = nullptr);
    ~QL_GenerateSVG() override;

    // Renders the entries into pages(). A preview stops as soon as a second
    // page has been started, so only the first page is complete.
    void generate(const QList<ExportEntry> &entries, bool preview);
    // Empties pages(); the document title stays. Call before every generate.
    void reset();

    // Paints the last rendering once more, onto the target's pages instead
    // of SVG pages; pages() stays as it is. False when the target could not
    // give a page.
    bool paintPages(PageTarget &target);

    const QList<QByteArray> &pages() const { return m_pages; }
    const ExportConfig &config() const { return *m_config; }

    // The score's title from its title line or first tune name, used for
    // file names; kept across renderings.
    QString documentTitle() const { return m_documentTitle; }
    void setDocumentTitle(const QString &title) { m_documentTitle = title; }

    // Page width and height in points, swapped for landscape.
    QSize pageSize() const;
    // The page less its margins.
    QSize contentSize() const;

    // --- The layout state the drawers share. ---

    // Opens a rendering on a fresh first page with its first column, as
    // generate() does before the first entry; finishRendering() completes
    // the last page. Between the two the drawers below may be called.
    void beginRendering();
    void finishRendering();

    // Starts a page and makes it current; the painter is begun on it.
    void newPage();
    // Moves to the next column to the left, onto a new page when the column
    // would cross the left margin (unless a column is as wide as the content).
    void newColumn();

    int cursorX() const { return m_cursorX; }
    void setCursorX(int x) { m_cursorX = x; }
    int cursorY() const { return m_cursorY; }
    void setCursorY(int y) { m_cursorY = y; }
    QPainter *painter() const { return m_painter; }
    QSvgGenerator *generator() const { return m_generator; }

    // Names the current page: the title its SVG document carries.
    void setPageTitle(const QString &title);

    // --- Drawers, one per kind of line. ---

    static QChar verticalForm(QChar c);

    // A title line ("#"): a column of its own, placed by the title position.
    void renderTitle(const QString &text);
    // A tune name in 【】 with its key in brackets in a narrow column beside it.
    void renderQuPai(const QString &text);
    // A jiabai passage (">"), set inline in the current column.
    void renderJiaBai(const QString &text);
    // A lianbai passage ("="), set in balanced narrow sub-columns.
    void renderLianBai(const QString &text);
    // A sung line: each character with its notation beside it.
    void renderLyricLine(const QString &text, const QList<QString> &scores);
    // The notation of the character just placed, from the current cursor.
    void renderScore(const QString &notation);

    // One glyph of a notation run, in the run's own frame: origin one
    // notation line below the character's top, y along the run.
    struct ScoreGlyph
    {
        QString glyph;
        QRect cell;
        QColor color;
    };
    // Where renderScore() puts each glyph of the notation, before rotation.
    QList<ScoreGlyph> layoutScore(const QString &notation) const;

    // The vertical room renderScore() takes for the notation.
    int scoreExtent(const QString &notation) const;
    // The height of the tallest sub-column when a lianbai passage is split
    // into cols parts, and the number of parts it really fills.
    QPair<int, int> lianBaiBlockHeight(const QString &text, int cols) const;

signals:
    // status 0: start (with window title, tip and maximum); 1: value of
    // maxValue done; 2: finished.
    void progressUpdate(int status, int value, int maxValue, QString winTitle, QString tip);

private:
    // Draws text aligned in its cell with the current font and pen.
    void drawCell(const QRect &cell, int alignment, const QString &text);
    // Draws the entries from the current cursor on; the number drawn.
    int drawEntries(const QList<ExportEntry> &entries, bool preview, bool reportProgress);
    // Ends the painter on the current page, releases its generator and gives
    // the page its title.
    void endPage();
    void newPage(const QString &title, const QString &description);

    QBuffer m_buffer;
    QList<QByteArray> m_pages;
    int m_cursorX = 0;
    int m_cursorY = 0;
    QString m_documentTitle;
    const ExportConfig *m_config;
    QPainter *m_painter = nullptr;
    QSvgGenerator *m_generator = nullptr;
    QString m_pageTitle;
    QList<ExportEntry> m_lastEntries;
    bool m_lastPreview = false;
    PageTarget *m_target = nullptr;
    int m_targetPage = 0;
    bool m_targetFailed = false;
};

#endif // QL_GENERATESVG_H
