#ifndef QL_EXPORT_H
#define QL_EXPORT_H

#include "exportentry.h"

#include "stoprequest.h"

#include <QDialog>
#include <QList>

#include <memory>

class ColorBox;
class ExportConfig;
class QComboBox;
class QFontComboBox;
class QL_GenerateSVG;
class QLineEdit;
class RenderProgress;

namespace Ui {
class QL_Export;
}

// The export dialog: every export option, a live preview of the first page,
// option schemes, and the export of the document (or its printing). Options
// take effect in the configuration as soon as they change.
class QL_Export : public QDialog
{
    Q_OBJECT

public:
    // Edits the program's ExportConfig.
    QL_Export(QWidget *parent, const QList<ExportEntry> &entries);
    // Edits the given configuration, which must outlive the dialog.
    QL_Export(QWidget *parent, const QList<ExportEntry> &entries, ExportConfig &config);
    // Saves the configuration.
    ~QL_Export() override;

    QL_GenerateSVG *renderer() const { return generator; }

    // The file of the exported document, whose folder the target dialogs
    // start in; a document never saved has none.
    void setDocumentPath(const QString &path) { documentPath = path; }
    // The document's two texts, which its music (MIDI, WAV) is made from.
    void setScoreTexts(const QString &lyric, const QString &score);

signals:
    // An option changed in the configuration.
    void optionsChanged();

public slots:
    void onTitleFontChanged();
    void onLyricFontChanged();
    void onQuPaiFontChanged();
    void onDiaoMingFontChanged();
    void onLianBaiFontChanged();
    void onJiaBaiFontChanged();
    void onScoreFontChanged();

    void onTitleFontSizeChanged();
    void onLyricFontSizeChanged();
    void onQuPaiFontSizeChanged();
    void onDiaoMingFontSizeChanged();
    void onLianBaiFontSizeChanged();
    void onJiaBaiFontSizeChanged();
    void onScoreFontSizeChanged();

    void onTitleColorChanged();
    void onLyricColorChanged();
    void onQuPaiColorChanged();
    void onDiaoMingColorChanged();
    void onLianBaiColorChanged();
    void onJiaBaiColorChanged();
    void onScoreColorChanged();
    void onBanColorChanged();
    void onXiaoYanColorChanged();
    void onZhongYanColorChanged();
    void onQiangGeColorChanged();
    void onBackgroundColorChanged();
    void onBgTransparentChanged(bool transparent);
    void onIsPageNumberChanged(bool on);
    void onIsColumnRuleChanged(bool on);
    void onIsFrameChanged(bool on);

    void onPageSizeChanged(int index);
    void onIsLandscapeChanged();
    void onIsLineBreakScoreOverflowChanged();
    void onTitlePosChanged();
    void onFileTypeChanged(int index);
    void onQualityChanged(int index);

    void onPageWidthChanged();
    void onPageHeightChanged();
    void onMarginTopChanged();
    void onMarginRightChanged();
    void onMarginBottomChanged();
    void onMarginLeftChanged();
    void onColWidthChanged();
    void onLyricSpaceChanged();
    void onScoreSpaceChanged();
    void onBanYanSpaceChanged();
    void onScoreAngleChanged();
    void onLyricScoreSpaceChanged();
    void onScoreBanYanSpaceChanged();
    void onMColWidthChanged();

    void onLivePreviewChanged(int state);

    void onRestoreBtnClicked();
    void onSaveBtnClicked();
    void onImportBtnClicked();
    void onSubmitBtnClicked();
    void onPrintBtnClicked();

    void onProgressUpdate(int status, int value, int maxValue, const QString &winTitle, const QString &tip);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The music types of the export: a file dialog, the music written with
    // the music settings, and the success box as for the pages.
    void exportMusic(const QString &format);
    bool isMusicType(int index) const;

    using IntGetter = int (ExportConfig::*)() const;
    using IntSetter = void (ExportConfig::*)(int);
    using FontGetter = QFont (ExportConfig::*)() const;
    using FontSetter = void (ExportConfig::*)(const QFont &);
    using ColorGetter = QColor (ExportConfig::*)() const;
    using ColorSetter = void (ExportConfig::*)(const QColor &);
    using BoolGetter = bool (ExportConfig::*)() const;
    using BoolSetter = void (ExportConfig::*)(bool);

    void fillChoices();
    void installValidators();
    void connectSignals();
    void loadFromConfig();
    void refreshPreview(bool force);
    // Sizes and centres the preview page in its frame.
    void placePreview();
    void enablePageSizeFields(bool custom);

    // The change slots: store the widget's value when it differs from the
    // option's, and refresh the preview.
    void changeInt(const QLineEdit *edit, IntGetter get, IntSetter set);
    void changeFont(const QFontComboBox *combo, FontGetter get, FontSetter set);
    void changeColor(const ColorBox *box, ColorGetter get, ColorSetter set);
    void changeBool(const QComboBox *combo, BoolGetter get, BoolSetter set);
    void changeCheck(bool on, BoolGetter get, BoolSetter set);

    // Shows why the last export failed.
    void showWriteFailure(const QString &title, const QString &text);
    // Says where the export went, with a button that opens it.
    void showWritten(const QString &path);
    // The score's title as a file name with the suffix; the program's
    // default title for a score without one.
    QString suggestedName(const QString &suffix) const;

    Ui::QL_Export *ui;
    QL_GenerateSVG *generator;
    QList<ExportEntry> entries;
    ExportConfig *config;
    QString documentPath;
    QString musicLyric;
    QString musicScore;
    bool isLoading = false;
    // While the preview renders, its progress is not shown: it takes a few
    // milliseconds, and a window flashing at every keystroke is noise.
    bool isPreviewing = false;
    // 取消 of the progress window during an export.
    StopRequest exportStop;
    std::unique_ptr<RenderProgress> progress;
};

#endif // QL_EXPORT_H
