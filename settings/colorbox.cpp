#include "colorbox.h"

#include "pickerstyle.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>

namespace {

// An emptied field counts as a wrong colour when it is left. The pattern
// alone takes "" for unfinished input, so the line edit would never report
// the edit and the field would stay blank over a colour it no longer shows.
class ColorNameValidator : public QRegularExpressionValidator
{
public:
    explicit ColorNameValidator(QObject *parent)
        : QRegularExpressionValidator(QRegularExpression(QStringLiteral("^#[0-9a-fA-F]{0,6}$")), parent)
    {
    }

    void fixup(QString &input) const override
    {
        if (input.isEmpty())
            input = QStringLiteral("#");
    }
};

} // namespace

ColorBox::ColorBox(QWidget *parent)
    : QWidget(parent)
    , lineEdit(new QLineEdit(this))
    , button(new QPushButton(this))
    , layout(new QHBoxLayout(this))
    , validator(new ColorNameValidator(this))
    , text(QStringLiteral("#ffffff"))
    , m_color(Qt::white)
{
    lineEdit->setValidator(validator);
    lineEdit->setStyleSheet(PickerStyle::lineEdit);
    lineEdit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    lineEdit->setText(text);

    button->setAutoDefault(false);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int side = PickerStyle::constructionHeight(this) - 4 * frame;
    button->setFixedSize(side, side);
    button->setStyleSheet(PickerStyle::swatch(text));

    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lineEdit);
    layout->addWidget(button, 0);

    connect(button, &QPushButton::clicked, this, &ColorBox::onPushButtonClicked);
    connect(lineEdit, &QLineEdit::editingFinished, this, &ColorBox::onLineEditChanged);
}

void ColorBox::setColor(const QColor &color)
{
    if (!color.isValid())
        return;
    accept(color);
    lineEdit->setText(text);
}

void ColorBox::onPushButtonClicked()
{
    const QColor picked = QColorDialog::getColor(m_color, this, tr("选择颜色"));
    if (!picked.isValid())
        return;
    setColor(picked);
    emit colorChanged(m_color);
}

void ColorBox::onLineEditChanged()
{
    const QColor parsed = QColor::fromString(lineEdit->text());
    if (parsed.isValid()) {
        // The field keeps what was typed ("#abc" stays short); the swatch
        // and the colour take the full name.
        accept(parsed);
        emit colorChanged(m_color);
        return;
    }
    QMessageBox::warning(this, tr("警告"), tr("错误的颜色值!"), QMessageBox::Ok);
    lineEdit->setText(text);
    lineEdit->setFocus();
}

void ColorBox::accept(const QColor &color)
{
    m_color = color;
    text = color.name();
    button->setStyleSheet(PickerStyle::swatch(text));
}

void ColorBox::setAccessibleNames(const QString &name)
{
    setAccessibleName(name);
    lineEdit->setAccessibleName(name);
    button->setAccessibleName(tr("%1 选色").arg(name));
    button->setToolTip(tr("选择%1").arg(name));
}
