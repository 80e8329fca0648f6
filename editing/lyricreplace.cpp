#include "lyricreplace.h"

#include "deletelyriccommand.h"
#include "insertlyriccommand.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QTextDocument>
#include <QUndoStack>

void LyricReplace::replaceSelection(QL_Edit *edit, const QString &replacement)
{
    // Typing over a selection deletes it first; an empty replacement is the
    // deletion alone.
    if (replacement.isEmpty())
        QL_Command::pushIfChanged(edit->undoStack(), new DeleteLyricCommand(edit, true, Qt::NoModifier));
    else
        QL_Command::pushIfChanged(edit->undoStack(), new InsertLyricCommand(edit, replacement));
}

bool LyricReplace::replaceCurrent(QL_Edit *edit, const QString &text, const QString &replacement)
{
    QL_LyricEdit *lyric = edit->lyricEdit();
    const QTextCursor match = lyric->currentMatch(text);
    if (match.isNull())
        return false;
    QTextCursor selection = lyric->textCursor();
    selection.setPosition(match.selectionStart());
    selection.setPosition(match.selectionEnd(), QTextCursor::KeepAnchor);
    lyric->setTextCursor(selection);
    QUndoStack *stack = edit->undoStack();
    stack->beginMacro(QCoreApplication::translate("LyricReplace", "替换"));
    replaceSelection(edit, replacement);
    stack->endMacro();
    return true;
}

int LyricReplace::replaceAll(QL_Edit *edit, const QString &text, const QString &replacement)
{
    if (text.isEmpty())
        return 0;
    QL_LyricEdit *lyric = edit->lyricEdit();
    QTextDocument *document = lyric->document();
    // The matches as a find counts them, none overlapping, taken before any
    // is replaced: a replacement that holds the text is not searched again.
    // Kept as numbers: a cursor at a match's end would move with a
    // replacement inserted right after it.
    QList<QPair<int, int>> matches;
    QTextCursor found(document);
    while (!found.atEnd()) {
        found = document->find(text, found.selectionEnd());
        if (found.isNull())
            break;
        matches.append({found.selectionStart(), found.selectionEnd()});
    }
    if (matches.isEmpty())
        return 0;

    QUndoStack *stack = edit->undoStack();
    stack->beginMacro(QCoreApplication::translate("LyricReplace", "全部替换"));
    // From the last to the first, so that the matches not yet replaced keep
    // their positions.
    for (auto match = matches.crbegin(); match != matches.crend(); ++match) {
        QTextCursor selection = lyric->textCursor();
        selection.setPosition(match->first);
        selection.setPosition(match->second, QTextCursor::KeepAnchor);
        lyric->setTextCursor(selection);
        replaceSelection(edit, replacement);
    }
    stack->endMacro();
    lyric->clearFindMarks();
    return int(matches.size());
}
