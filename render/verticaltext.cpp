#include "verticaltext.h"

#include "linegrammar.h"

#include <QRegularExpression>

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
    return lineTypeRegex(LineType::BiaoDian).match(QString(c)).hasMatch();
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
