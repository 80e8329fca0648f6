#ifndef NOTEPITCH_H
#define NOTEPITCH_H

#include <optional>

// The pitch of a note symbol in semitones above 上 (movable do: 上 is the
// tonic of the key). Only notes have a pitch; beat marks, ornaments and
// anything else have none.
namespace NotePitch {

std::optional<int> semitones(char32_t c);

// Small notes are passing notes, sung lighter and shorter.
bool isSmall(char32_t c);
// Notes written with a breath mark (气口).
bool hasBreath(char32_t c);

} // namespace NotePitch

#endif // NOTEPITCH_H
