#include "ql_scoreedit.h"

#include "pairinghighlight.h"

QL_ScoreEdit::QL_ScoreEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

void QL_ScoreEdit::highlightLine(int position)
{
    setExtraSelections({PairingHighlight::lineSelection(this, position)});
}
