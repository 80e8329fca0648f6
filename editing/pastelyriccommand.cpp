#include "pastelyriccommand.h"

#include "insertlyriccommand.h"
#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "scoredocument.h"
#include "undostepcounter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBlock>

namespace {

// Whether a line whose text begins with `head`, or with `rest` when `head`
// is empty, is structural; only the first character decides.
bool structural(const QString &head, const QString &rest)
{
    return isStructuralLine(head.isEmpty() ? rest : head);
}

} // namespace

PasteLyricCommand::PasteLyricCommand(QL_Edit *edit)
    : LyricCommand(edit)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data)
        return;
    std::optional<LyricClipboard::Entries> entries;
    if (data->hasFormat(LyricClipboard::mimeType))
        entries = LyricClipboard::decode(data->data(LyricClipboard::mimeType));
    if (entries) {
        paste(*entries);
        return;
    }
    // Text from another program, or a lyric format too damaged to read: the
    // text goes in as if typed, its sung characters on empty score lines.
    const QString text = LyricClipboard::lyricText(data->text());
    if (!text.isEmpty())
        pushIfChanged(edit->undoStack(), new InsertLyricCommand(edit, text));
}

void PasteLyricCommand::paste(const LyricClipboard::Entries &entries)
{
    QStringList pieces;
    pieces.reserve(entries.lyric.size());
    for (const QString &entry : entries.lyric)
        pieces.append(LyricClipboard::lyricText(entry));
    const QString text = pieces.join(QString());
    if (text.isEmpty())
        return;

    insert(pieces, entries);
    edit->lyricCursorPositionChanged();
}

void PasteLyricCommand::insert(const QStringList &pieces, const LyricClipboard::Entries &entries)
{
    const QString text = pieces.join(QString());
    QL_LyricEdit *lyric = edit->lyricEdit();
    ScoreDocument *document = edit->document();
    const ScoreDocument::SyncGuard guard(document);
    deleteSelectionFirst();

    UndoStepCounter lyricCounter(document->lyric());
    UndoStepCounter scoreCounter(document->score());
    // A score without sung characters is one line, which the first sung
    // character to come takes; a score that has lines too many or too few
    // keeps that difference.
    const int sungBefore = document->lyricIndex().lyricCharCount();
    QTextCursor cursor = lyric->textCursor();
    const int position = cursor.position();
    const QString line = cursor.block().text();
    const QString head = line.left(position - cursor.block().position());
    const QString tail = line.mid(head.size());
    const bool wasStructural = isStructuralLine(line);
    // Sung characters before the cursor: the pasted ones follow them.
    const int at = document->lyricIndex().lyricIndexAt(position) + 1;

    // Which of the lines the paste leaves behind are structural: the first
    // joins the text before the cursor, the last the text after it. Only
    // their first characters count, so this is known before inserting.
    const QStringList parts = text.split(QLatin1Char('\n'));
    QVector<bool> structuralLine(parts.size());
    for (int k = 0; k < parts.size(); ++k) {
        const QString begin = k == 0 ? head + parts.at(k).left(1) : parts.at(k);
        structuralLine[k] = structural(begin, k + 1 == parts.size() ? tail : QString());
    }
    const bool nowStructural = structuralLine.last();

    // One score line for every pasted sung character that the pairing
    // counts. An entry normally holds one character; should it hold several,
    // its notation goes to the last of them and the others get empty lines.
    QStringList scoreLines;
    int lineIndex = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        int sung = 0;
        for (QChar c : pieces.at(i)) {
            if (c == u'\n')
                ++lineIndex;
            else if (isLyricChar(c) && !structuralLine.at(lineIndex))
                ++sung;
        }
        if (sung == 0)
            continue;
        for (int k = 1; k < sung; ++k)
            scoreLines.append(QString());
        scoreLines.append(LyricClipboard::scoreLine(entries.score.value(i)));
    }

    cursor.beginEditBlock();
    QTextCursor scoreCursor(document->score());
    scoreCursor.beginEditBlock();
    cursor.insertText(text);
    if (!scoreLines.isEmpty()) {
        const QTextBlock atLine = document->score()->findBlockByNumber(at);
        if (sungBefore == 0) {
            // The first pasted character takes the first line, and any
            // notation already written there.
            scoreCursor.setPosition(atLine.position() + atLine.length() - 1);
            scoreCursor.insertText(scoreLines.join(QLatin1Char('\n')));
        } else if (atLine.isValid()) {
            scoreCursor.setPosition(atLine.position());
            scoreCursor.insertText(scoreLines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        } else {
            // A score shorter than the lyrics: the new lines go at its end.
            scoreCursor.movePosition(QTextCursor::End);
            scoreCursor.insertText(QLatin1Char('\n') + scoreLines.join(QLatin1Char('\n')));
        }
    }
    // The sung characters after the cursor now lie on a line that may have
    // turned structural, or stopped being so.
    const int moved = countLyricChars(tail);
    if (moved > 0 && wasStructural != nowStructural) {
        const int first = at + int(scoreLines.size());
        if (wasStructural) {
            if (sungBefore == 0 && scoreLines.isEmpty()) {
                if (moved > 1)
                    document->insertScoreLines(1, moved - 1);
            } else {
                document->insertScoreLines(first, moved);
            }
        } else if (sungBefore + scoreLines.size() == moved) {
            // No sung character is left: the one empty line stays.
            document->clearFirstScoreLines(moved);
        } else {
            document->deleteScoreLines(first, moved);
        }
    }
    scoreCursor.endEditBlock();
    cursor.endEditBlock();
    lyric->setTextCursor(cursor);

    lyricSteps = lyricCounter.steps();
    scoreSteps = scoreCounter.steps();
}
