#include "ql_lyricedit.h"

#include "pairinghighlight.h"

QL_LyricEdit::QL_LyricEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_index(document())
{
}

void QL_LyricEdit::highlightLine(int position)
{
    setExtraSelections({PairingHighlight::lineSelection(this, position)});
}

void QL_LyricEdit::highlightChar(int position)
{
    const int start = position > 0 ? position - 1 : 0;
    const int end = qMin(start + 1, document()->characterCount() - 1);
    setExtraSelections({PairingHighlight::charSelection(this, start, end)});
}
