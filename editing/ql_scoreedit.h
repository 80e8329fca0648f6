#ifndef QL_SCOREEDIT_H
#define QL_SCOREEDIT_H

#include <QPlainTextEdit>

// The right-hand editor of a document: one line of notation for every lyric
// character of the lyric editor beside it.
class QL_ScoreEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit QL_ScoreEdit(QWidget *parent = nullptr);

    // Tints the whole line that holds position.
    void highlightLine(int position);
};

#endif // QL_SCOREEDIT_H
