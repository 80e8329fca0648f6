#include "ql_export.h"

#include "accessiblenames.h"
#include "ui_ql_export.h"

#include "clampingintvalidator.h"
#include "colorbox.h"
#include "exportconfig.h"
#include "exporttarget.h"
#include "interchangefile.h"
#include "interchangesave.h"
#include "layoutoptions.h"
#include "musicconfig.h"
#include "musicexport.h"
#include "musicsynth.h"
#include "ql_generatesvg.h"
#include "recentfolders.h"
#include "renderprogress.h"
#include "scoreprinter.h"
#include "scorewriter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSize>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>

namespace {

// A numeric field's value: text that is no decimal number, or too large for
// an int, counts as 0.
int fieldValue(const QLineEdit *edit)
{
    bool ok = false;
    const int value = edit->text().toInt(&ok, 10);
    return ok ? value : 0;
}

void setField(QLineEdit *edit, int value)
{
    edit->setText(QString::number(value));
}

// A typed file name without a suffix gets the one its filter names.
QString withSuffix(const QString &path, const QString &suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

QL_Export::QL_Export(QWidget *parent, const QList<ExportEntry> &entries)
    : QL_Export(parent, entries, ExportConfig::instance())
{
}

QL_Export::QL_Export(QWidget *parent, const QList<ExportEntry> &entries, ExportConfig &config)
    : QDialog(parent)
    , ui(new Ui::QL_Export)
    , config(&config)
    , progress(std::make_unique<RenderProgress>(this))
{
    ui->setupUi(this);
    AccessibleNames::nameControls(this);
    progress->setStopRequest(&exportStop);
    this->entries = entries;
    generator = new QL_GenerateSVG(config, this);
    fillChoices();
    installValidators();
    loadFromConfig();
    // Connected only now, so that filling the form calls no slot.
    connectSignals();
    ui->previewFrame->installEventFilter(this);
    // The wheel scrolls the options; it changes a choice only once the user
    // has clicked into it, not while the list scrolls past under the mouse.
    for (QComboBox *combo : ui->optionsWidget->findChildren<QComboBox *>()) {
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(this);
    }
    refreshPreview(true);
}

QL_Export::~QL_Export()
{
    config->save();
    progress.reset();
    delete ui;
    delete generator;
}

void QL_Export::fillChoices()
{
    for (const auto &option : config->pageSizeOptions)
        ui->pageSizeCombo->addItem(QCoreApplication::translate("ExportConfig", option.first.toUtf8().constData()), int(option.second));
    // The list is as wide as its longest size, whatever the combo's width.
    int longest = 0;
    for (int i = 0; i < ui->pageSizeCombo->count(); ++i)
        longest = qMax(longest, ui->pageSizeCombo->fontMetrics().horizontalAdvance(ui->pageSizeCombo->itemText(i)));
    ui->pageSizeCombo->view()->setMinimumWidth(longest + 2 * ui->pageSizeCombo->iconSize().width());
    for (const auto &option : config->orientationOptions)
        ui->orientationCombo->addItem(QCoreApplication::translate("ExportConfig", option.first.toUtf8().constData()), option.second);
    for (const auto &option : config->overflowOptions)
        ui->overflowCombo->addItem(QCoreApplication::translate("ExportConfig", option.first.toUtf8().constData()), option.second);
    for (const auto &option : config->titlePosOptions)
        ui->titlePosCombo->addItem(QCoreApplication::translate("ExportConfig", option.first.toUtf8().constData()), option.second);

    const QString icons = QStringLiteral(":/icons/resources/icons/filetype_%1.png");
    for (const QString &type : ExportConfig::exportTypes)
        ui->fileTypeCombo->addItem(QIcon(icons.arg(type)), type, type);
    // The score's music: no pages, so the page options do not apply.
    ui->fileTypeCombo->addItem(tr("MIDI 音乐"), QStringLiteral("mid"));
    ui->fileTypeCombo->addItem(tr("WAV 音频"), QStringLiteral("wav"));
    // Files for other programs, made from the music rather than the pages.
    ui->fileTypeCombo->addItem(tr("乐谱交换 MusicXML"), QStringLiteral("musicxml"));
    if (InterchangeFile::isFormat(QStringLiteral("mxl")))
        ui->fileTypeCombo->addItem(tr("乐谱交换 MusicXML（压缩 .mxl）"), QStringLiteral("mxl"));
    ui->fileTypeCombo->addItem(tr("简谱文本"), QStringLiteral("jianpu"));
    ui->fileTypeCombo->addItem(tr("文字谱文本"), QStringLiteral("txt"));
    ui->qualityCombo->addItems({tr("低（DPI=96）"), tr("中（DPI=160）"),
                                tr("高（DPI=300）"), tr("超高（DPI=600）")});

    ui->scoreFontCombo->setEnabled(false);
    ui->scoreFontCombo->setEditable(false);
}

void QL_Export::installValidators()
{
    const struct {
        QLineEdit *edit;
        int minimum;
        int maximum;
    } ranges[] = {
        {ui->titleFontSizeEdit, 5, 300},       {ui->lyricFontSizeEdit, 5, 300},
        {ui->scoreFontSizeEdit, 5, 300},       {ui->quPaiFontSizeEdit, 5, 300},
        {ui->diaoMingFontSizeEdit, 5, 300},    {ui->lianBaiFontSizeEdit, 5, 300},
        {ui->jiaBaiFontSizeEdit, 5, 300},      {ui->pageWidthEdit, 10, 10000},
        {ui->pageHeightEdit, 10, 10000},       {ui->marginTopEdit, 0, 10000},
        {ui->marginBottomEdit, 0, 10000},      {ui->marginLeftEdit, 0, 10000},
        {ui->marginRightEdit, 0, 10000},       {ui->lyricSpaceEdit, -200, 200},
        {ui->scoreSpaceEdit, -200, 200},       {ui->banYanSpaceEdit, -200, 200},
        {ui->lyricScoreSpaceEdit, -200, 200},  {ui->scoreBanYanSpaceEdit, -200, 200},
        {ui->mColWidthEdit, -200, 200},        {ui->colWidthEdit, 10, 10000},
        {ui->scoreAngleEdit, -360, 360},
    };
    for (const auto &range : ranges) {
        range.edit->setValidator(new ClampingIntValidator(range.minimum, range.maximum, range.edit));
        range.edit->setPlaceholderText(QStringLiteral("%1~%2").arg(range.minimum).arg(range.maximum));
    }
}

void QL_Export::connectSignals()
{
    const struct {
        QFontComboBox *combo;
        void (QL_Export::*slot)();
    } fonts[] = {
        {ui->titleFontCombo, &QL_Export::onTitleFontChanged},
        {ui->lyricFontCombo, &QL_Export::onLyricFontChanged},
        {ui->quPaiFontCombo, &QL_Export::onQuPaiFontChanged},
        {ui->diaoMingFontCombo, &QL_Export::onDiaoMingFontChanged},
        {ui->lianBaiFontCombo, &QL_Export::onLianBaiFontChanged},
        {ui->jiaBaiFontCombo, &QL_Export::onJiaBaiFontChanged},
        {ui->scoreFontCombo, &QL_Export::onScoreFontChanged},
    };
    for (const auto &font : fonts)
        connect(font.combo, &QFontComboBox::currentFontChanged, this, font.slot);

    const struct {
        QLineEdit *edit;
        void (QL_Export::*slot)();
    } fields[] = {
        {ui->titleFontSizeEdit, &QL_Export::onTitleFontSizeChanged},
        {ui->lyricFontSizeEdit, &QL_Export::onLyricFontSizeChanged},
        {ui->quPaiFontSizeEdit, &QL_Export::onQuPaiFontSizeChanged},
        {ui->diaoMingFontSizeEdit, &QL_Export::onDiaoMingFontSizeChanged},
        {ui->lianBaiFontSizeEdit, &QL_Export::onLianBaiFontSizeChanged},
        {ui->jiaBaiFontSizeEdit, &QL_Export::onJiaBaiFontSizeChanged},
        {ui->scoreFontSizeEdit, &QL_Export::onScoreFontSizeChanged},
        {ui->pageWidthEdit, &QL_Export::onPageWidthChanged},
        {ui->pageHeightEdit, &QL_Export::onPageHeightChanged},
        {ui->marginTopEdit, &QL_Export::onMarginTopChanged},
        {ui->marginRightEdit, &QL_Export::onMarginRightChanged},
        {ui->marginBottomEdit, &QL_Export::onMarginBottomChanged},
        {ui->marginLeftEdit, &QL_Export::onMarginLeftChanged},
        {ui->colWidthEdit, &QL_Export::onColWidthChanged},
        {ui->lyricSpaceEdit, &QL_Export::onLyricSpaceChanged},
        {ui->scoreSpaceEdit, &QL_Export::onScoreSpaceChanged},
        {ui->banYanSpaceEdit, &QL_Export::onBanYanSpaceChanged},
        {ui->scoreAngleEdit, &QL_Export::onScoreAngleChanged},
        {ui->lyricScoreSpaceEdit, &QL_Export::onLyricScoreSpaceChanged},
        {ui->scoreBanYanSpaceEdit, &QL_Export::onScoreBanYanSpaceChanged},
        {ui->mColWidthEdit, &QL_Export::onMColWidthChanged},
    };
    for (const auto &field : fields)
        connect(field.edit, &QLineEdit::editingFinished, this, field.slot);

    const struct {
        ColorBox *box;
        void (QL_Export::*slot)();
    } colors[] = {
        {ui->titleColorBox, &QL_Export::onTitleColorChanged},
        {ui->lyricColorBox, &QL_Export::onLyricColorChanged},
        {ui->scoreColorBox, &QL_Export::onScoreColorChanged},
        {ui->quPaiColorBox, &QL_Export::onQuPaiColorChanged},
        {ui->diaoMingColorBox, &QL_Export::onDiaoMingColorChanged},
        {ui->lianBaiColorBox, &QL_Export::onLianBaiColorChanged},
        {ui->jiaBaiColorBox, &QL_Export::onJiaBaiColorChanged},
        {ui->banColorBox, &QL_Export::onBanColorChanged},
        {ui->xiaoYanColorBox, &QL_Export::onXiaoYanColorChanged},
        {ui->zhongYanColorBox, &QL_Export::onZhongYanColorChanged},
        {ui->qiangGeColorBox, &QL_Export::onQiangGeColorChanged},
        {ui->backgroundColorBox, &QL_Export::onBackgroundColorChanged},
    };
    for (const auto &color : colors)
        connect(color.box, &ColorBox::colorChanged, this, color.slot);
    connect(ui->bgTransparentCheck, &QCheckBox::toggled, this, &QL_Export::onBgTransparentChanged);
    connect(ui->pageNumberCheck, &QCheckBox::toggled, this, &QL_Export::onIsPageNumberChanged);
    connect(ui->columnRuleCheck, &QCheckBox::toggled, this, &QL_Export::onIsColumnRuleChanged);
    connect(ui->frameCheck, &QCheckBox::toggled, this, &QL_Export::onIsFrameChanged);

    connect(ui->pageSizeCombo, &QComboBox::currentIndexChanged, this, &QL_Export::onPageSizeChanged);
    connect(ui->orientationCombo, &QComboBox::currentIndexChanged, this, &QL_Export::onIsLandscapeChanged);
    connect(ui->overflowCombo, &QComboBox::currentIndexChanged, this,
            &QL_Export::onIsLineBreakScoreOverflowChanged);
    connect(ui->titlePosCombo, &QComboBox::currentIndexChanged, this, &QL_Export::onTitlePosChanged);
    connect(ui->fileTypeCombo, &QComboBox::currentIndexChanged, this, &QL_Export::onFileTypeChanged);
    connect(ui->qualityCombo, &QComboBox::currentIndexChanged, this, &QL_Export::onQualityChanged);
    connect(ui->livePreviewCheck, &QCheckBox::stateChanged, this, &QL_Export::onLivePreviewChanged);

    connect(ui->restoreBtn, &QPushButton::clicked, this, &QL_Export::onRestoreBtnClicked);
    connect(ui->saveBtn, &QPushButton::clicked, this, &QL_Export::onSaveBtnClicked);
    connect(ui->importBtn, &QPushButton::clicked, this, &QL_Export::onImportBtnClicked);
    connect(ui->submitBtn, &QPushButton::clicked, this, &QL_Export::onSubmitBtnClicked);
    connect(ui->printBtn, &QPushButton::clicked, this, &QL_Export::onPrintBtnClicked);
    connect(generator, &QL_GenerateSVG::progressUpdate, this, &QL_Export::onProgressUpdate);
}

void QL_Export::loadFromConfig()
{
    isLoading = true;
    ui->titleFontCombo->setCurrentFont(config->titleFont());
    ui->lyricFontCombo->setCurrentFont(config->lyricFont());
    ui->scoreFontCombo->setCurrentFont(config->scoreFont());
    ui->quPaiFontCombo->setCurrentFont(config->quPaiFont());
    ui->diaoMingFontCombo->setCurrentFont(config->diaoMingFont());
    ui->lianBaiFontCombo->setCurrentFont(config->lianBaiFont());
    ui->jiaBaiFontCombo->setCurrentFont(config->jiaBaiFont());
    setField(ui->titleFontSizeEdit, config->titleFontSize());
    setField(ui->lyricFontSizeEdit, config->lyricFontSize());
    setField(ui->scoreFontSizeEdit, config->scoreFontSize());
    setField(ui->quPaiFontSizeEdit, config->quPaiFontSize());
    setField(ui->diaoMingFontSizeEdit, config->diaoMingFontSize());
    setField(ui->lianBaiFontSizeEdit, config->lianBaiFontSize());
    setField(ui->jiaBaiFontSizeEdit, config->jiaBaiFontSize());

    ui->titleColorBox->setColor(config->titleColor());
    ui->lyricColorBox->setColor(config->lyricColor());
    ui->scoreColorBox->setColor(config->scoreColor());
    ui->quPaiColorBox->setColor(config->quPaiColor());
    ui->diaoMingColorBox->setColor(config->diaoMingColor());
    ui->lianBaiColorBox->setColor(config->lianBaiColor());
    ui->jiaBaiColorBox->setColor(config->jiaBaiColor());
    ui->banColorBox->setColor(config->banColor());
    ui->xiaoYanColorBox->setColor(config->xiaoYanColor());
    ui->zhongYanColorBox->setColor(config->zhongYanColor());
    ui->qiangGeColorBox->setColor(config->qiangGeColor());
    ui->backgroundColorBox->setColor(config->backgroundColor());
    ui->bgTransparentCheck->setChecked(config->isBgTransparent());

    ui->pageSizeCombo->setCurrentIndex(ui->pageSizeCombo->findData(int(config->pageSizeId())));
    ui->orientationCombo->setCurrentIndex(ui->orientationCombo->findData(config->isLandscape()));
    setField(ui->pageWidthEdit, config->pageWidth());
    setField(ui->pageHeightEdit, config->pageHeight());
    // The page-size slot leaves the fields alone when the size is the
    // configured one already, as it is after a restore or an import.
    enablePageSizeFields(config->pageSizeId() == QPageSize::Custom);
    setField(ui->marginTopEdit, config->marginTop());
    setField(ui->marginBottomEdit, config->marginBottom());
    setField(ui->marginLeftEdit, config->marginLeft());
    setField(ui->marginRightEdit, config->marginRight());
    ui->overflowCombo->setCurrentIndex(ui->overflowCombo->findData(config->isLineBreakScoreOverflow()));
    ui->pageNumberCheck->setChecked(config->isPageNumber());
    ui->columnRuleCheck->setChecked(config->isColumnRule());
    ui->frameCheck->setChecked(config->isFrame());

    setField(ui->lyricSpaceEdit, config->lyricSpace());
    setField(ui->scoreSpaceEdit, config->scoreSpace());
    setField(ui->banYanSpaceEdit, config->banYanSpace());
    setField(ui->lyricScoreSpaceEdit, config->lyricScoreSpace());
    setField(ui->scoreBanYanSpaceEdit, config->scoreBanYanSpace());
    setField(ui->mColWidthEdit, config->mColWidth());
    setField(ui->colWidthEdit, config->colWidth());
    setField(ui->scoreAngleEdit, config->scoreAngle());
    ui->titlePosCombo->setCurrentIndex(ui->titlePosCombo->findData(config->titlePos()));
    ui->livePreviewCheck->setChecked(config->isLivePreview());
    ui->fileTypeCombo->setCurrentIndex(qMax(0, int(ExportConfig::exportTypes.indexOf(config->exportType()))));
    ui->qualityCombo->setCurrentIndex(config->dpiLevel());
    onFileTypeChanged(ui->fileTypeCombo->currentIndex());
    isLoading = false;
}

void QL_Export::enablePageSizeFields(bool custom)
{
    ui->pageWidthEdit->setEnabled(custom);
    ui->pageHeightEdit->setEnabled(custom);
}

// --- Change slots ---

void QL_Export::changeInt(const QLineEdit *edit, IntGetter get, IntSetter set)
{
    if (isLoading)
        return;
    const int value = fieldValue(edit);
    if (value == (config->*get)())
        return;
    (config->*set)(value);
    refreshPreview(false);
}

void QL_Export::changeFont(const QFontComboBox *combo, FontGetter get, FontSetter set)
{
    if (isLoading)
        return;
    const QFont font = combo->currentFont();
    if (font.family() == (config->*get)().family())
        return;
    (config->*set)(font);
    refreshPreview(false);
}

void QL_Export::changeColor(const ColorBox *box, ColorGetter get, ColorSetter set)
{
    if (isLoading)
        return;
    const QColor color = box->color();
    if (color == (config->*get)())
        return;
    (config->*set)(color);
    refreshPreview(false);
}

void QL_Export::changeBool(const QComboBox *combo, BoolGetter get, BoolSetter set)
{
    if (isLoading)
        return;
    const bool value = combo->currentData().toBool();
    if (value == (config->*get)())
        return;
    (config->*set)(value);
    refreshPreview(false);
}

void QL_Export::changeCheck(bool on, BoolGetter get, BoolSetter set)
{
    if (isLoading || on == (config->*get)())
        return;
    (config->*set)(on);
    refreshPreview(false);
}

void QL_Export::onTitleFontChanged() { changeFont(ui->titleFontCombo, &ExportConfig::titleFont, &ExportConfig::setTitleFont); }
void QL_Export::onLyricFontChanged() { changeFont(ui->lyricFontCombo, &ExportConfig::lyricFont, &ExportConfig::setLyricFont); }
void QL_Export::onQuPaiFontChanged() { changeFont(ui->quPaiFontCombo, &ExportConfig::quPaiFont, &ExportConfig::setQuPaiFont); }
void QL_Export::onDiaoMingFontChanged() { changeFont(ui->diaoMingFontCombo, &ExportConfig::diaoMingFont, &ExportConfig::setDiaoMingFont); }
void QL_Export::onLianBaiFontChanged() { changeFont(ui->lianBaiFontCombo, &ExportConfig::lianBaiFont, &ExportConfig::setLianBaiFont); }
void QL_Export::onJiaBaiFontChanged() { changeFont(ui->jiaBaiFontCombo, &ExportConfig::jiaBaiFont, &ExportConfig::setJiaBaiFont); }

// The notation needs the program's own font: only its size is an option.
void QL_Export::onScoreFontChanged() {}

void QL_Export::onTitleFontSizeChanged() { changeInt(ui->titleFontSizeEdit, &ExportConfig::titleFontSize, &ExportConfig::setTitleFontSize); }
void QL_Export::onLyricFontSizeChanged() { changeInt(ui->lyricFontSizeEdit, &ExportConfig::lyricFontSize, &ExportConfig::setLyricFontSize); }
void QL_Export::onQuPaiFontSizeChanged() { changeInt(ui->quPaiFontSizeEdit, &ExportConfig::quPaiFontSize, &ExportConfig::setQuPaiFontSize); }
void QL_Export::onDiaoMingFontSizeChanged() { changeInt(ui->diaoMingFontSizeEdit, &ExportConfig::diaoMingFontSize, &ExportConfig::setDiaoMingFontSize); }
void QL_Export::onLianBaiFontSizeChanged() { changeInt(ui->lianBaiFontSizeEdit, &ExportConfig::lianBaiFontSize, &ExportConfig::setLianBaiFontSize); }
void QL_Export::onJiaBaiFontSizeChanged() { changeInt(ui->jiaBaiFontSizeEdit, &ExportConfig::jiaBaiFontSize, &ExportConfig::setJiaBaiFontSize); }
void QL_Export::onScoreFontSizeChanged() { changeInt(ui->scoreFontSizeEdit, &ExportConfig::scoreFontSize, &ExportConfig::setScoreFontSize); }

void QL_Export::onTitleColorChanged() { changeColor(ui->titleColorBox, &ExportConfig::titleColor, &ExportConfig::setTitleColor); }
void QL_Export::onLyricColorChanged() { changeColor(ui->lyricColorBox, &ExportConfig::lyricColor, &ExportConfig::setLyricColor); }
void QL_Export::onQuPaiColorChanged() { changeColor(ui->quPaiColorBox, &ExportConfig::quPaiColor, &ExportConfig::setQuPaiColor); }
void QL_Export::onDiaoMingColorChanged() { changeColor(ui->diaoMingColorBox, &ExportConfig::diaoMingColor, &ExportConfig::setDiaoMingColor); }
void QL_Export::onLianBaiColorChanged() { changeColor(ui->lianBaiColorBox, &ExportConfig::lianBaiColor, &ExportConfig::setLianBaiColor); }
void QL_Export::onJiaBaiColorChanged() { changeColor(ui->jiaBaiColorBox, &ExportConfig::jiaBaiColor, &ExportConfig::setJiaBaiColor); }
void QL_Export::onScoreColorChanged() { changeColor(ui->scoreColorBox, &ExportConfig::scoreColor, &ExportConfig::setScoreColor); }
void QL_Export::onBanColorChanged() { changeColor(ui->banColorBox, &ExportConfig::banColor, &ExportConfig::setBanColor); }
void QL_Export::onXiaoYanColorChanged() { changeColor(ui->xiaoYanColorBox, &ExportConfig::xiaoYanColor, &ExportConfig::setXiaoYanColor); }
void QL_Export::onZhongYanColorChanged() { changeColor(ui->zhongYanColorBox, &ExportConfig::zhongYanColor, &ExportConfig::setZhongYanColor); }
void QL_Export::onQiangGeColorChanged() { changeColor(ui->qiangGeColorBox, &ExportConfig::qiangGeColor, &ExportConfig::setQiangGeColor); }
void QL_Export::onBackgroundColorChanged() { changeColor(ui->backgroundColorBox, &ExportConfig::backgroundColor, &ExportConfig::setBackgroundColor); }

void QL_Export::onBgTransparentChanged(bool transparent)
{
    if (isLoading || transparent == config->isBgTransparent())
        return;
    config->setIsBgTransparent(transparent);
    refreshPreview(false);
}

void QL_Export::onIsPageNumberChanged(bool on) { changeCheck(on, &ExportConfig::isPageNumber, &ExportConfig::setIsPageNumber); }
void QL_Export::onIsColumnRuleChanged(bool on) { changeCheck(on, &ExportConfig::isColumnRule, &ExportConfig::setIsColumnRule); }
void QL_Export::onIsFrameChanged(bool on) { changeCheck(on, &ExportConfig::isFrame, &ExportConfig::setIsFrame); }

void QL_Export::onPageSizeChanged(int index)
{
    if (index < 0)
        return;
    const auto id = static_cast<QPageSize::PageSizeId>(ui->pageSizeCombo->itemData(index).toInt());
    if (id == config->pageSizeId())
        return;
    config->setPageSizeId(id);
    if (id == QPageSize::Custom) {
        enablePageSizeFields(true);
        return;
    }
    enablePageSizeFields(false);
    const QSize size = QPageSize(id).sizePoints();
    setField(ui->pageWidthEdit, size.width());
    setField(ui->pageHeightEdit, size.height());
    if (isLoading)
        return;
    config->setPageWidth(size.width());
    config->setPageHeight(size.height());
    refreshPreview(false);
}

void QL_Export::onIsLandscapeChanged() { changeBool(ui->orientationCombo, &ExportConfig::isLandscape, &ExportConfig::setIsLandscape); }
void QL_Export::onIsLineBreakScoreOverflowChanged() { changeBool(ui->overflowCombo, &ExportConfig::isLineBreakScoreOverflow, &ExportConfig::setIsLineBreakScoreOverflow); }

void QL_Export::onTitlePosChanged()
{
    if (isLoading)
        return;
    int position = ui->titlePosCombo->currentData().toInt();
    if (position < 0 || position > 2)
        position = 0;
    if (position == config->titlePos())
        return;
    config->setTitlePos(position);
    refreshPreview(false);
}

void QL_Export::onFileTypeChanged(int index)
{
    // Only images have a resolution.
    ui->qualityCombo->setEnabled(index == 1 || index == 2);
    // Music and files for other programs are made without pages.
    const bool music = isMusicType(index) || InterchangeFile::isFormat(ui->fileTypeCombo->itemData(index).toString());
    for (QWidget *pageOptions : {static_cast<QWidget *>(ui->fontGroup), static_cast<QWidget *>(ui->pageGroup),
                                 static_cast<QWidget *>(ui->colorGroup), static_cast<QWidget *>(ui->spaceGroup)})
        pageOptions->setEnabled(!music);
    if (!isLoading && index >= 0 && index < ExportConfig::exportTypes.size())
        config->setExportType(ExportConfig::exportTypes.at(index));
}

void QL_Export::onQualityChanged(int index)
{
    if (!isLoading && index >= 0)
        config->setDpiLevel(index);
}

void QL_Export::onPageWidthChanged()
{
    if (ui->pageWidthEdit->isEnabled())
        changeInt(ui->pageWidthEdit, &ExportConfig::pageWidth, &ExportConfig::setPageWidth);
}

void QL_Export::onPageHeightChanged()
{
    if (ui->pageHeightEdit->isEnabled())
        changeInt(ui->pageHeightEdit, &ExportConfig::pageHeight, &ExportConfig::setPageHeight);
}

void QL_Export::onMarginTopChanged() { changeInt(ui->marginTopEdit, &ExportConfig::marginTop, &ExportConfig::setMarginTop); }
void QL_Export::onMarginRightChanged() { changeInt(ui->marginRightEdit, &ExportConfig::marginRight, &ExportConfig::setMarginRight); }
void QL_Export::onMarginBottomChanged() { changeInt(ui->marginBottomEdit, &ExportConfig::marginBottom, &ExportConfig::setMarginBottom); }
void QL_Export::onMarginLeftChanged() { changeInt(ui->marginLeftEdit, &ExportConfig::marginLeft, &ExportConfig::setMarginLeft); }
void QL_Export::onColWidthChanged() { changeInt(ui->colWidthEdit, &ExportConfig::colWidth, &ExportConfig::setColWidth); }
void QL_Export::onLyricSpaceChanged() { changeInt(ui->lyricSpaceEdit, &ExportConfig::lyricSpace, &ExportConfig::setLyricSpace); }
void QL_Export::onScoreSpaceChanged() { changeInt(ui->scoreSpaceEdit, &ExportConfig::scoreSpace, &ExportConfig::setScoreSpace); }
void QL_Export::onBanYanSpaceChanged() { changeInt(ui->banYanSpaceEdit, &ExportConfig::banYanSpace, &ExportConfig::setBanYanSpace); }
void QL_Export::onScoreAngleChanged() { changeInt(ui->scoreAngleEdit, &ExportConfig::scoreAngle, &ExportConfig::setScoreAngle); }
void QL_Export::onLyricScoreSpaceChanged() { changeInt(ui->lyricScoreSpaceEdit, &ExportConfig::lyricScoreSpace, &ExportConfig::setLyricScoreSpace); }
void QL_Export::onScoreBanYanSpaceChanged() { changeInt(ui->scoreBanYanSpaceEdit, &ExportConfig::scoreBanYanSpace, &ExportConfig::setScoreBanYanSpace); }
void QL_Export::onMColWidthChanged() { changeInt(ui->mColWidthEdit, &ExportConfig::mColWidth, &ExportConfig::setMColWidth); }

void QL_Export::onLivePreviewChanged(int state)
{
    const bool on = state == Qt::Checked;
    if (on == config->isLivePreview())
        return;
    config->setIsLivePreview(on);
    if (on)
        refreshPreview(true);
}

// --- Preview ---

void QL_Export::refreshPreview(bool force)
{
    emit optionsChanged();
    if (!config->isLivePreview() && !force)
        return;
    isPreviewing = true;
    generator->reset();
    generator->generate(entries, true);
    isPreviewing = false;
    placePreview();
    ui->previewWidget->load(generator->svgPage(0));
}

void QL_Export::placePreview()
{
    const QSize page = generator->pageSize();
    const QSize frame = ui->previewFrame->size();
    double scale = 0;
    if (page.width() > 0 && page.height() > 0)
        scale = qMin(0.9 * frame.width() / page.width(), 0.9 * frame.height() / page.height());
    ui->previewWidget->setFixedSize(qRound(scale * page.width()), qRound(scale * page.height()));
    ui->previewWidget->move((frame.width() - ui->previewWidget->width()) / 2,
                            (frame.height() - ui->previewWidget->height()) / 2);
}

bool QL_Export::eventFilter(QObject *watched, QEvent *event)
{
    // The frame has its final size only once the dialog is laid out.
    if (watched == ui->previewFrame && event->type() == QEvent::Resize)
        placePreview();
    if (event->type() == QEvent::Wheel) {
        auto *combo = qobject_cast<QComboBox *>(watched);
        if (combo && !combo->hasFocus()) {
            QCoreApplication::sendEvent(ui->optionsScrollArea->verticalScrollBar(), event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Buttons ---

void QL_Export::onRestoreBtnClicked()
{
    config->restoreDefaults();
    loadFromConfig();
    refreshPreview(true);
}

void QL_Export::onSaveBtnClicked()
{
    const RecentFolders folders(config->settingsPath());
    const QString name = withSuffix(
        QFileDialog::getSaveFileName(this, tr("保存方案"), folders.startPath(RecentFolders::Kind::Scheme, QString()),
                                     tr("JSON文件 (*.json)")),
        QStringLiteral("json"));
    if (name.isEmpty())
        return;
    folders.remember(RecentFolders::Kind::Scheme, name);
    if (config->saveScheme(name))
        QMessageBox::information(this, tr("成功"), tr("保存成功！"));
    else
        QMessageBox::warning(this, tr("错误"), tr("保存失败！"));
}

void QL_Export::onImportBtnClicked()
{
    const RecentFolders folders(config->settingsPath());
    const QString name = QFileDialog::getOpenFileName(
        this, tr("导入方案"), folders.startPath(RecentFolders::Kind::Scheme, QString()), tr("JSON文件 (*.json)"));
    if (name.isEmpty())
        return;
    folders.remember(RecentFolders::Kind::Scheme, name);
    if (config->loadScheme(name)) {
        loadFromConfig();
        refreshPreview(true);
        QMessageBox::information(this, tr("成功"), tr("导入成功！"));
    } else {
        QMessageBox::warning(this, tr("错误"), tr("导入失败，文件错误！"));
    }
}

void QL_Export::onSubmitBtnClicked()
{
    const int type = ui->fileTypeCombo->currentIndex();
    if (isMusicType(type)) {
        exportMusic(ui->fileTypeCombo->currentData().toString());
        return;
    }
    int level = ui->qualityCombo->currentIndex();
    if (level < 1 || level > 3)
        level = 0;

    // An empty score would export blank pages: nothing to ask a place for.
    if (!hasPrintableLine(entries)) {
        QMessageBox::warning(this, tr("提示"), tr("曲谱为空，没有可导出的内容。"));
        return;
    }
    const RecentFolders folders(config->settingsPath());
    const QString folder = folders.startPath(RecentFolders::Kind::Export, documentPath);
    const QString interchange = ui->fileTypeCombo->currentData().toString();
    if (InterchangeFile::isFormat(interchange)) {
        const QString written = InterchangeSave::run(this, interchange, entries,
                                                     QDir(folder).filePath(suggestedName(QStringLiteral("txt"))));
        if (!written.isEmpty()) {
            folders.remember(RecentFolders::Kind::Export, written);
            showWritten(written);
            accept();
        }
        return;
    }
    // Nor are pages whose margins leave no room for a character.
    const QString refusal = LayoutOptions::refusal(*config);
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, tr("提示"), refusal);
        return;
    }

    QString target;
    switch (type) {
    case 0:
        target = withSuffix(QFileDialog::getSaveFileName(this, tr("导出为PDF文件"),
                                                         QDir(folder).filePath(suggestedName(QStringLiteral("pdf"))),
                                                         tr("PDF文件 (*.pdf)")),
                            QStringLiteral("pdf"));
        break;
    case 1:
        target = QFileDialog::getExistingDirectory(this, tr("导出为JPG文件"), folder);
        break;
    case 2:
        target = QFileDialog::getExistingDirectory(this, tr("导出为PNG文件"), folder);
        break;
    case 3:
        target = QFileDialog::getExistingDirectory(this, tr("导出为SVG文件"), folder);
        break;
    default:
        return;
    }
    if (target.isEmpty())
        return;
    folders.remember(RecentFolders::Kind::Export, target);

    // A place that cannot be written is told before the score is laid out.
    const ExportFailure unwritable =
        ExportTarget::check(target, type == 0 ? ExportTarget::Kind::File : ExportTarget::Kind::Folder);
    if (!unwritable.isEmpty()) {
        showWriteFailure(unwritable.title,
                         unwritable.text + QLatin1Char('\n') + QDir::toNativeSeparators(unwritable.path));
        return;
    }

    // 取消 in the progress window stops the rendering and the writing.
    exportStop.clear();
    generator->setStopRequest(&exportStop);
    generator->reset();
    generator->generate(entries, false);
    if (!generator->warnings().isEmpty() && !generator->isStopRequested()) {
        // Options the page could not honour were set as near as it allows.
        QMessageBox::warning(this, tr("提示"),
                             tr("以下设置超出页面所能容纳，已按可排范围导出：\n%1")
                                 .arg(generator->warnings().join(QLatin1Char('\n'))));
    }
    ScoreWriter writer(*generator);
    bool written = false;
    switch (type) {
    case 0:
        written = writer.writePdf(target);
        break;
    case 1:
        written = writer.writeImages(target, level, QStringLiteral("jpg"));
        break;
    case 2:
        written = writer.writeImages(target, level, QStringLiteral("png"));
        break;
    default:
        written = writer.writeSvg(target);
        break;
    }
    generator->setStopRequest(nullptr);
    if (!written) {
        // Stopped by the user, who needs no box to say so.
        if (writer.failure().text != ScoreWriter::stoppedText())
            showWriteFailure(writer.failure().title, writer.failure().message());
        return;
    }
    showWritten(writer.writtenPath());
    accept();
}

void QL_Export::setScoreTexts(const QString &lyric, const QString &score)
{
    musicLyric = lyric;
    musicScore = score;
}

bool QL_Export::isMusicType(int index) const
{
    const QString type = ui->fileTypeCombo->itemData(index).toString();
    return type == QLatin1String("mid") || type == QLatin1String("wav");
}

void QL_Export::exportMusic(const QString &format)
{
    const bool wav = format == QLatin1String("wav");
    if (wav && !MusicSynth::isAvailable()) {
        QMessageBox::warning(this, tr("提示"), MusicSynth::unavailableReason());
        return;
    }
    const RecentFolders folders(config->settingsPath());
    const QString folder = folders.startPath(RecentFolders::Kind::Export, documentPath);
    const QString target = withSuffix(
        QFileDialog::getSaveFileName(this, wav ? tr("导出为WAV文件") : tr("导出为MIDI文件"),
                                     QDir(folder).filePath(suggestedName(format)),
                                     wav ? tr("WAV文件 (*.wav)") : tr("MIDI文件 (*.mid *.midi)")),
        format);
    if (target.isEmpty())
        return;
    folders.remember(RecentFolders::Kind::Export, target);
    const ExportFailure unwritable = ExportTarget::check(target, ExportTarget::Kind::File);
    if (!unwritable.isEmpty()) {
        showWriteFailure(unwritable.title,
                         unwritable.text + QLatin1Char('\n') + QDir::toNativeSeparators(unwritable.path));
        return;
    }
    MusicConfig music(config->settingsPath());
    music.load();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const MusicExport::Outcome outcome =
        MusicExport::write(musicLyric, musicScore, target, format, music.settings(), music.soundFont);
    QApplication::restoreOverrideCursor();
    if (outcome.result != MusicExport::Result::Written) {
        showWriteFailure(tr("错误"), outcome.error);
        return;
    }
    // What the music leaves out is said; the file is written all the same.
    if (!outcome.warnings.isEmpty())
        QMessageBox::warning(this, tr("提示"), outcome.warnings.join(QLatin1Char('\n')));
    showWritten(target);
    accept();
}

QString QL_Export::suggestedName(const QString &suffix) const
{
    const QString name = RecentFolders::fileNameFor(scoreTitle(entries), suffix);
    return name.isEmpty() ? RecentFolders::fileNameFor(QL_GenerateSVG::defaultTitle, suffix) : name;
}

void QL_Export::showWritten(const QString &path)
{
    QMessageBox box(QMessageBox::Information, tr("成功"), tr("导出成功！"), QMessageBox::Ok, this);
    box.setInformativeText(QFileInfo(path).isDir() ? tr("已写入文件夹：%1").arg(QDir::toNativeSeparators(path))
                                                   : tr("已写入文件：%1").arg(QDir::toNativeSeparators(path)));
    QPushButton *open = box.addButton(tr("打开"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QL_Export::showWriteFailure(const QString &title, const QString &text)
{
    // Every failed export ends in a box, the writers' own silent cases too.
    QMessageBox::warning(nullptr, title.isEmpty() ? tr("提示") : title,
                         text.isEmpty() ? tr("导出失败！") : text);
}

void QL_Export::onPrintBtnClicked()
{
    ScorePrinter(*generator).printDocument(this, entries, documentPath);
}

void QL_Export::onProgressUpdate(int status, int value, int maxValue, const QString &winTitle, const QString &tip)
{
    if (isPreviewing)
        return;
    progress->update(status, value, maxValue, winTitle, tip);
}
