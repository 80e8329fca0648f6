#ifndef QL_COMMAND_H
#define QL_COMMAND_H

#include <QUndoCommand>

class QL_Edit;
class QUndoStack;

// The base of every document command. A command makes its whole edit in its
// constructor, through the editors' own documents inside edit blocks, and
// remembers only how many undo steps that added to each document; undo() and
// redo() replay those steps in the documents' own histories. This holds as
// long as nothing else edits the documents, which the document editor
// ensures by turning every edit into a command.
class QL_Command : public QUndoCommand
{
public:
    explicit QL_Command(QL_Edit *edit);

    // Whether the construction changed either document. A command without
    // changes is deleted instead of pushed.
    virtual bool hasChanges() const = 0;

    // Pushes the command on the stack if it changed something, else deletes it.
    static void pushIfChanged(QUndoStack *stack, QL_Command *command);

protected:
    // True once, for the redo() of the push: the constructor has just made
    // the edit and paired the cursors, so there is nothing to replay.
    bool isPushRedo();

    QL_Edit *edit;

private:
    bool m_pushed = false;
};

#endif // QL_COMMAND_H
