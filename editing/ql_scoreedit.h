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

    // Inserts count empty score lines to become lines at .. at + count - 1,
    // or removes lines at .. at + count - 1, each in one edit block, without
    // moving the visible cursor. Both clamp at the end of the score.
    void insertScoreLines(int at, int count);
    void deleteScoreLines(int at, int count);

    // The beat mark that most likely comes next at the cursor, judged from
    // the marks of the measure before it.
    QString nextBeatMark() const;
    // Opens the input-method popup on the alternatives of nextBeatMark().
    void suggestBeatMark();
};

#endif // QL_SCOREEDIT_H
