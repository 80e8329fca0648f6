#include "notationglyph.h"

char32_t NotationGlyph::codePoint(QStringView piece)
{
    if (piece.isEmpty())
        return 0;
    if (piece.size() >= 2 && piece.at(0).isHighSurrogate() && piece.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(piece.at(0), piece.at(1));
    return piece.at(0).unicode();
}

NotationGlyph::Kind NotationGlyph::kind(QStringView piece)
{
    switch (codePoint(piece)) {
    case 0xF0000:
    case 0xF0003:
    case 0xF0006:
    case 0xF0007:
        return Kind::Ban;
    case 0xF0001:
    case 0xF0004:
        return Kind::XiaoYan;
    case 0xF0002:
    case 0xF0005:
        return Kind::ZhongYan;
    default:
        return Kind::Other;
    }
}

bool NotationGlyph::isBeatMark(QStringView piece)
{
    const char32_t u = codePoint(piece);
    return u >= 0xF0000 && u <= 0xF0007;
}

bool NotationGlyph::dropsAfterNote(QStringView piece)
{
    const char32_t u = codePoint(piece);
    return u >= 0xF0004 && u <= 0xF0007;
}

bool NotationGlyph::isFlushRight(QStringView piece)
{
    const char32_t u = codePoint(piece);
    return u >= 0xF005E && u <= 0xF009B;
}

bool NotationGlyph::takesQiangGeColor(QStringView piece)
{
    static const QString lastQiangGe = QString::fromUcs4(U"\U000F000D");
    return !isBeatMark(piece) && piece.compare(lastQiangGe) <= 0;
}

QStringView NotationGlyph::piece(const QString &notation, int index)
{
    return QStringView(notation).mid(index * 2, 2);
}

int NotationGlyph::pieceCount(const QString &notation)
{
    return (notation.size() + 1) / 2;
}
