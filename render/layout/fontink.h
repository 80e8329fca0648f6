#ifndef FONTINK_H
#define FONTINK_H

#include <QFontMetricsF>
#include <QHash>
#include <QRectF>
#include <QString>
#include <QStringView>

// The ink of a font's characters in fractional points, measured once per
// character: a score repeats few characters many times.
class FontInk
{
public:
    struct Glyph
    {
        QRectF tight;
        qreal advance = 0;
    };

    explicit FontInk(const QFont &font);

    const Glyph &glyph(const QString &text) const;

    // A text of one or two UTF-16 units (a character, or a glyph of the
    // notation font) as a number, the units and how many there are: hashing
    // it costs far less than hashing the string. 0 for any longer text.
    static quint64 unitKey(QStringView text);

    qreal ascent() const { return m_ascent; }
    qreal lineHeight() const { return m_lineHeight; }

private:
    Glyph measure(const QString &text) const;

    QFontMetricsF m_metrics;
    qreal m_ascent;
    qreal m_lineHeight;
    mutable QHash<quint64, Glyph> m_glyphs;
    mutable QHash<QString, Glyph> m_longer;
};

#endif // FONTINK_H
