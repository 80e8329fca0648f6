#ifndef UNDOSTEPCOUNTER_H
#define UNDOSTEPCOUNTER_H

#include <QMetaObject>

class QTextDocument;

// Counts the undo steps a document gains while the counter lives. A step is
// one closed edit block that changed something (or one change outside any
// block); the document reports each through undoCommandAdded. Its count of
// available undo steps would not do: that counts internal items, several per
// block, while undo() undoes a whole block.
class UndoStepCounter
{
public:
    explicit UndoStepCounter(QTextDocument *document);
    ~UndoStepCounter();

    UndoStepCounter(const UndoStepCounter &) = delete;
    UndoStepCounter &operator=(const UndoStepCounter &) = delete;

    int steps() const { return m_steps; }

private:
    int m_steps = 0;
    QMetaObject::Connection m_connection;
};

#endif // UNDOSTEPCOUNTER_H
