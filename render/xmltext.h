#ifndef XMLTEXT_H
#define XMLTEXT_H

#include "exportentry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Text as an SVG page can carry it. XML has no way to write most control
// characters (U+0001–U+001F other than tab and line ends), U+FFFE, U+FFFF or
// a lone surrogate: a page holding one is no XML at all, and every reader,
// the image and PDF writers' own included, rejects the whole page. Such
// characters are invisible in the editors; they are dropped before drawing,
// so that every writer shows the same page.
class XmlText
{
public:
    // True when XML 1.0 can carry the code point.
    static bool isAllowed(char32_t codePoint);
    // text without the characters XML cannot carry.
    static QString clean(const QString &text);
    // The entry without such characters, its notation kept beside the
    // characters it belongs to.
    static ExportEntry clean(const ExportEntry &entry);
    static QList<ExportEntry> clean(const QList<ExportEntry> &entries);

    // The page with every font-family attribute of these families made XML:
    // QSvgGenerator writes a family name into its attributes as it stands,
    // so a name holding '&', '<' or '"' (or a character XML cannot carry)
    // would break the page.
    static QByteArray escapeFontFamilies(const QByteArray &page, const QStringList &families);
};

#endif // XMLTEXT_H
