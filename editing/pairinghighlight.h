#ifndef PAIRINGHIGHLIGHT_H
#define PAIRINGHIGHLIGHT_H

#include <QTextEdit>

class QPlainTextEdit;

// The tint that marks, in both editors, the lyric character and the score
// line that belong together.
namespace PairingHighlight {

// A selection of the whole line that holds position.
QTextEdit::ExtraSelection lineSelection(QPlainTextEdit *editor, int position);
// A selection of the characters from start to end.
QTextEdit::ExtraSelection charSelection(QPlainTextEdit *editor, int start, int end);

} // namespace PairingHighlight

#endif // PAIRINGHIGHLIGHT_H
