#ifndef SYMBOLPALETTE_H
#define SYMBOLPALETTE_H

#include <QList>
#include <QString>
#include <QWidget>

class QAbstractButton;
class ScoreTree;

// Every notation symbol as a button drawn in the notation font, grouped as
// the input method's guide groups them: the notes, their small forms, the
// beat marks and the ornaments. A button's tool tip names its symbol and the
// codes that type it; a click asks for the symbol to be inserted.
class SymbolPalette : public QWidget
{
    Q_OBJECT

public:
    // Names and codes come from the dictionary, which must outlive the palette.
    explicit SymbolPalette(const ScoreTree &dictionary, QWidget *parent = nullptr);

    // The buttons in the order shown.
    QList<QAbstractButton *> buttons() const { return m_buttons; }

    // What the status bar says of a character of the score: the symbol's
    // name, codes and code point, or that it is no notation symbol.
    static QString describe(const ScoreTree &dictionary, const QString &character);

signals:
    void symbolChosen(const QString &symbol);

private:
    void addGroup(const QString &title, char32_t first, char32_t last);

    const ScoreTree &m_dictionary;
    QList<QAbstractButton *> m_buttons;
};

#endif // SYMBOLPALETTE_H
