#include "lineupdatelayout.h"

#include <QMetaMethod>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

LineUpdateLayout::LineUpdateLayout(QTextDocument *document)
    : QPlainTextDocumentLayout(document)
    , m_blockCount(document->blockCount())
{
    // The document reports an edit to its listeners, highlighters among them,
    // and then to its layout, with whatever the listeners marked added.
    connect(document, &QTextDocument::contentsChange, this, &LineUpdateLayout::onContentsChanged);
}

void LineUpdateLayout::onContentsChanged(int from, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved)
    m_editFrom = from;
    m_editAdded = charsAdded;
    // The edited line still has its lines from before the edit (a
    // highlighter clears them when it recolours the line, after this): how
    // tall it was, to tell whether the lines below it move.
    const QTextLayout *lines = document()->findBlock(from).layout();
    m_editHeight = lines && lines->lineCount() > 0 ? lines->boundingRect().height() : -1;
}

void LineUpdateLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    const QTextDocument *doc = document();
    const int editFrom = m_editFrom;
    m_editFrom = -1;
    const int blockCount = doc->blockCount();
    const bool sameLineCount = blockCount == m_blockCount;
    m_blockCount = blockCount;
    const bool viewListens = isSignalConnected(QMetaMethod::fromSignal(&LineUpdateLayout::linesMoved));

    if (editFrom >= 0 && sameLineCount && m_editHeight >= 0) {
        // With as many lines as before, text that stays inside one line now
        // took out no line end either: the edit changed that line alone.
        const QTextBlock block = doc->findBlock(editFrom);
        const QTextBlock last = doc->findBlock(editFrom + qMax(0, m_editAdded - 1));
        const int lineEnd = block.position() + block.length();
        if (block.isValid() && block == last && from >= block.position() && from < lineEnd) {
            QPlainTextDocumentLayout::documentChanged(block.position(), 0, block.length());
            // The plain-text layout compares the line's height with the one
            // it has after the highlighter cleared it: it misses a line that
            // wraps anew or gets a taller font.
            if (blockBoundingRect(block).height() != m_editHeight) {
                if (viewListens)
                    emit linesMoved(block);
                else
                    requestUpdate();
            }
            return;
        }
    }
    if (!sameLineCount && viewListens) {
        // The text before from is where it was. The plain-text layout would
        // repaint the whole view; its view repaints from the first changed
        // line down instead.
        const QTextBlock first = doc->findBlock(from);
        {
            const QSignalBlocker quiet(this);
            QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        }
        emit documentSizeChanged(documentSize());
        emit linesMoved(first.isValid() ? first : doc->lastBlock());
        return;
    }
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
}
