#ifndef MUSICMODEL_H
#define MUSICMODEL_H

#include "musicscore.h"
#include "musicsettings.h"

// Turns the two texts of a score into music: every sung character's score
// line gives its notes, the tune-name lines the key and the sections, the
// beat marks the rhythm (RhythmRules). Pure computation; no window.
class MusicModel
{
public:
    static MusicScore build(const QString &lyric, const QString &score,
                            const MusicSettings &settings = MusicSettings());

    // The notes of the sung characters from .. to (inclusive), moved to start
    // at tick 0; sections, problems and silent characters outside are left out.
    static MusicScore excerpt(const MusicScore &music, int from, int to);
};

#endif // MUSICMODEL_H
