#ifndef EXPORTCONFIG_H
#define EXPORTCONFIG_H

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QList>
#include <QPageSize>
#include <QPair>
#include <QString>
#include <QStringList>

class QSettings;
class SettingsReader;

// Every option that shapes an exported score: page, fonts, colours, spacings,
// angle, title position and the preview switch. Kept in the group "Export" of
// "settings.ini", and carried whole in JSON scheme files. The renderer only
// reads it; the export dialog edits it through the setters.
class ExportConfig
{
public:
    // The configuration of the program, on the settings file of its
    // FileLocations; written back when the application object goes away.
    static ExportConfig &instance();
    // True once instance() has built the configuration of the program.
    static bool exists();

    // Whether the options go back to the file when the configuration goes
    // away. An export from the command line only reads the user's settings.
    enum class WriteBack { OnDestruction, Never };

    // A configuration on the given INI file, loaded at once.
    explicit ExportConfig(const QString &settingsPath, WriteBack writeBack = WriteBack::OnDestruction);
    // Saves (unless made with WriteBack::Never), so that the options of the
    // last run are always written back.
    ~ExportConfig();

    // Metrics of a font as the pages measure it, in points.
    static QFontMetrics pageFontMetrics(const QFont &font);
    static QFontMetricsF pageFontMetricsF(const QFont &font);

    ExportConfig(const ExportConfig &) = delete;
    ExportConfig &operator=(const ExportConfig &) = delete;

    // The choices the export dialog offers, as (display text, value).
    const QList<QPair<QString, QPageSize::PageSizeId>> pageSizeOptions;
    const QList<QPair<QString, bool>> orientationOptions;
    const QList<QPair<QString, bool>> overflowOptions;
    const QList<QPair<QString, int>> titlePosOptions;

    QString settingsPath() const;

    // Reads every option; numbers are brought into the ranges the export
    // dialog accepts.
    void load();
    // Writes every option; false, with the settings file as it was, when it
    // could not be written.
    bool save();
    bool restoreDefaults();
    // Writes the current options as one JSON object; false when the file
    // could not be written.
    bool saveScheme(const QString &path);
    // Stores every member of the JSON object in the settings and reloads;
    // false, changing nothing, when the file is unreadable or no object.
    bool loadScheme(const QString &path);

    // Setters store their value, except that a standard page size also sets
    // the page width and height, a font keeps its option's point size, and a
    // font size is applied to its own font and rebuilds only its metrics.

    int pageWidth() const { return m_pageWidth; }
    void setPageWidth(int value) { m_pageWidth = value; }
    int pageHeight() const { return m_pageHeight; }
    void setPageHeight(int value) { m_pageHeight = value; }
    QPageSize::PageSizeId pageSizeId() const { return m_pageSizeId; }
    void setPageSizeId(QPageSize::PageSizeId value);
    int marginTop() const { return m_marginTop; }
    void setMarginTop(int value) { m_marginTop = value; }
    int marginBottom() const { return m_marginBottom; }
    void setMarginBottom(int value) { m_marginBottom = value; }
    int marginLeft() const { return m_marginLeft; }
    void setMarginLeft(int value) { m_marginLeft = value; }
    int marginRight() const { return m_marginRight; }
    void setMarginRight(int value) { m_marginRight = value; }
    int titleFontSize() const { return m_titleFontSize; }
    void setTitleFontSize(int value);
    int lyricFontSize() const { return m_lyricFontSize; }
    void setLyricFontSize(int value);
    int scoreFontSize() const { return m_scoreFontSize; }
    void setScoreFontSize(int value);
    int quPaiFontSize() const { return m_quPaiFontSize; }
    void setQuPaiFontSize(int value);
    int diaoMingFontSize() const { return m_diaoMingFontSize; }
    void setDiaoMingFontSize(int value);
    int lianBaiFontSize() const { return m_lianBaiFontSize; }
    void setLianBaiFontSize(int value);
    int jiaBaiFontSize() const { return m_jiaBaiFontSize; }
    void setJiaBaiFontSize(int value);
    QFont titleFont() const { return m_titleFont; }
    void setTitleFont(const QFont &value);
    QFont lyricFont() const { return m_lyricFont; }
    void setLyricFont(const QFont &value);
    QFont scoreFont() const { return m_scoreFont; }
    void setScoreFont(const QFont &value);
    QFont quPaiFont() const { return m_quPaiFont; }
    void setQuPaiFont(const QFont &value);
    QFont diaoMingFont() const { return m_diaoMingFont; }
    void setDiaoMingFont(const QFont &value);
    QFont lianBaiFont() const { return m_lianBaiFont; }
    void setLianBaiFont(const QFont &value);
    QFont jiaBaiFont() const { return m_jiaBaiFont; }
    void setJiaBaiFont(const QFont &value);
    QColor titleColor() const { return m_titleColor; }
    void setTitleColor(const QColor &value) { m_titleColor = value; }
    QColor lyricColor() const { return m_lyricColor; }
    void setLyricColor(const QColor &value) { m_lyricColor = value; }
    QColor quPaiColor() const { return m_quPaiColor; }
    void setQuPaiColor(const QColor &value) { m_quPaiColor = value; }
    QColor diaoMingColor() const { return m_diaoMingColor; }
    void setDiaoMingColor(const QColor &value) { m_diaoMingColor = value; }
    QColor lianBaiColor() const { return m_lianBaiColor; }
    void setLianBaiColor(const QColor &value) { m_lianBaiColor = value; }
    QColor jiaBaiColor() const { return m_jiaBaiColor; }
    void setJiaBaiColor(const QColor &value) { m_jiaBaiColor = value; }
    QColor scoreColor() const { return m_scoreColor; }
    void setScoreColor(const QColor &value) { m_scoreColor = value; }
    QColor banColor() const { return m_banColor; }
    void setBanColor(const QColor &value) { m_banColor = value; }
    QColor xiaoYanColor() const { return m_xiaoYanColor; }
    void setXiaoYanColor(const QColor &value) { m_xiaoYanColor = value; }
    QColor zhongYanColor() const { return m_zhongYanColor; }
    void setZhongYanColor(const QColor &value) { m_zhongYanColor = value; }
    QColor qiangGeColor() const { return m_qiangGeColor; }
    void setQiangGeColor(const QColor &value) { m_qiangGeColor = value; }
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor &value) { m_backgroundColor = value; }
    bool isBgTransparent() const { return m_isBgTransparent; }
    void setIsBgTransparent(bool value) { m_isBgTransparent = value; }
    bool isLandscape() const { return m_isLandscape; }
    void setIsLandscape(bool value) { m_isLandscape = value; }
    bool isLineBreakScoreOverflow() const { return m_isLineBreakScoreOverflow; }
    void setIsLineBreakScoreOverflow(bool value) { m_isLineBreakScoreOverflow = value; }
    // The page's number at its foot, rules between its columns, and a frame
    // around its content area; all off, the page is the score alone.
    bool isPageNumber() const { return m_isPageNumber; }
    void setIsPageNumber(bool value) { m_isPageNumber = value; }
    bool isColumnRule() const { return m_isColumnRule; }
    void setIsColumnRule(bool value) { m_isColumnRule = value; }
    bool isFrame() const { return m_isFrame; }
    void setIsFrame(bool value) { m_isFrame = value; }
    int colWidth() const { return m_colWidth; }
    void setColWidth(int value) { m_colWidth = value; }
    int lyricSpace() const { return m_lyricSpace; }
    void setLyricSpace(int value) { m_lyricSpace = value; }
    int scoreSpace() const { return m_scoreSpace; }
    void setScoreSpace(int value) { m_scoreSpace = value; }
    int banYanSpace() const { return m_banYanSpace; }
    void setBanYanSpace(int value) { m_banYanSpace = value; }
    int scoreAngle() const { return m_scoreAngle; }
    void setScoreAngle(int value) { m_scoreAngle = value; }
    int lyricScoreSpace() const { return m_lyricScoreSpace; }
    void setLyricScoreSpace(int value) { m_lyricScoreSpace = value; }
    int scoreBanYanSpace() const { return m_scoreBanYanSpace; }
    void setScoreBanYanSpace(int value) { m_scoreBanYanSpace = value; }
    int mColWidth() const { return m_mColWidth; }
    void setMColWidth(int value) { m_mColWidth = value; }
    int titlePos() const { return m_titlePos; }
    void setTitlePos(int value) { m_titlePos = value; }
    bool isLivePreview() const { return m_isLivePreview; }
    void setIsLivePreview(bool value) { m_isLivePreview = value; }
    // What the export dialog writes, one of exportTypes, and the image
    // quality level (0 to 3: 96, 160, 300 or 600 dpi) of JPG and PNG pages.
    static const QStringList exportTypes;
    QString exportType() const { return m_exportType; }
    void setExportType(const QString &value) { m_exportType = value; }
    int dpiLevel() const { return m_dpiLevel; }
    void setDpiLevel(int value) { m_dpiLevel = value; }

    QFontMetrics titleFontMetrics() const { return m_titleFontMetrics; }
    QFontMetrics lyricFontMetrics() const { return m_lyricFontMetrics; }
    QFontMetrics scoreFontMetrics() const { return m_scoreFontMetrics; }
    QFontMetrics quPaiFontMetrics() const { return m_quPaiFontMetrics; }
    QFontMetrics diaoMingFontMetrics() const { return m_diaoMingFontMetrics; }
    QFontMetrics lianBaiFontMetrics() const { return m_lianBaiFontMetrics; }
    QFontMetrics jiaBaiFontMetrics() const { return m_jiaBaiFontMetrics; }

private:
    void load(const SettingsReader &read);
    bool write(bool replaceGroup);
    void rebuildFontMetrics();

    QSettings *settings;
    const WriteBack m_writeBack;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    QPageSize::PageSizeId m_pageSizeId = QPageSize::A4;
    int m_marginTop = 0;
    int m_marginBottom = 0;
    int m_marginLeft = 0;
    int m_marginRight = 0;
    QColor m_backgroundColor;
    int m_titleFontSize = 0;
    int m_lyricFontSize = 0;
    int m_scoreFontSize = 0;
    int m_quPaiFontSize = 0;
    int m_diaoMingFontSize = 0;
    int m_lianBaiFontSize = 0;
    int m_jiaBaiFontSize = 0;
    QFont m_titleFont;
    QFont m_lyricFont;
    QFont m_scoreFont;
    QFont m_quPaiFont;
    QFont m_diaoMingFont;
    QFont m_lianBaiFont;
    QFont m_jiaBaiFont;
    QFontMetrics m_titleFontMetrics;
    QFontMetrics m_lyricFontMetrics;
    QFontMetrics m_scoreFontMetrics;
    QFontMetrics m_quPaiFontMetrics;
    QFontMetrics m_diaoMingFontMetrics;
    QFontMetrics m_lianBaiFontMetrics;
    QFontMetrics m_jiaBaiFontMetrics;
    QColor m_titleColor;
    QColor m_lyricColor;
    QColor m_quPaiColor;
    QColor m_diaoMingColor;
    QColor m_lianBaiColor;
    QColor m_jiaBaiColor;
    QColor m_scoreColor;
    QColor m_banColor;
    QColor m_xiaoYanColor;
    QColor m_zhongYanColor;
    QColor m_qiangGeColor;
    bool m_isBgTransparent = false;
    bool m_isLandscape = false;
    bool m_isLineBreakScoreOverflow = false;
    bool m_isPageNumber = false;
    bool m_isColumnRule = false;
    bool m_isFrame = false;
    int m_colWidth = 0;
    int m_lyricSpace = 0;
    int m_scoreSpace = 0;
    int m_banYanSpace = 0;
    int m_lyricScoreSpace = 0;
    int m_scoreBanYanSpace = 0;
    int m_scoreAngle = 0;
    int m_mColWidth = 0;
    int m_titlePos = 0;
    bool m_isLivePreview = false;
    QString m_exportType;
    int m_dpiLevel = 0;
};

#endif // EXPORTCONFIG_H
