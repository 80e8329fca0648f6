#ifndef TICKCLOCK_H
#define TICKCLOCK_H

#include "musicscore.h"

#include <QList>

// Where a tick of the music falls in sample frames: each section plays at
// its own tempo, from where the one before it ended.
class TickClock
{
public:
    TickClock(const QList<MusicSection> &sections, int sampleRate);

    qint64 frameAt(qint64 tick) const;

private:
    struct Segment
    {
        qint64 tick;
        double frame;
        double framesPerTick;
    };
    QList<Segment> m_segments;
};

#endif // TICKCLOCK_H
