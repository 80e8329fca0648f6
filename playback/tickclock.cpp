#include "tickclock.h"

#include <algorithm>
#include <cmath>

namespace {

double framesPerTick(double tempo, int sampleRate)
{
    // A music without sections (or a tempo of nothing) goes at 60 a minute.
    const double quartersPerMinute = tempo > 0 ? tempo : 60;
    return sampleRate * 60.0 / (quartersPerMinute * MusicScore::ticksPerBeat);
}

} // namespace

TickClock::TickClock(const QList<MusicSection> &sections, int sampleRate)
{
    QList<MusicSection> sorted = sections;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const MusicSection &a, const MusicSection &b) { return a.start < b.start; });
    double frame = 0;
    qint64 tick = 0;
    for (const MusicSection &s : sorted) {
        if (!m_segments.isEmpty()) {
            const Segment &last = m_segments.last();
            frame = last.frame + double(s.start - last.tick) * last.framesPerTick;
        } else {
            frame = double(s.start) * framesPerTick(s.tempo, sampleRate);
        }
        tick = s.start;
        m_segments.append({tick, frame, framesPerTick(s.tempo, sampleRate)});
    }
    if (m_segments.isEmpty())
        m_segments.append({0, 0, framesPerTick(60, sampleRate)});
}

qint64 TickClock::frameAt(qint64 tick) const
{
    auto it = std::upper_bound(m_segments.cbegin(), m_segments.cend(), tick,
                               [](qint64 t, const Segment &s) { return t < s.tick; });
    const Segment &s = it == m_segments.cbegin() ? *it : *(it - 1);
    return std::llround(s.frame + double(tick - s.tick) * s.framesPerTick);
}
