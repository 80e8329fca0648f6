#ifndef DOCUMENTTEXT_H
#define DOCUMENTTEXT_H

#include <QString>

class QTextDocument;

// The text of a document as its lines hold it, the lines joined by "\n".
// QTextDocument::toPlainText() would turn a no-break space into a space,
// which is a sung character, and a line separator into a line end: a
// document saved that way would pair differently after reopening.
QString documentText(const QTextDocument *document);

#endif // DOCUMENTTEXT_H
