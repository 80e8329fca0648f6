#ifndef PICKERSTYLE_H
#define PICKERSTYLE_H

#include <QString>
#include <QWidget>

// What the colour and font pickers share: the look of their fields, and the
// height their parts are sized from.
namespace PickerStyle {

inline const QString lineEdit = QStringLiteral(
    "QLineEdit { border: 1px solid palette(mid); } "
    "QLineEdit:focus, QLineEdit:hover { border: 1px solid palette(highlight); }");

// The swatch shows its colour flat. With a background colour alone, styles
// such as Fusion still draw their own button over it, a gradient that shows
// #ff5500 as a pale #fc9866; a border of its own makes the sheet draw the
// whole button.
inline QString swatch(const QString &colorName)
{
    return QStringLiteral("QPushButton{ background-color: ") + colorName
           + QStringLiteral("; border: 1px solid #adadad;}");
}

// The picker's height as it is being built: a widget made inside a form
// starts 30 pixels high. One made as a window of its own would start 480
// high and grow a huge swatch, so it is sized as if it were in a form.
inline int constructionHeight(const QWidget *widget)
{
    return widget->isWindow() ? 30 : widget->height();
}

} // namespace PickerStyle

#endif // PICKERSTYLE_H
