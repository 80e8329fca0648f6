#ifndef FONTOPTION_H
#define FONTOPTION_H

#include <QFont>
#include <QFontMetrics>

// A font option of a configuration: a family with a size option of its own.
// The font always carries that size as its point size, and the cached
// metrics follow every change of either.
namespace FontOption {

// How a configuration measures its fonts (the screen, or the pages).
using Measure = QFontMetrics (*)(const QFont &);

inline void setFont(QFont &font, QFontMetrics &metrics, const QFont &value, int size, Measure measure)
{
    font = value;
    font.setPointSize(size);
    metrics = measure(font);
}

inline void setSize(QFont &font, QFontMetrics &metrics, int &size, int value, Measure measure)
{
    size = value;
    font.setPointSize(value);
    metrics = measure(font);
}

// The metrics of the screen, which the editors draw on.
inline QFontMetrics screenMetrics(const QFont &font)
{
    return QFontMetrics(font);
}

} // namespace FontOption

#endif // FONTOPTION_H
