#ifndef CLAMPINGINTVALIDATOR_H
#define CLAMPINGINTVALIDATOR_H

#include <QIntValidator>

// An integer range for a line edit that never leaves a field showing a
// number out of range: a field left empty counts as 0 and a number beyond a
// bound becomes that bound, when editing finishes. A plain QIntValidator
// lets the field keep such text and reports no finished edit, so that the
// field and the option it edits would disagree.
class ClampingIntValidator : public QIntValidator
{
public:
    ClampingIntValidator(int minimum, int maximum, QObject *parent = nullptr)
        : QIntValidator(minimum, maximum, parent)
    {
    }

    void fixup(QString &input) const override
    {
        bool ok = false;
        const int value = input.trimmed().toInt(&ok, 10);
        input = QString::number(qBound(bottom(), ok ? value : 0, top()));
    }
};

#endif // CLAMPINGINTVALIDATOR_H
