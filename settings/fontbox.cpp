#include "fontbox.h"

#include "pickerstyle.h"

#include <QFontComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>

namespace {

// A size out of range is brought into it when the field is left or Return is
// pressed. A plain QIntValidator leaves "3" or "95" in a 5–80 field as
// unfinished input: the line edit then never reports the edit and the field
// keeps a size the option cannot take.
class SizeValidator : public QIntValidator
{
public:
    SizeValidator(int bottom, int top, QObject *parent)
        : QIntValidator(bottom, top, parent)
    {
    }

    void fixup(QString &input) const override
    {
        bool ok = false;
        const int value = input.trimmed().toInt(&ok);
        if (ok)
            input = QString::number(qBound(bottom(), value, top()));
    }
};

} // namespace

FontBox::FontBox(QWidget *parent)
    : QWidget(parent)
    , fontCombo(new QFontComboBox(this))
    , sizeEdit(new QLineEdit(this))
    , validator(new SizeValidator(5, 300, this))
    , layout(new QHBoxLayout(this))
{
    fontCombo->setEditable(false);
    fontCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const int height = PickerStyle::constructionHeight(this);
    sizeEdit->setValidator(validator);
    sizeEdit->setStyleSheet(PickerStyle::lineEdit);
    sizeEdit->setText(QString::number(validator->bottom()));
    sizeEdit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    sizeEdit->setMinimumWidth(int(height * 1.2));
    sizeEdit->setMaximumWidth(int(height * 1.6));

    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fontCombo, 1);
    layout->addWidget(sizeEdit, 0);

    connect(sizeEdit, &QLineEdit::editingFinished, this, &FontBox::onLineEditChanged);
    connect(fontCombo, &QFontComboBox::currentFontChanged, this, &FontBox::onFontChanged);
}

void FontBox::setRange(int min, int max)
{
    validator->setRange(min, max);
    sizeEdit->setPlaceholderText(QString::number(min) + QLatin1Char('~') + QString::number(max));
}

void FontBox::setCurrentFont(const QFont &font)
{
    fontCombo->setCurrentFont(font);
    givenFamily = font.family();
}

void FontBox::setSize(int n)
{
    sizeEdit->setText(QString::number(n));
}

QFont FontBox::font() const
{
    QFont font = fontCombo->currentFont();
    if (!givenFamily.isEmpty())
        font.setFamily(givenFamily);
    font.setPointSize(size());
    return font;
}

int FontBox::size() const
{
    const QString text = sizeEdit->text().trimmed();
    if (text.isEmpty())
        return validator->bottom();
    return qBound(validator->bottom(), text.toInt(), validator->top());
}

void FontBox::setFontEnabled(bool enabled)
{
    fontCombo->setEnabled(enabled);
}

void FontBox::onLineEditChanged()
{
    const QString text = sizeEdit->text().trimmed();
    if (!text.isEmpty()) {
        const int clamped = qBound(validator->bottom(), text.toInt(), validator->top());
        if (QString::number(clamped) != sizeEdit->text())
            sizeEdit->setText(QString::number(clamped));
    }
    emit fontChanged(font(), size());
}

void FontBox::onFontChanged()
{
    givenFamily.clear();
    emit fontChanged(font(), size());
}

void FontBox::setAccessibleNames(const QString &name)
{
    setAccessibleName(name);
    fontCombo->setAccessibleName(name);
    sizeEdit->setAccessibleName(tr("%1 字号").arg(name));
}
