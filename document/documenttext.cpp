#include "documenttext.h"

#include <QTextBlock>
#include <QTextDocument>

QString documentText(const QTextDocument *document)
{
    QString text;
    text.reserve(document->characterCount());
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next()) {
        if (block != document->firstBlock())
            text += QLatin1Char('\n');
        text += block.text();
    }
    return text;
}
