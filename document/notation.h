#ifndef NOTATION_H
#define NOTATION_H

#include <QString>
#include <QStringView>

// The notation symbols: one private-use code point each (plane 15), drawn by
// the program's notation font. The dictionary, the beat-mark suggestion of
// the score editor and the renderer all read the symbols through this one
// table, so that a symbol means the same everywhere.
namespace Notation {

// Beat marks (板眼).
constexpr char32_t touBan = 0xF0000;      // 头板
constexpr char32_t touYan = 0xF0001;      // 头眼 / 末眼
constexpr char32_t zhongYan = 0xF0002;    // 中眼
constexpr char32_t zengBan = 0xF0003;     // 赠板
constexpr char32_t yaoTouYan = 0xF0004;   // 腰头眼 / 腰末眼
constexpr char32_t yaoZhongYan = 0xF0005; // 腰中眼
constexpr char32_t diBan = 0xF0006;       // 底板
constexpr char32_t yaoZengBan = 0xF0007;  // 腰赠板

// Ornaments (腔格).
constexpr char32_t firstOrnament = 0xF0008;
constexpr char32_t lastOrnament = 0xF000D;

// Notes with their octave, breath-mark and small variants; the small forms
// from firstFlushRightNote on stand at the right edge of their cell.
constexpr char32_t firstNote = 0xF0020;
constexpr char32_t firstFlushRightNote = 0xF005E;
constexpr char32_t lastNote = 0xF009B;

// The three kinds of beat mark, which the score colours apart.
enum class MarkKind {
    None,       // not a beat mark
    Ban,        // 头板, 赠板, 底板, 腰赠板
    XiaoYan,    // 头眼, 腰头眼
    ZhongYan,   // 中眼, 腰中眼
};

constexpr bool isBeatMark(char32_t c)
{
    return c >= touBan && c <= yaoZengBan;
}

// The marks that, set directly after a note, drop by one mark height.
constexpr bool dropsAfterNote(char32_t c)
{
    return c >= yaoTouYan && c <= yaoZengBan;
}

constexpr bool isOrnament(char32_t c)
{
    return c >= firstOrnament && c <= lastOrnament;
}

constexpr bool isFlushRightNote(char32_t c)
{
    return c >= firstFlushRightNote && c <= lastNote;
}

constexpr MarkKind markKind(char32_t c)
{
    switch (c) {
    case touBan:
    case zengBan:
    case diBan:
    case yaoZengBan:
        return MarkKind::Ban;
    case touYan:
    case yaoTouYan:
        return MarkKind::XiaoYan;
    case zhongYan:
    case yaoZhongYan:
        return MarkKind::ZhongYan;
    default:
        return MarkKind::None;
    }
}

// Whether the code point is one of the notation symbols.
constexpr bool isSymbol(char32_t c)
{
    return isBeatMark(c) || isOrnament(c) || (c >= firstNote && c <= lastNote);
}

// A character of a score that is neither a notation symbol nor a blank:
// 上 or 尺 typed through another input method look like notation in the
// editor but print as ordinary text.
bool isForeign(char32_t c);
// The foreign characters of a text, counting a surrogate pair once.
int foreignCount(QStringView text);

// The symbol as a string (two UTF-16 units).
QString symbol(char32_t c);

// --- Notation strings, read in pieces of two UTF-16 units. ---

// The code point of a piece: a surrogate pair gives its supplementary code
// point, anything else its first unit.
char32_t codePoint(QStringView piece);

// A piece that is no beat mark and sorts at or below the last ornament as
// UTF-16 text takes the ornament colour; one above it the note colour.
bool takesOrnamentColor(QStringView piece);

// The pieces of a notation string; a string of odd length ends with a
// one-unit piece.
inline QStringView piece(const QString &notation, int index)
{
    return QStringView(notation).mid(index * 2, 2);
}
inline int pieceCount(const QString &notation)
{
    return int((notation.size() + 1) / 2);
}

} // namespace Notation

#endif // NOTATION_H
