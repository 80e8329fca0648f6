#include "notepitch.h"

#include "notation.h"

namespace {

// One block of note forms, in code-point order: the low octave of 合…凡,
// the plain 合…乙, the high and the double-high octave of 上…乙. The four
// blocks (plain, breath, small, breath and small) repeat this layout.
constexpr int blockSize = 31;
constexpr int plain[10] = {-5, -3, -1, 0, 2, 4, 5, 7, 9, 11}; // 合 四 一 上 尺 工 凡 六 五 乙
constexpr int lowCount = 7;   // 合…凡
constexpr int plainCount = 10;
constexpr int highCount = 7;  // 上…乙, from the fourth plain note on
constexpr int highFrom = 3;

} // namespace

std::optional<int> NotePitch::semitones(char32_t c)
{
    if (c < Notation::firstNote || c > Notation::lastNote)
        return std::nullopt;
    int offset = int(c - Notation::firstNote) % blockSize;
    if (offset < lowCount)
        return plain[offset] - 12;
    offset -= lowCount;
    if (offset < plainCount)
        return plain[offset];
    offset -= plainCount;
    if (offset < highCount)
        return plain[highFrom + offset] + 12;
    offset -= highCount;
    return plain[highFrom + offset] + 24;
}

bool NotePitch::isSmall(char32_t c)
{
    return c >= Notation::firstFlushRightNote && c <= Notation::lastNote;
}

bool NotePitch::hasBreath(char32_t c)
{
    if (c < Notation::firstNote || c > Notation::lastNote)
        return false;
    return (int(c - Notation::firstNote) / blockSize) % 2 == 1;
}
