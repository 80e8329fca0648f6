#ifndef COLORBOX_H
#define COLORBOX_H

#include <QColor>
#include <QString>
#include <QWidget>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QRegularExpressionValidator;

// A colour option: a field for the hex name ("#rgb" or "#rrggbb") beside a
// square swatch button that opens the colour dialog. A name that is no colour
// is refused with a warning and the field goes back to the last good one.
class ColorBox : public QWidget
{
    Q_OBJECT

public:
    explicit ColorBox(QWidget *parent = nullptr);

    // Names the picker and its parts for assistive technology.
    void setAccessibleNames(const QString &name);

    QColor color() const { return m_color; }
    // Shows a valid colour by its six-digit name; an invalid one is ignored.
    // Emits nothing, so that filling a form is not taken for a user's choice.
    void setColor(const QColor &color);

signals:
    void colorChanged(const QColor &c);

private slots:
    void onPushButtonClicked();
    void onLineEditChanged();

private:
    void accept(const QColor &color);

    QLineEdit *lineEdit;
    QPushButton *button;
    QHBoxLayout *layout;
    QRegularExpressionValidator *validator;
    // The name of the colour as last accepted, to go back to.
    QString text;
    QColor m_color;
};

#endif // COLORBOX_H
