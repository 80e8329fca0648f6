#include "symbolpalette.h"

#include "fontmanager.h"
#include "notation.h"
#include "scoretree.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int columns = 8;

QString codePointText(char32_t c)
{
    return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

SymbolPalette::SymbolPalette(const ScoreTree &dictionary, QWidget *parent)
    : QWidget(parent)
    , m_dictionary(dictionary)
{
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *content = new QWidget;
    auto *groups = new QVBoxLayout(content);
    groups->setContentsMargins(6, 6, 6, 6);
    scroll->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    using namespace Notation;
    addGroup(tr("工尺字"), firstNote, firstFlushRightNote - 1);
    addGroup(tr("小号工尺字"), firstFlushRightNote, lastNote);
    addGroup(tr("板眼"), touBan, yaoZengBan);
    addGroup(tr("腔格"), firstOrnament, lastOrnament);
    groups->addStretch();
    // The rows scroll down, never sideways: the dock is as wide as a row.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumWidth(content->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
}

void SymbolPalette::addGroup(const QString &title, char32_t first, char32_t last)
{
    auto *groups = static_cast<QVBoxLayout *>(findChild<QScrollArea *>()->widget()->layout());
    auto *heading = new QLabel(title);
    groups->addWidget(heading);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    groups->addLayout(grid);

    QFont font(FontManager::instance().notationFamily());
    font.setPixelSize(22);
    for (char32_t c = first; c <= last; ++c) {
        const QString symbol = Notation::symbol(c);
        auto *button = new QToolButton;
        button->setText(symbol);
        button->setFont(font);
        button->setAutoRaise(true);
        button->setFixedSize(34, 34);
        // The score editor keeps the focus, and with it its cursor and popup.
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(describe(m_dictionary, symbol));
        connect(button, &QToolButton::clicked, this, [this, symbol] { emit symbolChosen(symbol); });
        const int index = int(c - first);
        grid->addWidget(button, index / columns, index % columns);
        m_buttons.append(button);
    }
}

QString SymbolPalette::describe(const ScoreTree &dictionary, const QString &character)
{
    if (character.isEmpty())
        return QString();
    const char32_t c = Notation::codePoint(character);
    if (!Notation::isSymbol(c))
        return tr("“%1”（%2）不是曲谱符号，导出时按普通文字排印").arg(character, codePointText(c));
    QString text = dictionary.nameOf(character);
    const QStringList codes = dictionary.codesOf(character);
    if (!codes.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("　")) + tr("输入码：%1").arg(codes.join(QLatin1Char('/')));
    return text.isEmpty() ? codePointText(c) : text + QStringLiteral("　") + codePointText(c);
}
