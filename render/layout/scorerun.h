#ifndef SCORERUN_H
#define SCORERUN_H

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

// One glyph of a notation run, in the run's own frame: origin one notation
// line below the character's top, y along the run.
struct ScoreGlyph
{
    QString glyph;
    QRect cell;
    QColor color;
    // A beat mark, which stands upright beside its note.
    bool mark = false;
};

// A notation run laid out: its glyphs, and the vertical room it takes.
struct ScoreRun
{
    QList<ScoreGlyph> glyphs;
    int extent = 0;
};

#endif // SCORERUN_H
