#ifndef MUSICSETTINGS_H
#define MUSICSETTINGS_H

#include "flutekey.h"

#include <array>

// How a score is turned into music: the pitch of 上 in each key, the octave,
// the tempo of each metre and the instrument. The defaults are those of the
// 曲笛 (上 = D5 in 小工调); a singer's voice sits an octave lower.
struct MusicSettings
{
    // MIDI key of 上 per key, in the order of FluteKey. Some authors give E
    // and B for 凡字调 and 上字调; change the table for them.
    std::array<int, FluteKeys::count> shangKey = {74, 75, 77, 67, 69, 70, 72};
    // Added to every note: 0 for the flute, -12 for a voice.
    int octaveShift = 0;
    // The key of a section whose tune-name line names none.
    FluteKey defaultKey = FluteKey::XiaoGong;
    // Quarter notes (beats) a minute.
    int tempoZengBan = 45;     // 赠板, 8/4
    int tempoYiBanSanYan = 60; // 一板三眼, 4/4
    int tempoYiBanYiYan = 80;  // 一板一眼, 2/4
    int tempoLiuShui = 100;    // 流水板, 1/4
    int tempoSanBan = 60;      // 散板, one beat a note
    // Scales every tempo (the playback bar's factor).
    double tempoFactor = 1.0;
    // General MIDI program, counted from 0: 73 flute, 77 shakuhachi,
    // 72 piccolo, 52 voice ("choir aahs").
    int program = 73;

    int keyOf(FluteKey key) const;
    // The tempo of a metre of beatsPerBar (0 for 散板), factor applied.
    double tempo(int beatsPerBar) const;
};

#endif // MUSICSETTINGS_H
