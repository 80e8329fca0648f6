#include "shapedtextcache.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

// A page shows a few hundred different texts and cells, a score a few
// thousand; past this (some megabytes of laid-out text) the cache starts
// again, which costs one page laid out as the painter would.
const int mostEntries = 4096;

} // namespace

size_t qHash(const ShapedTextCache::Key &key, size_t seed)
{
    return qHashMulti(seed, key.text, key.font, key.alignment, key.cellSize.width(), key.cellSize.height());
}

int ShapedTextCache::fontIndex(const QFont &font, int dpi)
{
    // Items come in runs of one font, so the last one found mostly answers.
    if (m_lastFont >= 0 && m_fonts.at(m_lastFont).dpi == dpi && m_fonts.at(m_lastFont).font == font)
        return m_lastFont;
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts.at(i).dpi == dpi && m_fonts.at(i).font == font)
            return m_lastFont = int(i);
    }
    m_fonts.append({font, dpi});
    return m_lastFont = int(m_fonts.size() - 1);
}

ShapedTextCache::Shaped ShapedTextCache::shape(const QPainter &painter, const Key &key) const
{
    // One line, laid out as the painter lays out the text of drawText()
    // with Qt::TextDontClip: no wrapping, trailing spaces counted, the line
    // at the layout's origin; then centred or pushed to the side by its
    // advance and height within the cell.
    QTextLayout layout(key.text, painter.font());
    QTextOption option;
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        // Not height(), which rounds it up to a whole point: the painter
        // centres the line's exact height.
        height = line.ascent() + line.descent();
    }
    layout.endLayout();

    Shaped shaped;
    // Drawn as glyph runs: the glyphs and their places are all that
    // drawing the line takes from it, and the line would gather them again
    // on every draw.
    if (line.isValid())
        shaped.runs = line.glyphRuns();
    const QSizeF cell(key.cellSize);
    if (key.alignment & Qt::AlignBottom)
        shaped.offset.setY(cell.height() - height);
    else if (key.alignment & Qt::AlignVCenter)
        shaped.offset.setY((cell.height() - height) / 2);
    const qreal advance = line.isValid() ? line.horizontalAdvance() : 0;
    if (key.alignment & Qt::AlignRight)
        shaped.offset.setX(cell.width() - advance);
    else if (key.alignment & Qt::AlignHCenter)
        shaped.offset.setX((cell.width() - advance) / 2);
    return shaped;
}

void ShapedTextCache::draw(QPainter &painter, const QRect &cell, int alignment, const QString &text)
{
    const QPaintDevice *device = painter.device();
    // Text that spans lines, holds what the painter turns into spaces (tabs,
    // returns) or length variants, or asks for more than its place in the
    // cell is drawn by the painter.
    const int placement = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextDontClip;
    const auto laidOutApart = [](QChar c) {
        return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t') || c == QChar(0x9c);
    };
    if (!device || (alignment & ~placement) || std::any_of(text.cbegin(), text.cend(), laidOutApart)) {
        painter.drawText(cell, alignment | Qt::TextDontClip, text);
        return;
    }
    const Key key{fontIndex(painter.font(), device->logicalDpiY()), text, alignment, cell.size()};
    auto found = m_entries.constFind(key);
    if (found == m_entries.cend()) {
        if (m_entries.size() >= mostEntries) {
            m_entries.clear();
            m_fonts.clear();
            m_lastFont = -1;
            return draw(painter, cell, alignment, text);
        }
        found = m_entries.insert(key, shape(painter, key));
    }
    const QPointF origin = QPointF(cell.topLeft()) + found->offset;
    for (const QGlyphRun &run : found->runs)
        painter.drawGlyphRun(origin, run);
}
