#ifndef PLAINGONGCHE_H
#define PLAINGONGCHE_H

#include <QString>
#include <QStringView>

// Notation symbols as ordinary characters, and back: the one table by which
// a score leaves the program as plain text (a chat message, a text file) and
// gongche typed elsewhere comes in. The README lists it.
//
// A note is written [ㄑ][小]NOTE[丿]: ㄑ for the breath mark (气口), 小 for a
// small note, 丿 for the low octave; the high octave is the encoded
// character where there is one (仩 伬 仜 伍 亿), else 亻 before the note
// (亻凡, 亻六); the double-high octave is 彳 before it. Beat marks and
// ornaments are the characters they look like (、 ● ○ × ▲ △ — 乂, 〃 ㄣ ㄥ ～).
namespace PlainGongche {

// The ordinary characters of a notation symbol; empty for any other code point.
QString text(char32_t symbol);

// The name of a beat mark or ornament ("头板", "豁腔"); empty for any other.
QString markName(char32_t symbol);

// The text with every notation symbol written as ordinary characters.
QString toPlain(QStringView score);

struct Conversion
{
    QString text;
    int converted = 0; // symbols made from ordinary characters
};

// The text with every run of ordinary characters that spells a symbol
// turned into that symbol, the longest spelling first; anything else is
// left as it is.
Conversion fromPlain(QStringView text);

} // namespace PlainGongche

#endif // PLAINGONGCHE_H
