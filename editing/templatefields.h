#ifndef TEMPLATEFIELDS_H
#define TEMPLATEFIELDS_H

#include <QList>
#include <QString>

// The fields of a tune-name line, as the 曲牌 template "【曲牌名】(调名)"
// leaves them to be typed over: the name inside 【】 and the key inside the
// brackets after it. Tab in such a line moves from field to field.
class TemplateFields
{
public:
    struct Field
    {
        int start = 0; // offsets in the line
        int end = 0;
    };

    // Whether Tab moves among fields in this line rather than typing a tab.
    static bool isTemplateLine(const QString &line);
    // The fields of the line, in order; none for another kind of line.
    static QList<Field> fields(const QString &line);
    // The field Tab (forward) or Shift+Tab selects from the selection
    // selectionStart .. selectionEnd (equal for a bare cursor): the first
    // field after it, or the last before it. Without one, an empty field at
    // the line's end or start, so that the cursor leaves the fields there.
    static Field step(const QString &line, int selectionStart, int selectionEnd, bool forward);
};

#endif // TEMPLATEFIELDS_H
