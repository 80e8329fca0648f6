#ifndef PROGRESSLINE_H
#define PROGRESSLINE_H

#include <QString>

class QTextStream;

// The progress of a rendering or an export as text, for the command line: on
// a terminal one line that rewrites itself ("\r") and ends when the work
// ends; anywhere else (a pipe, a log file) plain lines, one per change, so
// that the figures never run together.
class ProgressLine
{
public:
    ProgressLine(QTextStream &stream, bool terminal);

    // Takes the progressUpdate signal of the renderer: status 0 starts a step
    // with its tip, 1 advances it, 2 ends it.
    void update(int status, int value, int maxValue, const QString &tip);
    // Ends a line that is still open, so that a message can follow.
    void end();

private:
    void show(const QString &text, bool ends);

    QTextStream &m_stream;
    const bool m_terminal;
    QString m_tip;
    QString m_shown;
    bool m_open = false;
};

#endif // PROGRESSLINE_H
