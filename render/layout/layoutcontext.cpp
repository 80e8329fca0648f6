#include "layoutcontext.h"

#include "exportconfig.h"
#include "fontink.h"
#include "inkmetrics.h"
#include "verticaltext.h"

#include <cmath>

LayoutContext::LayoutContext(const ExportConfig &config)
    : m_config(&config)
    , m_options(LayoutOptions::resolve(config))
{
}

LayoutContext::~LayoutContext() = default;

const InkMetrics &LayoutContext::ink() const
{
    if (!m_ink)
        m_ink = std::make_unique<InkMetrics>(*m_config);
    return *m_ink;
}

void LayoutContext::reset(const QString &title)
{
    // The options may have changed since the last layout.
    m_ink = std::make_unique<InkMetrics>(*m_config);
    m_options = LayoutOptions::resolve(*m_config);
    column.clear();
    entry = -1;
    m_pages.clear();
    documentTitle = title;
    m_font = QFont();
    m_runMetrics = nullptr;
}

QTransform LayoutContext::contentFrame() const
{
    const QPoint origin = contentOrigin();
    return QTransform::fromTranslate(origin.x(), origin.y());
}

void LayoutContext::newPage()
{
    ScorePage page;
    page.size = m_options.pageSize;
    page.contentOrigin = QPoint(page.size.width() - m_config->marginRight(), m_config->marginTop());
    if (!m_config->isBgTransparent())
        page.background = m_config->backgroundColor();
    page.columnWidth = m_options.columnWidth;
    page.columnPitch = m_options.columnPitch;
    m_pages.append(page);
    column.clear();
    cursorX = 0;
    cursorY = 0;
}

void LayoutContext::newColumn()
{
    const int columnWidth = m_options.columnWidth;
    previousColumn = column;
    column.clear();
    ++columnCount;
    cursorY = 0;
    cursorX = cursorX == 0 ? -columnWidth : cursorX - m_options.columnPitch;
    if (cursorX >= -m_options.contentSize.width())
        return;
    // The first column of a page stays on it, even where the content is
    // narrower than a column: a further page would do no better. Nor is a
    // page left behind that nothing was drawn on.
    if (cursorX == -columnWidth)
        return;
    if (currentPageIsBlank()) {
        cursorX = -columnWidth;
        return;
    }

    newPage();
    newColumn();
    // The drawer that crossed the page goes on in its font.
    beginRun(m_font, m_runMetrics);
}

void LayoutContext::setPageTitle(const QString &title)
{
    if (!m_pages.isEmpty())
        m_pages.last().title = title;
}

bool LayoutContext::currentPageIsBlank() const
{
    if (m_pages.isEmpty())
        return false;
    for (const PageRun &run : m_pages.last().runs) {
        for (const PageItem &item : run.items) {
            if (!item.frameInk.isEmpty())
                return false;
        }
    }
    return true;
}

void LayoutContext::clearBlock(int left, int right)
{
    if (column.isEmpty())
        return;
    const QPoint content = contentOrigin();
    const qreal bottom = column.bottomBetween(content.x() + left, content.x() + right, content.y() + cursorY);
    if (bottom > content.y() + cursorY)
        cursorY = int(std::ceil(bottom - content.y() + inkGap));
}

bool LayoutContext::fitsColumn(const QList<QPolygonF> &outlines) const
{
    // Exactly: ink past a column's edge could lie on the ink of the column
    // beside it, which this column's ink does not know.
    const QPoint content = contentOrigin();
    const qreal left = content.x() + cursorX;
    const qreal right = content.x() + cursorX + m_options.columnWidth - m_options.gutter;
    const qreal top = content.y();
    const qreal bottom = content.y() + m_options.contentSize.height();
    for (const QPolygonF &o : outlines) {
        const QRectF box = o.boundingRect();
        if (box.left() < left || box.right() > right || box.top() < top || box.bottom() > bottom)
            return false;
    }
    return true;
}

int LayoutContext::punctuationHeight(const QFont &font, QChar c, int height) const
{
    // At least as tall as its ink, with a point to spare for the rounding of
    // its cell: upright brackets of some faces are taller than their box.
    return qMax(height, int(std::ceil(ink().fontInk(font).glyph(QString(c)).tight.height())) + 1);
}

void LayoutContext::beginRun(const QFont &font, const FontInk *metrics)
{
    PageRun run;
    run.font = font;
    m_pages.last().runs.append(run);
    m_font = font;
    m_runMetrics = metrics;
    if (m_ink)
        m_ink->frame = contentFrame();
}

void LayoutContext::beginRotatedRun(const QFont &font, const FontInk *metrics, QPoint origin, int rotation)
{
    PageRun run;
    run.font = font;
    run.rotated = true;
    run.origin = origin;
    run.rotation = rotation;
    m_pages.last().runs.append(run);
    // A notation run is drawn between a save and a restore: the font of the
    // sung line it stands in stays the current one.
    m_runMetrics = metrics;
    if (m_ink) {
        QTransform frame = contentFrame();
        frame.translate(origin.x(), origin.y());
        frame.rotate(rotation);
        m_ink->frame = frame;
    }
}

void LayoutContext::resumeRun(const QFont &font, const FontInk *metrics)
{
    PageRun line;
    line.font = font;
    line.resumed = true;
    m_pages.last().runs.append(line);
    m_runMetrics = metrics;
    if (m_ink)
        m_ink->frame = contentFrame();
}

void LayoutContext::forgetRunFont()
{
    m_font = QFont();
    m_runMetrics = nullptr;
}

QRectF LayoutContext::frameInkOf(const FontInk &metrics, const QRect &cell, int alignment, const QString &text)
{
    // The painter sets one line of text in the cell: centred or at the foot
    // by its line height, centred by its advance.
    const FontInk::Glyph &glyph = metrics.glyph(text);
    const qreal width = glyph.advance;
    const qreal height = metrics.lineHeight();
    qreal x = cell.x();
    if (alignment & Qt::AlignHCenter)
        x += (cell.width() - width) / 2;
    else if (alignment & Qt::AlignRight)
        x += cell.width() - width;
    qreal y = cell.y();
    if (alignment & Qt::AlignVCenter)
        y += (cell.height() - height) / 2;
    else if (alignment & Qt::AlignBottom)
        y += cell.height() - height;
    return glyph.tight.translated(x, y + metrics.ascent());
}

QRect LayoutContext::settledCell(const FontInk &metrics, const QRect &cell, int alignment, const QString &text)
{
    // A punctuation mark's cell is only as tall as its ink, but the painter
    // places the whole line box in it: the ink of an upright bracket, which
    // sits high or low in its box, would lie on the character beside it.
    // Such a cell is moved so that the ink itself is centred in it (or stands
    // on its foot, for hanging punctuation).
    if (text.size() != 1 || !VerticalText::isPunctuation(text.at(0)))
        return cell;
    const QRectF ink = frameInkOf(metrics, cell, alignment, text);
    const qreal dy = (alignment & Qt::AlignBottom) ? cell.bottom() + 1 - ink.bottom()
                                                   : QRectF(cell).center().y() - ink.center().y();
    return cell.translated(0, int(std::lround(dy)));
}

QPolygonF LayoutContext::outlineOf(const FontInk &metrics, const QRect &cell, int alignment, const QString &text,
                                   const QTransform &frame) const
{
    return mappedOutline(frame, frameInkOf(metrics, settledCell(metrics, cell, alignment, text), alignment, text));
}

void LayoutContext::place(const QRect &cell, int alignment, const QString &text, const QColor &color,
                          ItemSource::Kind kind, int offset, int glyph)
{
    PageItem item;
    item.text = text;
    item.color = color;
    item.cell = m_runMetrics && kind != ItemSource::Kind::Notation ? settledCell(*m_runMetrics, cell, alignment, text)
                                                                   : cell;
    item.alignment = alignment;
    item.source.kind = kind;
    item.source.entry = entry;
    item.source.offset = offset;
    item.source.glyph = glyph;
    if (m_runMetrics && m_ink) {
        item.frameInk = frameInkOf(*m_runMetrics, item.cell, alignment, text);
        item.ink = m_ink->frame.mapRect(item.frameInk);
        // Notation is kept by the run's own placing as it is taken.
        if (kind != ItemSource::Kind::Notation && !text.trimmed().isEmpty())
            column.add(mappedOutline(m_ink->frame, item.frameInk), tag);
    }
    m_pages.last().runs.last().items.append(item);
}

PageStart LayoutContext::snapshot(int nextEntry) const
{
    PageStart start;
    start.entry = nextEntry;
    start.runs = m_pages.isEmpty() ? 0 : int(m_pages.last().runs.size());
    start.cursorX = cursorX;
    start.cursorY = cursorY;
    start.documentTitle = documentTitle;
    start.pageTitle = m_pages.isEmpty() ? QString() : m_pages.last().title;
    start.font = m_font;
    start.column = column;
    return start;
}

void LayoutContext::restore(const PageStart &start)
{
    cursorX = start.cursorX;
    cursorY = start.cursorY;
    documentTitle = start.documentTitle;
    m_font = start.font;
    column = start.column;
    m_runMetrics = nullptr;
}
