#include "accessiblenames.h"

#include "colorbox.h"
#include "fontbox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

namespace {

bool isControl(const QWidget *widget)
{
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
           || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
           || qobject_cast<const QAbstractSlider *>(widget) || qobject_cast<const QPlainTextEdit *>(widget)
           || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QAbstractItemView *>(widget)
           || qobject_cast<const ColorBox *>(widget) || qobject_cast<const FontBox *>(widget);
}

// The parts of a picker are named by the picker.
bool isPickerPart(const QWidget *widget)
{
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (qobject_cast<const ColorBox *>(parent) || qobject_cast<const FontBox *>(parent)
            || qobject_cast<const QComboBox *>(parent) || qobject_cast<const QAbstractSpinBox *>(parent))
            return true;
    }
    return false;
}

// The layout, at any depth below top, that holds the widget itself.
QLayout *findLayoutOf(QLayout *top, QWidget *widget)
{
    if (!top)
        return nullptr;
    if (top->indexOf(widget) >= 0)
        return top;
    for (int i = 0; i < top->count(); ++i) {
        if (QLayout *found = findLayoutOf(top->itemAt(i)->layout(), widget))
            return found;
    }
    return nullptr;
}

// The label before the widget in its grid or form row; a list of fonts
// between them makes the widget that font's size.
QString labelBefore(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    if (!parent || !parent->layout())
        return QString();
    auto *grid = qobject_cast<QGridLayout *>(parent->layout());
    if (auto *form = qobject_cast<QFormLayout *>(parent->layout())) {
        auto *label = qobject_cast<QLabel *>(form->labelForField(widget));
        return label ? AccessibleNames::fromLabel(label->text()) : QString();
    }
    // In a row of widgets, the label just before.
    if (!grid) {
        QLayout *layout = findLayoutOf(parent->layout(), widget);
        const int at = layout ? layout->indexOf(widget) : -1;
        QLayoutItem *before = at > 0 ? layout->itemAt(at - 1) : nullptr;
        auto *label = before ? qobject_cast<QLabel *>(before->widget()) : nullptr;
        if (!label)
            return QString();
        if (!label->buddy())
            label->setBuddy(widget);
        return AccessibleNames::fromLabel(label->text());
    }
    const int index = grid->indexOf(widget);
    if (index < 0)
        return QString();
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    bool afterFontList = false;
    for (int c = column - 1; c >= 0; --c) {
        QLayoutItem *item = grid->itemAtPosition(row, c);
        if (!item || !item->widget())
            continue;
        if (auto *label = qobject_cast<QLabel *>(item->widget())) {
            const QString text = AccessibleNames::fromLabel(label->text());
            if (!afterFontList) {
                if (!label->buddy())
                    label->setBuddy(widget);
                return text;
            }
            return QCoreApplication::translate("AccessibleNames", "%1 字号").arg(text);
        }
        if (!qobject_cast<QFontComboBox *>(item->widget()))
            return QString();
        afterFontList = true;
    }
    return QString();
}

QString labelOf(QWidget *widget, const QList<QLabel *> &labels)
{
    for (QLabel *label : labels) {
        if (label->buddy() == widget && !label->text().isEmpty())
            return AccessibleNames::fromLabel(label->text());
    }
    return labelBefore(widget);
}

QString groupOf(const QWidget *widget)
{
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto *group = qobject_cast<const QGroupBox *>(parent))
            return AccessibleNames::fromLabel(group->title());
    }
    return QString();
}

void name(QWidget *widget, const QString &text)
{
    if (auto *colorBox = qobject_cast<ColorBox *>(widget))
        colorBox->setAccessibleNames(text);
    else if (auto *fontBox = qobject_cast<FontBox *>(widget))
        fontBox->setAccessibleNames(text);
    else
        widget->setAccessibleName(text);
    // An editable list has a field of its own inside.
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(text);
}

} // namespace

QString AccessibleNames::fromLabel(const QString &text)
{
    QString name = text;
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|（&.）")));
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(0xFF1A)))
        name.chop(1);
    return name.trimmed();
}

void AccessibleNames::nameControls(QWidget *root)
{
    const QList<QLabel *> labels = root->findChildren<QLabel *>();
    QList<QPair<QWidget *, QString>> unnamed;
    QHash<QString, int> uses;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (!isControl(widget) || isPickerPart(widget) || !widget->accessibleName().isEmpty())
            continue;
        // A button with a text is named by it.
        if (auto *button = qobject_cast<QAbstractButton *>(widget); button && !button->text().isEmpty())
            continue;
        QString text = labelOf(widget, labels);
        if (text.isEmpty())
            text = fromLabel(widget->toolTip());
        if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && text.isEmpty())
            text = edit->placeholderText();
        if (text.isEmpty())
            continue;
        unnamed.append({widget, text});
        ++uses[text];
    }
    for (const auto &[widget, text] : std::as_const(unnamed)) {
        const QString group = groupOf(widget);
        name(widget, uses.value(text) > 1 && !group.isEmpty() ? group + QLatin1Char(' ') + text : text);
    }
}
