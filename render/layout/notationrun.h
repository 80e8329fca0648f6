#ifndef NOTATIONRUN_H
#define NOTATIONRUN_H

#include "columnink.h"
#include "scorerun.h"

#include <QHash>
#include <QPolygonF>
#include <QTransform>
#include <QString>

class LayoutContext;

// The glyphs of one character's notation, in the run's own frame before it
// is turned: notes one under the other, each beat mark upright in the lane
// beside the note it follows, every glyph clear of the others. A run
// depends on its notation and the options alone; a score sets the same
// short runs again and again, so each is laid out once per layout.
class NotationRun
{
public:
    static ScoreRun layout(const LayoutContext &ctx, const QString &notation);
    // The same run set upright, whatever the options' angle.
    static ScoreRun layoutUpright(const LayoutContext &ctx, const QString &notation);
    // The vertical room the notation takes beside its character.
    static int extent(const LayoutContext &ctx, const QString &notation);

private:
    NotationRun(const LayoutContext &ctx, int angle);
    static ScoreRun kept(const LayoutContext &ctx, const QString &notation, int angle, QHash<QString, ScoreRun> &runs);
    ScoreRun layoutNew(const QString &notation);
    QColor colorOf(QStringView piece, char32_t code) const;
    void placeMark(ScoreGlyph &g, char32_t code, QRect box);
    void placeNote(ScoreGlyph &g, char32_t code, QRect box);
    // A mark's outline in the run's frame: it stands upright, and its cell
    // is rounded to whole points on the page.
    QPolygonF markOutline(const ScoreGlyph &g) const;

    const LayoutContext &m_ctx;
    const int m_angle;
    const QTransform m_turnBack;
    // The ink of the run so far, notes and marks apart.
    ColumnInk m_notes;
    ColumnInk m_marks;
    // y: the top of the next note; off: where the next mark goes, from y.
    int m_y = 0;
    int m_off = 0;
    bool m_prevMark = false;
};

#endif // NOTATIONRUN_H
