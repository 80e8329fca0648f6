#include "plaintextcopy.h"

#include "linegrammar.h"
#include "lyricclipboard.h"
#include "plainscoretext.h"

#include <QMimeData>
#include <QStringList>

QMimeData *PlainTextCopy::mimeData(const QString &lyric, const QString &score, int first, int last)
{
    const QStringList lyricLines = lyric.split(QLatin1Char('\n'));
    const QStringList scoreLines = score.split(QLatin1Char('\n'));
    LyricClipboard::Entries entries;
    int sung = 0;
    for (int line = 0; line <= last && line < lyricLines.size(); ++line) {
        const QString &text = lyricLines[line];
        const bool sungLine = !isStructuralLine(withValidSurrogates(text));
        if (line > first) {
            entries.lyric.append(QStringLiteral("\n"));
            entries.score.append(QString());
        }
        for (int i = 0; i < text.size(); ++i) {
            const bool sings = sungLine && isLyricChar(text[i]);
            if (line >= first) {
                // A character outside the Basic Multilingual Plane is one entry.
                const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
                entries.lyric.append(text.mid(i, pair ? 2 : 1));
                entries.score.append(sings ? scoreLines.value(sung) : QString());
                i += pair ? 1 : 0;
            }
            sung += sings;
        }
    }
    return LyricClipboard::toMimeData(entries, PlainScoreText::write(lyric, score, first, last));
}
