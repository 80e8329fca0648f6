#include "settings.h"

#include "accessiblenames.h"
#include "ui_settings.h"

#include "editorconfig.h"
#include "interfacelanguage.h"

#include <QComboBox>
#include <QLabel>

#include <QDir>
#include <QMessageBox>

Settings::Settings(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Settings)
    , config(&EditorConfig::instance())
{
    ui->setupUi(this);
    addLanguageChoice();
    AccessibleNames::nameControls(this);
    // The score editor always shows the notation font; only its size is the
    // user's to choose.
    ui->scoreFontBox->setFontEnabled(false);
    for (FontBox *box : {ui->scoreFontBox, ui->scoreLineFontBox, ui->lyricFontBox, ui->lyricLineFontBox})
        box->setRange(5, 80);
    fill();
    connect(ui->restoreBtn, &QPushButton::clicked, this, &Settings::onRestoreBtnClicked);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &Settings::onCancelBtnClick);
    connect(ui->submitBtn, &QPushButton::clicked, this, &Settings::onSubmitBtnClick);
}

Settings::~Settings()
{
    delete ui;
}

void Settings::onRestoreBtnClicked()
{
    const bool saved = config->restoreDefaults();
    fill();
    if (!saved)
        reportUnsaved();
}

void Settings::onCancelBtnClick()
{
    reject();
}

void Settings::addLanguageChoice()
{
    auto *label = new QLabel(tr("界面语言："), this);
    languageCombo = new QComboBox(this);
    languageCombo->setObjectName(QStringLiteral("languageCombo"));
    label->setBuddy(languageCombo);
    languageCombo->addItem(tr("跟随系统"), QString());
    for (const QString &code : InterfaceLanguage::available())
        languageCombo->addItem(InterfaceLanguage::nativeName(code), code);
    languageCombo->setCurrentIndex(qMax(0, languageCombo->findData(InterfaceLanguage::chosen())));
    ui->buttonLayout->insertWidget(0, label);
    ui->buttonLayout->insertWidget(1, languageCombo);
    ui->buttonLayout->insertStretch(2);
}

void Settings::onSubmitBtnClick()
{
    const QString language = languageCombo->currentData().toString();
    if (language != InterfaceLanguage::chosen()) {
        InterfaceLanguage::choose(language);
        // The texts are in place for this run; the next start speaks the
        // language chosen.
        QMessageBox::information(this, tr("提示"), tr("界面语言将在重新启动程序后更改。"));
    }
    apply();
    if (!config->save()) {
        reportUnsaved();
        return;
    }
    accept();
}

void Settings::fill()
{
    ui->scoreFontBox->setCurrentFont(config->scoreFont());
    ui->scoreFontBox->setSize(config->scoreFontSize());
    ui->scoreColorBox->setColor(config->scoreColor());
    ui->scoreBgColorBox->setColor(config->scoreBgColor());
    ui->scoreLineFontBox->setCurrentFont(config->scoreLineNumberFont());
    ui->scoreLineFontBox->setSize(config->scoreLineNumberFontSize());
    ui->scoreLineColorBox->setColor(config->scoreLineNumberColor());
    ui->scoreLineBgColorBox->setColor(config->scoreLineNumberBgColor());
    ui->lyricLineFontBox->setCurrentFont(config->lyricLineNumberFont());
    ui->lyricLineFontBox->setSize(config->lyricLineNumberFontSize());
    ui->lyricLineColorBox->setColor(config->lyricLineNumberColor());
    ui->lyricLineBgColorBox->setColor(config->lyricLineNumberBgColor());
    ui->lyricFontBox->setCurrentFont(config->lyricFont());
    ui->lyricFontBox->setSize(config->lyricFontSize());
    ui->lyricBgColorBox->setColor(config->lyricBgColor());
    ui->lyricColorBox->setColor(config->lyricColor());
    ui->titleColorBox->setColor(config->titleColor());
    ui->quPaiColorBox->setColor(config->quPaiColor());
    ui->jiaBaiColorBox->setColor(config->jiaBaiColor());
    ui->lianBaiColorBox->setColor(config->lianBaiColor());
    ui->commentColorBox->setColor(config->commentColor());
    ui->biaoDianColorBox->setColor(config->biaoDianColor());
    ui->breakSymbolColorBox->setColor(config->breakSymbolColor());
    ui->errorColorBox->setColor(config->errorColor());
}

void Settings::apply()
{
    config->setScoreFont(ui->scoreFontBox->font());
    config->setScoreFontSize(ui->scoreFontBox->size());
    config->setScoreColor(ui->scoreColorBox->color());
    config->setScoreBgColor(ui->scoreBgColorBox->color());
    config->setScoreLineNumberFont(ui->scoreLineFontBox->font());
    config->setScoreLineNumberFontSize(ui->scoreLineFontBox->size());
    config->setScoreLineNumberColor(ui->scoreLineColorBox->color());
    config->setScoreLineNumberBgColor(ui->scoreLineBgColorBox->color());
    config->setLyricLineNumberFont(ui->lyricLineFontBox->font());
    config->setLyricLineNumberFontSize(ui->lyricLineFontBox->size());
    config->setLyricLineNumberColor(ui->lyricLineColorBox->color());
    config->setLyricLineNumberBgColor(ui->lyricLineBgColorBox->color());
    config->setLyricFont(ui->lyricFontBox->font());
    config->setLyricFontSize(ui->lyricFontBox->size());
    config->setLyricBgColor(ui->lyricBgColorBox->color());
    config->setLyricColor(ui->lyricColorBox->color());
    config->setTitleColor(ui->titleColorBox->color());
    config->setQuPaiColor(ui->quPaiColorBox->color());
    config->setJiaBaiColor(ui->jiaBaiColorBox->color());
    config->setLianBaiColor(ui->lianBaiColorBox->color());
    config->setCommentColor(ui->commentColorBox->color());
    config->setBiaoDianColor(ui->biaoDianColorBox->color());
    config->setBreakSymbolColor(ui->breakSymbolColorBox->color());
    config->setErrorColor(ui->errorColorBox->color());
}

void Settings::reportUnsaved()
{
    QMessageBox::warning(this, tr("错误"),
                         tr("无法写入设置文件\"%1\"，设置未能保存。请检查该文件是否可写。")
                             .arg(QDir::toNativeSeparators(config->settingsPath())),
                         QMessageBox::Ok);
}
