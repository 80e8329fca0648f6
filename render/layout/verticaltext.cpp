#include "verticaltext.h"

#include "linegrammar.h"

#include <QRegularExpression>

#include <array>

QChar VerticalText::verticalForm(QChar c)
{
    if (!isPunctuation(c))
        return c;
    switch (c.unicode()) {
    case u'（':
    case u'(':
        return QChar(0xFE35);
    case u'）':
    case u')':
        return QChar(0xFE36);
    case 0x2018:
        return QChar(0xFE41);
    case 0x2019:
        return QChar(0xFE42);
    case 0x201C:
        return QChar(0xFE43);
    case 0x201D:
        return QChar(0xFE44);
    case 0x300A:
        return QChar(0xFE3D);
    case 0x300B:
        return QChar(0xFE3E);
    case 0x3010:
        return QChar(0xFE3B);
    case 0x3011:
        return QChar(0xFE3C);
    case u'［':
    case u'[':
    case u'﹝':
    case u'〔':
        return QChar(0xFE39);
    case u'］':
    case u']':
    case u'﹞':
    case u'〕':
        return QChar(0xFE3A);
    case 0x300C: // 「
        return QChar(0xFE41);
    case 0x300D: // 」
        return QChar(0xFE42);
    case 0x300E: // 『
        return QChar(0xFE43);
    case 0x300F: // 』
        return QChar(0xFE44);
    case 0x2014:
        return QChar(0xFF5C);
    case u'<':
    case u'〈':
        return QChar(0xFE3F);
    case u'>':
    case u'〉':
        return QChar(0xFE40);
    default:
        return c;
    }
}

bool VerticalText::isPunctuation(QChar c)
{
    switch (c.unicode()) {
    // Brackets and quotes of running text that the line grammar's class
    // leaves out: they stand upright and take their own height as well.
    case 0x3008: // 〈
    case 0x3009: // 〉
    case 0x300C: // 「
    case 0x300D: // 」
    case 0x300E: // 『
    case 0x300F: // 』
    case 0x3014: // 〔
    case 0x3015: // 〕
    case 0xFE5D: // ﹝
    case 0xFE5E: // ﹞
    case 0xFE31: // ︱, the upright dash
        return true;
    default:
        break;
    }
    // The class is asked of every character set, the pattern once of each:
    // 0 not yet asked, 1 punctuation, 2 not.
    static std::array<quint8, 0x10000> known{};
    quint8 &answer = known[c.unicode()];
    if (answer == 0)
        answer = lineTypeRegex(LineType::BiaoDian).match(QString(c)).hasMatch() ? 1 : 2;
    return answer == 1;
}

bool VerticalText::isDash(QChar c)
{
    return c.unicode() == 0x2014 || c.unicode() == 0x2015;
}

QChar VerticalText::joinedDash()
{
    return QChar(0xFE31);
}

bool VerticalText::isOpeningPunctuation(QChar c)
{
    switch (c.unicode()) {
    case u'（': case u'(': case u'《': case u'【': case u'［': case u'[': case u'〔': case u'﹝':
    case u'〈': case u'<': case u'「': case u'『': case 0x201C: case 0x2018:
    case 0xFE35: case 0xFE3D: case 0xFE3B: case 0xFE39: case 0xFE3F: case 0xFE41: case 0xFE43:
        return true;
    default:
        return false;
    }
}

bool VerticalText::isClosingPunctuation(QChar c)
{
    switch (c.unicode()) {
    case u'）': case u')': case u'》': case u'】': case u'］': case u']': case u'〕': case u'﹞':
    case u'〉': case u'>': case u'」': case u'』': case 0x201D: case 0x2019:
    case 0xFE36: case 0xFE3E: case 0xFE3C: case 0xFE3A: case 0xFE40: case 0xFE42: case 0xFE44:
        return true;
    default:
        return isHangingPunctuation(c);
    }
}

bool VerticalText::isHangingPunctuation(QChar c)
{
    switch (c.unicode()) {
    case u'。':
    case u'，':
    case u',':
    case u'、':
    case u'；':
    case u';':
    case u'：':
    case u':':
    case u'？':
    case u'?':
    case u'！':
    case u'!':
        return true;
    default:
        return false;
    }
}
