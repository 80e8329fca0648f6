#include "copylyriccommand.h"

#include "linegrammar.h"
#include "lyricclipboard.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"
#include "scoredocument.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>

CopyLyricCommand::CopyLyricCommand(QL_Edit *edit)
    : QL_Command(edit)
{
    const QL_LyricEdit *lyric = edit->lyricEdit();
    const QTextCursor cursor = lyric->textCursor();
    if (!cursor.hasSelection())
        return;
    const QTextDocument *lyricDocument = edit->document()->lyric();
    const QTextDocument *scoreDocument = edit->document()->score();
    const int start = cursor.selectionStart();
    const QString selected = cursor.selectedText();

    LyricClipboard::Entries entries;
    // The ordinal of the last sung character so far; each sung character of
    // the selection owns the next score line.
    int ordinal = lyric->lyricIndexAt(start);
    QTextBlock block = lyricDocument->findBlock(start);
    bool sungLine = !isStructuralLine(block.text());
    for (int i = 0; i < selected.size(); ++i) {
        QChar c = selected.at(i);
        if (c == QChar::ParagraphSeparator) {
            entries.lyric.append(QStringLiteral("\n"));
            entries.score.append(QString());
            block = block.next();
            sungLine = !isStructuralLine(block.text());
            continue;
        }
        // A character outside the Basic Multilingual Plane is one entry: its
        // halves alone would not survive the clipboard's UTF-8.
        if (c.isHighSurrogate() && i + 1 < selected.size() && selected.at(i + 1).isLowSurrogate()) {
            entries.lyric.append(selected.mid(i, 2));
            entries.score.append(QString());
            ++i;
            continue;
        }
        entries.lyric.append(QString(c));
        if (sungLine && isLyricChar(c)) {
            ++ordinal;
            const QTextBlock scoreLine = scoreDocument->findBlockByNumber(ordinal);
            entries.score.append(scoreLine.isValid() ? scoreLine.text() : QString());
        } else {
            entries.score.append(QString());
        }
    }
    QGuiApplication::clipboard()->setMimeData(LyricClipboard::toMimeData(entries, selected),
                                              QClipboard::Clipboard);
}
