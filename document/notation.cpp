#include "notation.h"

namespace Notation {

QString symbol(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

char32_t codePoint(QStringView piece)
{
    if (piece.isEmpty())
        return 0;
    if (piece.size() >= 2 && piece.at(0).isHighSurrogate() && piece.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(piece.at(0), piece.at(1));
    return piece.at(0).unicode();
}

bool takesOrnamentColor(QStringView piece)
{
    static const QString last = symbol(lastOrnament);
    return !isBeatMark(codePoint(piece)) && piece.compare(last) <= 0;
}

} // namespace Notation
