#include "pairinghighlight.h"

#include <QPlainTextEdit>

namespace {

QTextEdit::ExtraSelection tinted(const QTextCursor &cursor)
{
    QTextEdit::ExtraSelection selection;
    selection.format.setBackground(QColor(0, 100, 100, 60));
    selection.cursor = cursor;
    return selection;
}

} // namespace

namespace PairingHighlight {

QTextEdit::ExtraSelection lineSelection(QPlainTextEdit *editor, int position)
{
    QTextCursor cursor(editor->document());
    cursor.setPosition(position);
    QTextEdit::ExtraSelection selection = tinted(cursor);
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    return selection;
}

QTextEdit::ExtraSelection charSelection(QPlainTextEdit *editor, int start, int end)
{
    QTextCursor cursor(editor->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return tinted(cursor);
}

} // namespace PairingHighlight
