#ifndef SHAPEDTEXTCACHE_H
#define SHAPEDTEXTCACHE_H

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>

class QPainter;
class QRect;

// Draws the text of page items as QPainter::drawText(cell, alignment |
// Qt::TextDontClip, text) does, from text laid out once and kept. A page
// on screen is painted again at every keystroke that moves its items, and
// laying a string out (shaping it) cost several times what drawing its
// glyphs does; the same characters in the same font and cell recur all
// over a score.
//
// The text is laid out and drawn as the painter lays out and draws the
// text of a cell, so that the pixels come out the same.
class ShapedTextCache
{
public:
    void draw(QPainter &painter, const QRect &cell, int alignment, const QString &text);

private:
    // Texts are keyed by the font's place in m_fonts: hashing and comparing
    // a font (its families, style and size) cost more than looking the text
    // up, and a page uses only a handful of fonts.
    struct Key
    {
        int font;
        QString text;
        int alignment;
        QSize cellSize;

        bool operator==(const Key &o) const
        {
            return font == o.font && alignment == o.alignment && cellSize == o.cellSize && text == o.text;
        }
    };
    // A font as the painter holds it, at the device's resolution.
    struct FontAt
    {
        QFont font;
        int dpi;
    };
    friend size_t qHash(const Key &key, size_t seed);

    // The glyphs of the laid-out text, and where they stand from the
    // cell's top-left.
    struct Shaped
    {
        QList<QGlyphRun> runs;
        QPointF offset;
    };

    Shaped shape(const QPainter &painter, const Key &key) const;
    int fontIndex(const QFont &font, int dpi);

    QList<FontAt> m_fonts;
    int m_lastFont = -1;
    QHash<Key, Shaped> m_entries;
};

#endif // SHAPEDTEXTCACHE_H
