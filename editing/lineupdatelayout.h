#ifndef LINEUPDATELAYOUT_H
#define LINEUPDATELAYOUT_H

#include <QPlainTextDocumentLayout>

// The plain-text layout of the editors, which repaints only the line an edit
// stays inside even when a highlighter recolours that line.
//
// A highlighter marks the whole line it recolours as changed, and the text
// document adds that mark to the edit's own range in a way that counts part
// of it twice: the plain-text layout then takes a keystroke in the middle of
// a line for a change of several lines, lays them all out again and repaints
// the whole view. This layout keeps the edit the document reported and,
// when that edit stays inside one line and the number of lines is unchanged,
// hands the layout that one line. It relies on a highlighter that colours
// each line from its own text (no state carried from line to line), so that
// only the edited line can get new colours.
//
// An edit that adds or takes out lines moves only the lines from the edit
// on; with a view listening to linesMoved(), the layout tells it where they
// start instead of asking it to repaint everything.
class LineUpdateLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT

public:
    explicit LineUpdateLayout(QTextDocument *document);

signals:
    // Lines were added or taken out at the start of block, or within it:
    // block and every line after it may show something new.
    void linesMoved(const QTextBlock &block);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    void onContentsChanged(int from, int charsRemoved, int charsAdded);

    // The edit the document reported last, in the text after it; from < 0
    // once the layout has taken it.
    int m_editFrom = -1;
    int m_editAdded = 0;
    // The height of the edited line before the edit; -1 when not laid out.
    qreal m_editHeight = -1;
    // The number of lines after the layout's last change.
    int m_blockCount = 0;
};

#endif // LINEUPDATELAYOUT_H
