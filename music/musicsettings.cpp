#include "musicsettings.h"

int MusicSettings::keyOf(FluteKey key) const
{
    return shangKey[std::size_t(key)] + octaveShift;
}

double MusicSettings::tempo(int beatsPerBar) const
{
    int bpm = tempoSanBan;
    switch (beatsPerBar) {
    case 8: bpm = tempoZengBan; break;
    case 4: bpm = tempoYiBanSanYan; break;
    case 2: bpm = tempoYiBanYiYan; break;
    case 1: bpm = tempoLiuShui; break;
    default: break;
    }
    return bpm * (tempoFactor > 0 ? tempoFactor : 1.0);
}
