#ifndef FLUTEKEY_H
#define FLUTEKEY_H

#include <QString>
#include <optional>

// The key of the flute (笛色), which fixes the pitch that 上 sounds at.
enum class FluteKey {
    XiaoGong, // 小工调, 上 = D
    Fan,      // 凡字调, 上 = E♭
    Liu,      // 六字调, 上 = F
    ZhengGong,// 正工调, 上 = G
    Yi,       // 乙字调, 上 = A
    Shang,    // 上字调, 上 = B♭
    Chi,      // 尺字调, 上 = C
};

namespace FluteKeys {

constexpr int count = 7;

// The key a tune-name line's parenthesis names, in its usual spellings
// (小工调, 小工, 凡调, 正宫调, 五字调, …), alone or after a 宫调 ("仙吕·小工调",
// "仙吕 小工调"); brackets may be included. Nothing when it names no key,
// as a 宫调 alone does not.
std::optional<FluteKey> parse(const QString &text);

// The usual name, e.g. "小工调".
QString name(FluteKey key);

// The pitch class of a tonic (0 = C) as the sharps (positive) or flats
// (negative) of its major key signature.
int signatureOf(int pitchClass);

} // namespace FluteKeys

#endif // FLUTEKEY_H
