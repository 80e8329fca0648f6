#include "plaingongche.h"

#include "notation.h"

#include <QHash>

namespace {

// The forms of one block of notes, in code-point order: low 合…凡, plain
// 合…乙, high and double-high 上…乙. Breath, small, and breath-and-small
// blocks repeat it.
constexpr int blockSize = 31;
const char16_t plainNotes[] = u"合四一上尺工凡六五乙";
// The encoded high-octave characters of 上…乙; 0 where none is encoded.
const char16_t highNotes[] = {u'仩', u'伬', u'仜', 0, 0, u'伍', u'亿'};

struct Mark
{
    char32_t symbol;
    const char16_t *plain;
    const char16_t *name;
};

const Mark marks[] = {
    {Notation::touBan, u"、", u"头板"},
    {Notation::touYan, u"●", u"头眼"},
    {Notation::zhongYan, u"○", u"中眼"},
    {Notation::zengBan, u"×", u"赠板"},
    {Notation::yaoTouYan, u"▲", u"腰头眼"},
    {Notation::yaoZhongYan, u"△", u"腰中眼"},
    {Notation::diBan, u"—", u"底板"},
    {Notation::yaoZengBan, u"乂", u"腰赠板"},
    {0xF0008, u"〃", u"叠腔"},
    {0xF0009, u"ㄑ〃", u"叠腔气口"},
    {0xF000A, u"⌒", u"弧形腔格"},
    {0xF000B, u"ㄣ", u"带腔撮腔"},
    {0xF000C, u"ㄥ", u"豁腔"},
    {0xF000D, u"～", u"擻腔"},
};

QString noteText(char32_t c)
{
    const int index = int(c - Notation::firstNote);
    const int block = index / blockSize;
    int offset = index % blockSize;
    QString core;
    if (offset < 7) {
        core = QChar(plainNotes[offset]) + QStringLiteral(u"丿");
    } else if ((offset -= 7) < 10) {
        core = QChar(plainNotes[offset]);
    } else if ((offset -= 10) < 7) {
        core = highNotes[offset] ? QString(QChar(highNotes[offset]))
                                 : QStringLiteral(u"亻") + QChar(plainNotes[3 + offset]);
    } else {
        core = QStringLiteral(u"彳") + QChar(plainNotes[3 + offset - 7]);
    }
    if (block >= 2)
        core.prepend(QStringLiteral(u"小"));
    if (block % 2 == 1)
        core.prepend(QStringLiteral(u"ㄑ"));
    return core;
}

struct Table
{
    QHash<char32_t, QString> plain;
    QHash<QString, char32_t> symbols;
    int longest = 0;

    Table()
    {
        for (char32_t c = Notation::firstNote; c <= Notation::lastNote; ++c)
            plain.insert(c, noteText(c));
        for (const Mark &m : marks)
            plain.insert(m.symbol, QString::fromUtf16(m.plain));
        for (auto it = plain.cbegin(); it != plain.cend(); ++it) {
            symbols.insert(it.value(), it.key());
            longest = std::max(longest, int(it.value().size()));
        }
        // 亻 before a note reads as its high octave also where an encoded
        // character is what the program writes.
        for (char32_t c = Notation::firstNote; c <= Notation::lastNote; ++c) {
            QString spelt = plain.value(c);
            for (int k = 0; k < 7; ++k) {
                if (highNotes[k] && spelt.contains(QChar(highNotes[k])))
                    spelt.replace(QChar(highNotes[k]), QStringLiteral(u"亻") + QChar(plainNotes[3 + k]));
            }
            if (spelt != plain.value(c)) {
                symbols.insert(spelt, c);
                longest = std::max(longest, int(spelt.size()));
            }
        }
    }
};

const Table &table()
{
    static const Table t;
    return t;
}

} // namespace

QString PlainGongche::text(char32_t symbol)
{
    return table().plain.value(symbol);
}

QString PlainGongche::markName(char32_t symbol)
{
    for (const Mark &m : marks) {
        if (m.symbol == symbol)
            return QString::fromUtf16(m.name);
    }
    return QString();
}

QString PlainGongche::toPlain(QStringView score)
{
    QString out;
    out.reserve(score.size());
    for (qsizetype i = 0; i < score.size(); ++i) {
        const bool pair = score[i].isHighSurrogate() && i + 1 < score.size() && score[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(score[i], score[i + 1]) : score[i].unicode();
        const QString plain = text(c);
        if (!plain.isEmpty())
            out += plain;
        else
            out += score.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
    }
    return out;
}

PlainGongche::Conversion PlainGongche::fromPlain(QStringView text)
{
    const Table &t = table();
    Conversion result;
    result.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        qsizetype length = std::min<qsizetype>(t.longest, text.size() - i);
        for (; length > 0; --length) {
            const auto found = t.symbols.constFind(text.mid(i, length).toString());
            if (found != t.symbols.cend()) {
                result.text += Notation::symbol(*found);
                ++result.converted;
                break;
            }
        }
        if (length == 0) {
            result.text += text[i];
            length = 1;
        }
        i += length;
    }
    return result;
}
