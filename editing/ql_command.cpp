#include "ql_command.h"

#include <QUndoStack>

QL_Command::QL_Command(QL_Edit *edit)
    : edit(edit)
{
}

void QL_Command::pushIfChanged(QUndoStack *stack, QL_Command *command)
{
    if (command->hasChanges())
        stack->push(command);
    else
        delete command;
}

bool QL_Command::isPushRedo()
{
    if (m_pushed)
        return false;
    m_pushed = true;
    return true;
}
