#ifndef ABOUT_H
#define ABOUT_H

#include <QDialog>

namespace Ui {
class About;
}

// What the program is, its version and how to reach its makers.
class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);
    ~About() override;

    // The page as the dialog shows it.
    static QString pageHtml();

private:
    Ui::About *ui;
};

#endif // ABOUT_H
