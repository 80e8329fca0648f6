#include "linegrammar.h"

#include <QRegularExpression>

#include <array>

namespace {

constexpr int typeCount = 11;

// A tune name in 【】 and the key in brackets that may follow it.
constexpr QStringView tuneNamePattern = u"【.+?】";
constexpr QStringView tuneKeyPattern = u"[（(].+?[)）]";

const std::array<LineType, 8> classifiedTypes = {
    LineType::Title,     LineType::Comment,   LineType::JiaBai, LineType::LianBai,
    LineType::QuPai,     LineType::LineBreak, LineType::PageBreak, LineType::Lyric,
};

} // namespace

QString lineTypePatterns(LineType type)
{
    switch (type) {
    case LineType::Title:
        return QStringLiteral("^#.*");
    case LineType::Comment:
        return QStringLiteral("^;.*");
    case LineType::JiaBai:
        return QStringLiteral("^>.*");
    case LineType::LianBai:
        return QStringLiteral("^=.*");
    case LineType::QuPai:
        return QLatin1Char('^') + tuneNamePattern.toString() + QLatin1Char('(')
               + tuneKeyPattern.toString() + QStringLiteral(")?$");
    case LineType::LineBreak:
        return QStringLiteral(u"^@换行符");
    case LineType::PageBreak:
        return QStringLiteral(u"^@分页符");
    case LineType::Lyric:
        return QStringLiteral(u"[一-龥 ]+");
    case LineType::BiaoDian:
        return QStringLiteral(
            u"[。，,、；;：:？?！!‘’“”（）()《》【】［］\\[\\]—︹︺︽︾﹁﹂﹃﹄︻︼︗︘︵︶|｜~]");
    case LineType::Any:
        return QStringLiteral(".+");
    }
    return QString();
}

const QRegularExpression &lineTypeRegex(LineType type)
{
    // Compiling a pattern costs far more than matching it; every caller in a
    // repaint or a keystroke shares these.
    static const std::array<QRegularExpression, typeCount> regexes = [] {
        std::array<QRegularExpression, typeCount> built;
        for (int id = 0; id < typeCount; ++id)
            built[id] = QRegularExpression(lineTypePatterns(static_cast<LineType>(id)));
        return built;
    }();
    return regexes[static_cast<int>(type)];
}

QString tuneName(const QString &text)
{
    static const QRegularExpression name(tuneNamePattern.toString());
    return name.match(text).captured();
}

QString tuneKey(const QString &text)
{
    static const QRegularExpression key(tuneKeyPattern.toString());
    return key.match(text).captured();
}

bool isStructuralLine(const QString &text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'#':
    case u';':
    case u'>':
    case u'=':
    case u'【':
    case u'@':
        return true;
    default:
        return false;
    }
}

bool isMalformedStructuralLine(const QString &text)
{
    if (!isStructuralLine(text))
        return false;
    const std::optional<LineType> type = classifyLine(text);
    return !type || *type == LineType::Lyric;
}

std::optional<LineType> classifyLine(const QString &text)
{
    const QString subject = withValidSurrogates(text);
    for (LineType type : classifiedTypes) {
        if (lineTypeRegex(type).match(subject).hasMatch())
            return type;
    }
    return std::nullopt;
}

int exportLineType(const QString &text)
{
    const std::optional<LineType> type = classifyLine(text);
    return static_cast<int>(type.value_or(LineType::Any));
}

int countLyricChars(const QString &text)
{
    int count = 0;
    for (QChar c : text) {
        if (isLyricChar(c))
            ++count;
    }
    return count;
}

int lyricCharBoundary(const QString &text, int k)
{
    // The boundaries are: start of the first lyric character, then the end of
    // each. Walking from the back finds B[n - k] without building the list.
    const int n = countLyricChars(text);
    if (n == 0)
        return 0;
    k = qBound(0, k, n);
    if (k == n) {
        for (int i = 0; i < text.size(); ++i) {
            if (isLyricChar(text.at(i)))
                return i;
        }
    }
    // The end of lyric character number n - k (1-based).
    int seen = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (isLyricChar(text.at(i)) && ++seen == n - k)
            return i + 1;
    }
    return text.size();
}

QString withLineFeeds(const QString &text)
{
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const char16_t separator : {u'\r', char16_t(QChar::ParagraphSeparator), char16_t(QChar::LineSeparator),
                                     char16_t(0xFDD0), char16_t(0xFDD1)})
        lines.replace(QChar(separator), QLatin1Char('\n'));
    return lines;
}

QString withValidSurrogates(const QString &text)
{
    QString valid = text;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        valid[i] = QChar::ReplacementCharacter;
    }
    return valid;
}
