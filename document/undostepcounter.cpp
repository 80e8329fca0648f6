#include "undostepcounter.h"

#include <QTextDocument>

UndoStepCounter::UndoStepCounter(QTextDocument *document)
    : m_connection(QObject::connect(document, &QTextDocument::undoCommandAdded,
                                    [this] { ++m_steps; }))
{
}

UndoStepCounter::~UndoStepCounter()
{
    QObject::disconnect(m_connection);
}
