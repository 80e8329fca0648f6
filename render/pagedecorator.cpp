#include "pagedecorator.h"

#include "exportconfig.h"
#include "pagemetrics.h"
#include "pagemodel.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

const double PageDecorator::frameWidth = 0.8;
const double PageDecorator::ruleWidth = 0.4;
const double PageDecorator::clearance = 2.0;

namespace {

// How far the frame stands off the content area: half the margin, but no
// further than this, so that on wide margins it still holds the text.
const double frameDistance = 8.0;
// The page number is set at a third of the lyric size within these bounds,
// and made smaller, down to the last, only where the margin is narrow.
const double numberSizeMin = 9.0;
const double numberSizeMax = 14.0;
const double numberSizeSmallest = 5.0;
// Pieces of a broken line shorter than this are left out: a speck reads as
// a stray mark.
const double shortestPiece = 1.0;

QList<QRectF> inkOf(const ScorePage &page)
{
    QList<QRectF> inks;
    for (const PageRun &run : page.runs) {
        for (const PageItem &item : run.items) {
            if (!item.ink.isEmpty())
                inks.append(item.ink);
        }
    }
    return inks;
}

// The pieces of an axis-parallel line, drawn `width` wide with flat ends,
// that keep the clearance from every ink box: the line breaks where ink
// comes near it.
QList<QLineF> clearOfInk(const QLineF &line, double width, const QList<QRectF> &inks)
{
    const bool vertical = qFuzzyCompare(line.x1(), line.x2());
    const double across = vertical ? line.x1() : line.y1();
    const double from = vertical ? qMin(line.y1(), line.y2()) : qMin(line.x1(), line.x2());
    const double to = vertical ? qMax(line.y1(), line.y2()) : qMax(line.x1(), line.x2());
    const double reach = width / 2 + PageDecorator::clearance;

    QList<QPair<double, double>> cuts;
    for (const QRectF &ink : inks) {
        const double low = vertical ? ink.left() : ink.top();
        const double high = vertical ? ink.right() : ink.bottom();
        if (high <= across - reach || low >= across + reach)
            continue;
        const double start = (vertical ? ink.top() : ink.left()) - PageDecorator::clearance;
        const double end = (vertical ? ink.bottom() : ink.right()) + PageDecorator::clearance;
        if (end > from && start < to)
            cuts.append({start, end});
    }
    std::sort(cuts.begin(), cuts.end());

    const auto piece = [&](double a, double b) {
        return vertical ? QLineF(across, a, across, b) : QLineF(a, across, b, across);
    };
    QList<QLineF> pieces;
    double position = from;
    for (const auto &cut : std::as_const(cuts)) {
        if (cut.first - position >= shortestPiece)
            pieces.append(piece(position, cut.first));
        position = qMax(position, cut.second);
        if (position >= to)
            break;
    }
    if (to - position >= shortestPiece)
        pieces.append(piece(position, to));
    return pieces;
}

// The frame's rectangle: the middle of its line, outside the content area
// and inside the page.
QRectF frameRect(const QRectF &page, const QRectF &content, const ExportConfig &config)
{
    const double half = PageDecorator::frameWidth / 2;
    const auto distance = [](int margin) { return qMin(qMax(0, margin) / 2.0, frameDistance); };
    const double left = qMax(content.left() - distance(config.marginLeft()), page.left() + half);
    const double right = qMin(content.right() + distance(config.marginRight()), page.right() - half);
    const double top = qMax(content.top() - distance(config.marginTop()), page.top() + half);
    const double bottom = qMin(content.bottom() + distance(config.marginBottom()), page.bottom() - half);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void addFrame(PageDecoration &decoration, const QRectF &frame, const QList<QRectF> &inks)
{
    const double half = PageDecorator::frameWidth / 2;
    // The top and bottom lines reach over the ends of the sides, so that the
    // corners close.
    const QList<QLineF> sides = {
        QLineF(frame.left() - half, frame.top(), frame.right() + half, frame.top()),
        QLineF(frame.right(), frame.top(), frame.right(), frame.bottom()),
        QLineF(frame.left() - half, frame.bottom(), frame.right() + half, frame.bottom()),
        QLineF(frame.left(), frame.top(), frame.left(), frame.bottom()),
    };
    for (const QLineF &side : sides)
        decoration.frame += clearOfInk(side, PageDecorator::frameWidth, inks);
    decoration.frameWidth = PageDecorator::frameWidth;
}

// A rule on every boundary between two columns of the content area, whether
// or not the page fills them: the page reads as ruled paper, the same on
// every page, and the rules do not move while the score is typed.
void addRules(PageDecoration &decoration, const ScorePage &page, const QRectF &content, double top,
              double bottom, const ExportConfig &config, const QList<QRectF> &inks)
{
    const int colWidth = page.columnWidth > 0 ? page.columnWidth : config.colWidth();
    if (colWidth <= 0)
        return;
    const int pitch = page.columnPitch > 0 ? page.columnPitch : colWidth;
    // A column's characters start at its left edge and its notation runs
    // off to their right, so the room between two columns lies left of
    // their boundary: the rule stands a third of a character into it, clear
    // of the characters instead of touching every one of them, and never
    // further than a quarter of the column from its boundary.
    const double inset = PageDecorator::ruleInset(config);
    // As many columns as the layout fits on a page, from the right edge;
    // the room the columns share out between them widens the gap left of
    // each boundary, and the rule keeps to the middle of what it adds.
    const int columns = int(content.width()) / colWidth;
    const double spread = (pitch - colWidth) / 2.0;
    for (int k = 1; k < columns; ++k) {
        const double x = content.right() - colWidth - double(k - 1) * pitch - inset - spread;
        decoration.rules += clearOfInk(QLineF(x, top, x, bottom), PageDecorator::ruleWidth, inks);
    }
    decoration.ruleWidth = PageDecorator::ruleWidth;
}

// The page number, centred under the content area in the room between what
// is above it (the content area, the frame, ink reaching into the margin)
// and the foot of the page. Left out where there is no room for it.
void addNumber(PageDecoration &decoration, int number, const QRectF &page, const QRectF &content,
               double above, const ExportConfig &config, const QList<QRectF> &inks)
{
    const QString text = PageDecorator::numberText(number);
    double size = qBound(numberSizeMin, config.lyricFontSize() / 3.0, numberSizeMax);
    QFont font = config.lyricFont();
    font.setPointSizeF(size);
    QFontMetricsF metrics = PageMetrics::fontMetricsF(font);
    const double centre = qBound(page.left(), content.center().x(), page.right());

    // Ink that reaches below the content area under the number pushes it down.
    const double halfWidth = metrics.horizontalAdvance(text) / 2 + PageDecorator::clearance;
    double top = above + PageDecorator::clearance;
    for (const QRectF &ink : inks) {
        if (ink.right() > centre - halfWidth && ink.left() < centre + halfWidth)
            top = qMax(top, ink.bottom() + PageDecorator::clearance);
    }
    const double bottom = page.bottom() - PageDecorator::clearance;

    QRectF tight = metrics.tightBoundingRect(text);
    if (tight.height() > bottom - top) {
        size = std::floor(2 * size * (bottom - top) / tight.height()) / 2;
        if (size < numberSizeSmallest)
            return;
        font.setPointSizeF(size);
        metrics = PageMetrics::fontMetricsF(font);
        tight = metrics.tightBoundingRect(text);
    }

    // Cells are whole points: the ink is measured from the cell the
    // painter is given.
    const double advance = metrics.horizontalAdvance(text);
    const int cellWidth = int(std::ceil(advance)) + 2;
    const int cellHeight = int(std::ceil(metrics.ascent() + metrics.descent()));
    const double baseline = (top + bottom) / 2 - (tight.top() + tight.height() / 2);
    const QRect cell(qRound(centre - cellWidth / 2.0), qRound(baseline - metrics.ascent()), cellWidth, cellHeight);
    const QRectF ink = tight.translated(cell.x() + (cell.width() - advance) / 2, cell.y() + metrics.ascent());
    if (ink.top() < top - 0.5 || ink.bottom() > bottom + 0.5)
        return;

    decoration.numberFont = font;
    decoration.number.text = text;
    decoration.number.color = config.lyricColor();
    decoration.number.cell = cell;
    decoration.number.alignment = Qt::AlignHCenter | Qt::AlignTop;
    decoration.number.ink = ink;
}

} // namespace

QString PageDecorator::numberText(int number)
{
    // Flanked by dashes, as Chinese books and papers number their pages: the
    // number reads as the page's and not as part of the score.
    return QStringLiteral("— %1 —").arg(number);
}

void PageDecorator::decorate(QList<ScorePage> &pages, const ExportConfig &config)
{
    for (int i = 0; i < pages.size(); ++i)
        decorate(pages[i], i, config);
}

ScorePage PageDecorator::decorated(const ScorePage &page, int index, const ExportConfig &config)
{
    ScorePage copy = page;
    decorate(copy, index, config);
    return copy;
}

void PageDecorator::decorate(ScorePage &page, int index, const ExportConfig &config)
{
    page.decoration = PageDecoration();
    if (!config.isFrame() && !config.isColumnRule() && !config.isPageNumber())
        return;

    const QRectF pageRect(QPointF(0, 0), QSizeF(page.size));
    // The content area runs from the left margin to the content origin, which
    // is its top-right corner.
    const QRectF content(QPointF(config.marginLeft(), page.contentOrigin.y()),
                         QPointF(page.contentOrigin.x(), page.size.height() - config.marginBottom()));
    const bool hasContent = content.width() > 0 && content.height() > 0;
    const QList<QRectF> inks = inkOf(page);
    PageDecoration &decoration = page.decoration;
    decoration.color = config.lyricColor();

    double above = content.bottom();
    double ruleTop = content.top();
    double ruleBottom = content.bottom();
    if (config.isFrame() && hasContent) {
        const QRectF frame = frameRect(pageRect, content, config);
        addFrame(decoration, frame, inks);
        // The rules run from one side of the frame to the other, as the
        // lines of a printed block do.
        ruleTop = frame.top();
        ruleBottom = frame.bottom();
        above = frame.bottom() + frameWidth / 2;
    }
    if (config.isColumnRule() && hasContent)
        addRules(decoration, page, content, ruleTop, ruleBottom, config, inks);
    if (config.isPageNumber())
        addNumber(decoration, index + 1, pageRect, content, qMax(above, pageRect.top()), config, inks);
}

double PageDecorator::ruleInset(const ExportConfig &config)
{
    return qMin(qMax(clearance + ruleWidth, config.lyricFontSize() / 3.0), qMax(1, config.colWidth()) / 4.0);
}
