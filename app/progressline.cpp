#include "progressline.h"

#include <QTextStream>

ProgressLine::ProgressLine(QTextStream &stream, bool terminal)
    : m_stream(stream)
    , m_terminal(terminal)
{
}

void ProgressLine::update(int status, int value, int maxValue, const QString &tip)
{
    if (status == 0) {
        // A step that starts while another is shown ends that one first.
        end();
        m_tip = tip;
        m_shown.clear();
    } else if (!m_open && status == 2) {
        // The writers report their end more than once.
        return;
    }
    QString text = m_tip;
    if (maxValue > 0) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QStringLiteral("%1/%2").arg(value).arg(maxValue);
    }
    show(text, status == 2);
}

void ProgressLine::end()
{
    if (m_open)
        show(m_shown, true);
}

void ProgressLine::show(const QString &text, bool ends)
{
    if (m_terminal) {
        // The new text is never shorter than the old within one step (the
        // figures only grow), so it covers what it replaces.
        m_stream << '\r' << text;
        if (ends)
            m_stream << '\n';
    } else if (text != m_shown || !m_open) {
        m_stream << text << '\n';
    }
    m_stream.flush();
    m_shown = text;
    m_open = !ends;
}
