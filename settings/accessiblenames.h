#ifndef ACCESSIBLENAMES_H
#define ACCESSIBLENAMES_H

#include <QString>

class QWidget;

// Names every control of a form for assistive technology, from what a
// sighted user reads beside it: the label that is its buddy or stands before
// it in its layout row, with the title of its group where that label alone
// would name two controls ("页面 宽度", "颜色 标题"). Composite pickers name
// their parts (the colour field and its swatch, the font list and its size).
// Controls that carry a name, or a text of their own, are left as they are.
class AccessibleNames
{
public:
    static void nameControls(QWidget *root);

    // The text of a label as a name: no mnemonic marker, no closing colon.
    static QString fromLabel(const QString &text);
};

#endif // ACCESSIBLENAMES_H
