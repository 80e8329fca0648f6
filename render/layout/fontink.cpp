#include "fontink.h"

#include "pagemetrics.h"

FontInk::FontInk(const QFont &font)
    : m_metrics(PageMetrics::fontMetricsF(font))
    , m_ascent(m_metrics.ascent())
    , m_lineHeight(m_metrics.ascent() + m_metrics.descent())
{
}

quint64 FontInk::unitKey(QStringView text)
{
    switch (text.size()) {
    case 1:
        return (quint64(1) << 32) | text.at(0).unicode();
    case 2:
        return (quint64(2) << 32) | (quint32(text.at(0).unicode()) << 16) | text.at(1).unicode();
    default:
        return 0;
    }
}

const FontInk::Glyph &FontInk::glyph(const QString &text) const
{
    const quint64 key = unitKey(text);
    if (key == 0) {
        auto found = m_longer.constFind(text);
        if (found == m_longer.constEnd())
            found = m_longer.insert(text, measure(text));
        return *found;
    }
    auto found = m_glyphs.constFind(key);
    if (found == m_glyphs.constEnd())
        found = m_glyphs.insert(key, measure(text));
    return *found;
}

FontInk::Glyph FontInk::measure(const QString &text) const
{
    return {m_metrics.tightBoundingRect(text), m_metrics.horizontalAdvance(text)};
}
