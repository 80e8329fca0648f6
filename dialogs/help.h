#ifndef HELP_H
#define HELP_H

#include <QDialog>

namespace Ui {
class Help;
}

// The user guide of the score input method: its codes, suffixes and examples,
// with every notation symbol shown in the notation font.
class Help : public QDialog
{
    Q_OBJECT

public:
    explicit Help(QWidget *parent = nullptr);
    ~Help() override;

    // The page as the dialog shows it.
    static QString pageHtml();

private:
    Ui::Help *ui;
};

#endif // HELP_H
