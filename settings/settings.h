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
    // 界面语言: follow the system, or one of the languages of the interface.
    void addLanguageChoice();
    void fill();
    void apply();
    // Tells the user that the settings file could not be written.
    void reportUnsaved();

    Ui::Settings *ui;
    class QComboBox *languageCombo = nullptr;
    EditorConfig *config;
};

#endif // SETTINGS_H
