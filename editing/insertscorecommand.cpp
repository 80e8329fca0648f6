#include "insertscorecommand.h"

#include "deletescorecommand.h"
#include "linegrammar.h"
#include "ql_edit.h"
#include "ql_scoreedit.h"
#include "undostepcounter.h"

#include <QStringList>

InsertScoreCommand::InsertScoreCommand(QL_Edit *edit, const QString &text,
                                       Qt::KeyboardModifiers modifiers)
    : QL_Command(edit)
{
    if (text.isEmpty())
        return;
    // Every kind of line break that inserting text would turn into a new
    // line (pasted "\r\n", a paragraph separator, the marks of a text frame)
    // counts as one line break here, so that without Shift the score never
    // gains a line.
    const QString lines = withLineFeeds(text);
    QL_ScoreEdit *score = edit->scoreEdit();
    QTextCursor cursor = score->textCursor();
    const int start = cursor.selectionStart();
    if (cursor.hasSelection())
        pushIfChanged(edit->undoStack(), new DeleteScoreCommand(edit, true, Qt::NoModifier));

    UndoStepCounter counter(score->document());
    cursor = score->textCursor();
    cursor.beginEditBlock();
    cursor.setPosition(start);
    if (modifiers == Qt::ShiftModifier) {
        cursor.insertText(lines);
    } else {
        const QStringList parts = lines.split(QLatin1Char('\n'));
        for (int i = 0; i < parts.size(); ++i) {
            if (!parts.at(i).isEmpty())
                cursor.insertText(parts.at(i));
            if (i + 1 < parts.size())
                cursor.movePosition(QTextCursor::NextBlock);
        }
    }
    cursor.endEditBlock();
    done = counter.steps() > 0;
    score->setTextCursor(cursor);
}

void InsertScoreCommand::undo()
{
    edit->scoreEdit()->undo();
}

void InsertScoreCommand::redo()
{
    if (isPushRedo())
        return;
    edit->scoreEdit()->redo();
}
