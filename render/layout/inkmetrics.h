#ifndef INKMETRICS_H
#define INKMETRICS_H

#include "fontink.h"
#include "scorerun.h"

#include <QFontMetrics>
#include <QHash>
#include <QRect>
#include <QString>
#include <QTransform>

#include <memory>

class ExportConfig;

// The ink measures of the configured fonts, made once per layout, the
// notation runs laid out with them, and the frame of the run being set.
class InkMetrics
{
public:
    // The whole-point tight box of the characters of a font, as the cached
    // metrics of the options give it, measured once per character.
    class TightBoxes
    {
    public:
        QRect operator()(const QFontMetrics &metrics, const QString &text) const;

    private:
        mutable QHash<quint64, QRect> m_boxes;
    };

    explicit InkMetrics(const ExportConfig &config);

    // The ink of a font the options do not name (a title set smaller).
    const FontInk &fontInk(const QFont &font) const;

    FontInk title, lyric, score, quPai, diaoMing, lianBai, jiaBai;
    // The whole-point boxes of the notation glyphs and of the sung
    // characters, which size their cells.
    TightBoxes scoreBoxes, lyricBoxes;
    // The notation runs laid out so far, by their notation, at the run's
    // angle and upright (for a slanted run that goes on upright).
    mutable QHash<QString, ScoreRun> runs;
    mutable QHash<QString, ScoreRun> uprightRuns;
    QTransform frame;

private:
    mutable QHash<QString, std::shared_ptr<FontInk>> m_others;
};

#endif // INKMETRICS_H
