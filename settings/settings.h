#ifndef SETTINGS_H
#define SETTINGS_H

#include <QDialog>

class EditorConfig;

namespace Ui {
class Settings;
}

// The settings dialog: every font, size and colour of the two editors, their
// gutters and the lyric line types. The fields are read only when the user
// confirms; until then the configuration is untouched.
class Settings : public QDialog
{
    Q_OBJECT

public:
    explicit Settings(QWidget *parent = nullptr);
    ~Settings() override;

private slots:
    void onRestoreBtnClicked();
    void onCancelBtnClick();
    void onSubmitBtnClick();

private:
    void fill();
    void apply();
    // Tells the user that the settings file could not be written.
    void reportUnsaved();

    Ui::Settings *ui;
    EditorConfig *config;
};

#endif // SETTINGS_H
