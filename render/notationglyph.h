#ifndef NOTATIONGLYPH_H
#define NOTATIONGLYPH_H

#include <QString>
#include <QStringView>

// What one glyph of a notation string is, by its code point: a beat mark
// (板眼) set in the lane beside the notes, a qiangge symbol (腔格), or a note
// that fills its cell or, for the small forms, stands flush right in it.
class NotationGlyph
{
public:
    enum class Kind {
        Ban,        // U+F0000, U+F0003, U+F0006, U+F0007
        XiaoYan,    // U+F0001, U+F0004
        ZhongYan,   // U+F0002, U+F0005
        Other,      // qiangge symbols, notes and anything else
    };

    // The code point of a piece read from a notation string: a surrogate pair
    // gives its supplementary code point, anything else its first unit.
    static char32_t codePoint(QStringView piece);

    static Kind kind(QStringView piece);

    // U+F0000 .. U+F0007.
    static bool isBeatMark(QStringView piece);

    // U+F0004 .. U+F0007: directly after a note they drop by one mark height.
    static bool dropsAfterNote(QStringView piece);

    // U+F005E .. U+F009B: the small forms, set flush right in the note cell.
    static bool isFlushRight(QStringView piece);

    // A piece that is no beat mark and sorts at or below U+F000D as UTF-16
    // text takes the qiangge colour; one above it the note colour.
    static bool takesQiangGeColor(QStringView piece);

    // The pieces of a notation string, two UTF-16 units each; a string of odd
    // length ends with a one-unit piece.
    static QStringView piece(const QString &notation, int index);
    static int pieceCount(const QString &notation);
};

#endif // NOTATIONGLYPH_H
