#include "exportentry.h"

#include "linegrammar.h"
#include "lyriccharindex.h"

#include <QTextBlock>
#include <QTextDocument>

QList<ExportEntry> buildExportEntries(const QTextDocument *lyricDocument,
                                      const QTextDocument *scoreDocument)
{
    const LyricCharIndex index(lyricDocument);
    return buildExportEntries(lyricDocument, scoreDocument, index, 0, lyricDocument->blockCount());
}

QList<ExportEntry> buildExportEntries(const QTextDocument *lyricDocument, const QTextDocument *scoreDocument,
                                      const LyricCharIndex &index, int first, int end)
{
    QList<ExportEntry> entries;
    first = qMax(0, first);
    end = qMin(end, lyricDocument->blockCount());
    if (end <= first)
        return entries;
    entries.reserve(end - first);
    // The score lines are asked for in order: the next one is a step on
    // from the last, not a search from the first.
    QTextBlock scoreLine;
    int scoreLineNumber = -2;
    QTextBlock block = lyricDocument->findBlockByNumber(first);
    for (int number = first; number < end && block.isValid(); ++number, block = block.next()) {
        const QString line = block.text();
        ExportEntry entry;
        entry.type = exportLineType(line);
        entry.text = line;
        if (entry.type == static_cast<int>(LineType::Lyric)) {
            entry.scores.reserve(line.size());
            // The ordinal of the last lyric character before the line, counted
            // once; each lyric character of the line owns the next score line.
            // A structural line typed as sung (a "【" without its "】") owns no
            // score line: its characters go out without notation rather than
            // with a copy of the notation of the character before the line.
            int ordinal = index.lyricIndexAt(block.position());
            const bool counted = !isStructuralLine(line);
            for (QChar c : line) {
                if (!counted || !isLyricChar(c)) {
                    entry.scores.append(QString());
                    continue;
                }
                ++ordinal;
                if (ordinal == scoreLineNumber + 1 && scoreLine.isValid())
                    scoreLine = scoreLine.next();
                else if (ordinal != scoreLineNumber)
                    scoreLine = scoreDocument->findBlockByNumber(ordinal);
                scoreLineNumber = ordinal;
                entry.scores.append(ordinal >= 0 && scoreLine.isValid() ? scoreLine.text() : QString());
            }
        }
        entries.append(entry);
    }
    return entries;
}

QList<ExportEntry> buildExportEntries(const QString &lyricText, const QString &scoreText)
{
    const QTextDocument lyricDocument(lyricText);
    const QTextDocument scoreDocument(scoreText);
    return buildExportEntries(&lyricDocument, &scoreDocument);
}

bool hasPrintableLine(const QList<ExportEntry> &entries)
{
    for (const ExportEntry &entry : entries) {
        switch (static_cast<LineType>(entry.type)) {
        case LineType::Lyric:
            if (!entry.text.trimmed().isEmpty())
                return true;
            break;
        case LineType::Title:
        case LineType::JiaBai:
        case LineType::LianBai:
        case LineType::QuPai:
            // The marker ("#", "【", …) is the first character.
            if (!QStringView(entry.text).trimmed().mid(1).trimmed().isEmpty())
                return true;
            break;
        default:
            break;
        }
    }
    return false;
}

namespace {

QString sungCharacters(QStringView text)
{
    QString chars;
    for (const QChar c : text) {
        if (isLyricChar(c))
            chars.append(c);
    }
    return chars.trimmed();
}

} // namespace

QString scoreTitle(const QList<ExportEntry> &entries)
{
    QString title;
    for (const ExportEntry &entry : entries) {
        if (entry.type == int(LineType::Title))
            title = sungCharacters(entry.text);
        else if (entry.type == int(LineType::QuPai) && title.isEmpty())
            title = sungCharacters(tuneName(entry.text));
    }
    return title;
}
