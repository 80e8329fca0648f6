#include "notation.h"

namespace Notation {

bool isForeign(char32_t c)
{
    return !isSymbol(c) && !QChar::isSpace(c);
}

int foreignCount(QStringView text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        count += isForeign(c);
    }
    return count;
}

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
