#ifndef TEXTHISTORYBOUND_H
#define TEXTHISTORYBOUND_H

#include <QObject>
#include <QTimer>

class QL_Edit;

// Keeps the text documents' own undo history as short as the document's
// undo stack. A command replays steps of the documents' histories, and a
// command the stack drops at its limit leaves its steps behind there, where
// nothing can reach them again: over a long session they would grow without
// end. Once the stack has dropped as many commands as it holds, the
// documents lose every step older than the oldest command left, when typing
// pauses (the trim replays every command, a pause of its own in a long
// play) or at the latest once four times as many are dropped; the texts,
// the cursors, the stack and the modified flag stay as they were.
class TextHistoryBound : public QObject
{
    Q_OBJECT

public:
    explicit TextHistoryBound(QL_Edit *edit);

    // Drops the documents' steps that no command replays, now.
    void trim();
    // The commands dropped since the last trim.
    int droppedCommands() const { return m_dropped; }

private:
    void onStackIndexChanged(int index);

    QL_Edit *m_edit;
    int m_lastIndex = 0;
    int m_dropped = 0;
    // Runs the trim once typing has paused.
    QTimer m_pause;
};

#endif // TEXTHISTORYBOUND_H
