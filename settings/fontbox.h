#ifndef FONTBOX_H
#define FONTBOX_H

#include <QFont>
#include <QWidget>

class QFontComboBox;
class QHBoxLayout;
class QIntValidator;
class QLineEdit;

// A font option: a family chooser beside a point-size field. The size is
// kept within a range; an empty field stands for the smallest size.
class FontBox : public QWidget
{
    Q_OBJECT

public:
    explicit FontBox(QWidget *parent = nullptr);

    // Names the picker and its parts for assistive technology.
    void setAccessibleNames(const QString &name);

    // The sizes the field accepts; its placeholder shows them ("5~80").
    void setRange(int min, int max);
    // Shows the family in the chooser. A family this desktop lacks shows as
    // the installed one drawn in its place, yet font() keeps the name given
    // until the user picks another, so that a stored family is not swapped
    // for a local stand-in just by confirming a form.
    void setCurrentFont(const QFont &font);
    void setSize(int n);
    // The chosen family at size().
    QFont font() const;
    // The size in the field, brought into the range; the lower bound when
    // the field is empty.
    int size() const;
    // Enables or disables the family chooser alone; the size stays editable.
    void setFontEnabled(bool enabled);

signals:
    void fontChanged(const QFont &font, int size);

private slots:
    void onLineEditChanged();
    void onFontChanged();

private:
    QFontComboBox *fontCombo;
    QLineEdit *sizeEdit;
    QIntValidator *validator;
    QHBoxLayout *layout;
    // The family given to setCurrentFont, while the user has not chosen one.
    QString givenFamily;
};

#endif // FONTBOX_H
