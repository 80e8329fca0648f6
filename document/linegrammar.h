#ifndef LINEGRAMMAR_H
#define LINEGRAMMAR_H

#include <QString>
#include <optional>

class QRegularExpression;

// The grammar of the lyric text: which lines are structural, which characters
// are sung ("lyric") characters, and where the k-th of them lies in a line.
// The k-th lyric character of a document owns the k-th line of its score.

enum class LineType : int {
    Title = 0,
    Comment = 1,
    JiaBai = 2,
    LianBai = 3,
    QuPai = 4,
    // 5 is not assigned.
    LineBreak = 6,
    PageBreak = 7,
    Lyric = 8,
    BiaoDian = 9,
    Any = 10,
};

// The pattern text of a line type; empty for the unassigned id 5.
QString lineTypePatterns(LineType type);

// The compiled pattern of a line type, built once from lineTypePatterns().
const QRegularExpression &lineTypeRegex(LineType type);

// The first tune name in 【】 of a line, brackets included, and the first key
// in ASCII or full-width brackets; empty when there is none.
QString tuneName(const QString &text);
QString tuneKey(const QString &text);

// A line is structural when it starts with one of "#;>=【@". This is wider
// than the structural line types: "@abc" or a "【" without its "】" count too.
bool isStructuralLine(const QString &text);

// A structural line that is none of the structural line types: a "【" line
// that is not a complete tune name ("【醉扶归", "【步步娇】 (小工调)") or an
// "@" line that is no break. Its characters own no score line, which the
// editor points out.
bool isMalformedStructuralLine(const QString &text);

// The first of Title, Comment, JiaBai, LianBai, QuPai, LineBreak, PageBreak,
// Lyric whose pattern matches somewhere in the text; nothing otherwise.
std::optional<LineType> classifyLine(const QString &text);

// As classifyLine(), with Any (10) for a line that matches none: the type an
// exported line carries.
int exportLineType(const QString &text);

// One ideograph U+4E00..U+9FA5 or the ASCII space: what "[一-龥 ]" matches.
inline bool isLyricChar(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= 0x4E00 && u <= 0x9FA5);
}

// The number of lyric characters in the text (structural or not).
int countLyricChars(const QString &text);

// The offset at which the last k lyric characters of the text begin; the
// boundary always falls just after a lyric character, so anything between two
// lyric characters goes with the later one. k is clamped to 0..n; 0 when the
// text holds no lyric character.
int lyricCharBoundary(const QString &text, int k);

// The text with every surrogate that is not half of a pair replaced by
// U+FFFD, at the same offsets. A regular expression finds nothing at all in
// a text that is not valid UTF-16: a pasted broken character would
// otherwise take the type, and with it the notation, of its whole line.
QString withValidSurrogates(const QString &text);

// The text with every form of line end that inserting it into a document
// would turn into a new line ("\r\n", "\r", U+2029, and the frame markers
// U+FDD0 and U+FDD1) and the line separator U+2028, which a document keeps
// inside its line but a saved file turns into a line end, written as "\n".
QString withLineFeeds(const QString &text);

#endif // LINEGRAMMAR_H
