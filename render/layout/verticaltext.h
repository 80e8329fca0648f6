#ifndef VERTICALTEXT_H
#define VERTICALTEXT_H

#include <QChar>

// The character rules of text set in vertical columns: which punctuation takes
// only its own height, which hangs at the foot of its cell, and the upright
// forms of brackets and dashes.
class VerticalText
{
public:
    // The upright presentation form of a bracket, quote or dash; every other
    // character unchanged.
    static QChar verticalForm(QChar c);

    // Punctuation of the line grammar's punctuation class: such a character
    // takes the height of its own ink, not a full line.
    static bool isPunctuation(QChar c);

    // Brackets and quotes that open a phrase: never left at the foot of a
    // column.
    static bool isOpeningPunctuation(QChar c);
    // What closes a phrase (closing brackets and quotes, and the hanging
    // punctuation): never set at the head of a column.
    static bool isClosingPunctuation(QChar c);

    // An em dash; two or more in a row are set as one unbroken rule of
    // joinedDash() glyphs.
    static bool isDash(QChar c);
    static QChar joinedDash();

    // "。，,、；;：:？?！!": set from the middle of the cell to the right, at its
    // foot, and given no spacing before it in sung lines.
    static bool isHangingPunctuation(QChar c);
};

#endif // VERTICALTEXT_H
