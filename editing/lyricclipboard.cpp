#include "lyricclipboard.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

const QString LyricClipboard::mimeType = QStringLiteral("application/x-lyric-score-format");

namespace {

// The characters that a text document turns into a line break, either when
// the text is inserted or when it is written out as plain text.
bool isLineEnd(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case 0x0085:             // NEL
    case QChar::LineSeparator:
    case QChar::ParagraphSeparator:
    case 0xFDD0:             // start of a text frame
    case 0xFDD1:             // end of a text frame
        return true;
    default:
        return false;
    }
}

QStringList strings(const QJsonArray &array)
{
    QStringList list;
    list.reserve(array.size());
    for (const QJsonValue &value : array)
        list.append(value.toString());
    return list;
}

} // namespace

QByteArray LyricClipboard::encode(const Entries &entries)
{
    // QJsonObject keeps its members sorted by key, so "lyric" comes first.
    QJsonObject object;
    object.insert(QStringLiteral("lyric"), QJsonArray::fromStringList(entries.lyric));
    object.insert(QStringLiteral("score"), QJsonArray::fromStringList(entries.score));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<LyricClipboard::Entries> LyricClipboard::decode(const QByteArray &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue lyric = object.value(QStringLiteral("lyric"));
    if (!lyric.isArray())
        return std::nullopt;
    Entries entries;
    entries.lyric = strings(lyric.toArray());
    entries.score = strings(object.value(QStringLiteral("score")).toArray());
    entries.score.resize(entries.lyric.size());
    return entries;
}

QMimeData *LyricClipboard::toMimeData(const Entries &entries, const QString &plainText)
{
    auto *data = new QMimeData;
    data->setData(mimeType, encode(entries));
    data->setText(plainText);
    return data;
}

QString LyricClipboard::lyricText(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        if (isLineEnd(c))
            result.append(QLatin1Char('\n'));
        else if (c == QChar::Nbsp)
            result.append(QLatin1Char(' '));
        else
            result.append(c);
    }
    return result;
}

QString LyricClipboard::scoreLine(const QString &text)
{
    QString result = text;
    result.removeIf(isLineEnd);
    return result;
}
