#include "xmltext.h"

#include <algorithm>

bool XmlText::isAllowed(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

namespace {

// The length in UTF-16 units of the character at i, and whether XML takes
// it; a lone surrogate counts as one unit that XML does not take.
qsizetype characterAt(const QString &text, qsizetype i, bool *allowed)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *allowed = XmlText::isAllowed(QChar::surrogateToUcs4(c, text.at(i + 1)));
        return 2;
    }
    *allowed = !c.isSurrogate() && XmlText::isAllowed(c.unicode());
    return 1;
}

// Whether a text holds a character XML cannot carry: most texts hold none,
// and are then handed back as they are, without a copy.
bool holdsDisallowed(const QString &text)
{
    for (qsizetype i = 0; i < text.size();) {
        bool allowed = false;
        i += characterAt(text, i, &allowed);
        if (!allowed)
            return true;
    }
    return false;
}

} // namespace

QString XmlText::clean(const QString &text)
{
    if (!holdsDisallowed(text))
        return text;
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        bool allowed = false;
        const qsizetype n = characterAt(text, i, &allowed);
        if (allowed)
            result.append(QStringView(text).mid(i, n));
        i += n;
    }
    return result;
}

ExportEntry XmlText::clean(const ExportEntry &entry)
{
    if (!holdsDisallowed(entry.text) && std::none_of(entry.scores.cbegin(), entry.scores.cend(), holdsDisallowed))
        return entry;
    ExportEntry result;
    result.type = entry.type;
    for (qsizetype i = 0; i < entry.text.size();) {
        bool allowed = false;
        const qsizetype n = characterAt(entry.text, i, &allowed);
        if (allowed) {
            result.text.append(QStringView(entry.text).mid(i, n));
            // scores has one item per UTF-16 unit of text, or none at all.
            for (qsizetype k = i; k < i + n && k < entry.scores.size(); ++k)
                result.scores.append(clean(entry.scores.at(k)));
        }
        i += n;
    }
    return result;
}

QList<ExportEntry> XmlText::clean(const QList<ExportEntry> &entries)
{
    QList<ExportEntry> result;
    result.reserve(entries.size());
    for (const ExportEntry &entry : entries)
        result.append(clean(entry));
    return result;
}

QByteArray XmlText::escapeFontFamilies(const QByteArray &page, const QStringList &families)
{
    QByteArray result = page;
    for (const QString &family : families) {
        const QString escaped = clean(family).toHtmlEscaped();
        if (escaped == family)
            continue;
        const QByteArray attribute = "font-family=\"";
        result.replace(attribute + family.toUtf8() + '"', attribute + escaped.toUtf8() + '"');
    }
    return result;
}
