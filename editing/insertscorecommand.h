#ifndef INSERTSCORECOMMAND_H
#define INSERTSCORECOMMAND_H

#include "ql_command.h"

#include <QString>
#include <Qt>

// Notation typed or committed into the score editor, or a line break. Line
// breaks in the text move on to the next existing score line, so the score
// keeps one line per lyric character; with Shift alone they split the line.
class InsertScoreCommand : public QL_Command
{
public:
    InsertScoreCommand(QL_Edit *edit, const QString &text, Qt::KeyboardModifiers modifiers);

    void undo() override;
    void redo() override;
    bool hasChanges() const override { return done; }

private:
    bool done = false;
};

#endif // INSERTSCORECOMMAND_H
