#include "notevalue.h"

#include <cmath>
#include <numeric>

namespace {

constexpr qint64 ticksPerQuarter = 480;

struct Kind
{
    double quarters;
    const char *type;
};

// Down to the 1024th, which with a 15:8 tuplet reaches a single tick.
constexpr Kind kinds[] = {
    {8, "breve"},       {4, "whole"},        {2, "half"},          {1, "quarter"},
    {0.5, "eighth"},    {0.25, "16th"},      {0.125, "32nd"},      {0.0625, "64th"},
    {0.03125, "128th"}, {0.015625, "256th"}, {0.0078125, "512th"}, {0.00390625, "1024th"},
};

} // namespace

QList<NoteValue> NoteValues::split(qint64 ticks)
{
    QList<NoteValue> pieces;
    if (ticks <= 0)
        return pieces;
    // The odd part of the length's denominator (in quarters) is the tuplet:
    // 160 ticks are a third of a quarter, an eighth of a triplet.
    const qint64 denominator = ticksPerQuarter / std::gcd(ticks, ticksPerQuarter);
    qint64 odd = denominator;
    while (odd % 2 == 0)
        odd /= 2;
    int actual = 1, normal = 1;
    if (odd > 1) {
        actual = int(odd);
        while (normal * 2 < actual)
            normal *= 2;
    }
    // Written quarters are a binary fraction here, exact in a double.
    double written = double(ticks) * actual / (double(ticksPerQuarter) * normal);
    qint64 left = ticks;
    while (written > 0 && left > 0) {
        const Kind *kind = nullptr;
        for (const Kind &k : kinds) {
            if (k.quarters <= written) {
                kind = &k;
                break;
            }
        }
        if (!kind)
            break;
        NoteValue piece;
        piece.type = QString::fromLatin1(kind->type);
        piece.quarters = kind->quarters;
        if (written >= 1.5 * kind->quarters && kind->quarters > kinds[std::size(kinds) - 1].quarters) {
            piece.dots = 1;
            piece.quarters *= 1.5;
        }
        piece.actual = actual;
        piece.normal = normal;
        piece.ticks = std::llround(piece.quarters * ticksPerQuarter * normal / actual);
        written -= piece.quarters;
        left -= piece.ticks;
        pieces.append(piece);
    }
    // Whatever rounding left over stays with the last piece, so that the
    // pieces add up to the length exactly.
    if (!pieces.isEmpty())
        pieces.last().ticks += left;
    return pieces;
}
