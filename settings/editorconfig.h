#ifndef EDITORCONFIG_H
#define EDITORCONFIG_H

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QObject>
#include <QString>

class QSettings;
class SettingsReader;

// The look of the two editors: fonts, sizes and colours of the score and lyric
// editors and their gutters, and the colours of the lyric line types. Kept in
// the group "Editor" of "settings.ini"; the editors re-apply it on
// configChanged(). Setters neither save nor signal: save() does both.
class EditorConfig : public QObject
{
    Q_OBJECT

public:
    // The configuration of the program, on the settings file of its
    // FileLocations; written back when the application object goes away.
    static EditorConfig &instance();

    // A configuration on the given INI file, loaded at once.
    explicit EditorConfig(const QString &settingsPath, QObject *parent = nullptr);
    // Saves without signalling, so that the file holds every key after a run.
    ~EditorConfig() override;

    QString settingsPath() const;

    void load();
    // Writes every key, then emits configChanged(). False when the settings
    // file could not be written; it is then as it was before.
    bool save();
    // Puts every option back to its default and saves; false as for save().
    bool restoreDefaults();

    QFont lyricLineNumberFont() const { return m_lyricLineNumberFont; }
    void setLyricLineNumberFont(const QFont &font);
    int lyricLineNumberFontSize() const { return m_lyricLineNumberFontSize; }
    void setLyricLineNumberFontSize(int size);
    QColor lyricLineNumberColor() const { return m_lyricLineNumberColor; }
    void setLyricLineNumberColor(const QColor &color) { m_lyricLineNumberColor = color; }
    QColor lyricLineNumberBgColor() const { return m_lyricLineNumberBgColor; }
    void setLyricLineNumberBgColor(const QColor &color) { m_lyricLineNumberBgColor = color; }
    QFont scoreLineNumberFont() const { return m_scoreLineNumberFont; }
    void setScoreLineNumberFont(const QFont &font);
    int scoreLineNumberFontSize() const { return m_scoreLineNumberFontSize; }
    void setScoreLineNumberFontSize(int size);
    QColor scoreLineNumberColor() const { return m_scoreLineNumberColor; }
    void setScoreLineNumberColor(const QColor &color) { m_scoreLineNumberColor = color; }
    QColor scoreLineNumberBgColor() const { return m_scoreLineNumberBgColor; }
    void setScoreLineNumberBgColor(const QColor &color) { m_scoreLineNumberBgColor = color; }
    QFont scoreFont() const { return m_scoreFont; }
    void setScoreFont(const QFont &font);
    int scoreFontSize() const { return m_scoreFontSize; }
    void setScoreFontSize(int size);
    QColor scoreColor() const { return m_scoreColor; }
    void setScoreColor(const QColor &color) { m_scoreColor = color; }
    QColor scoreBgColor() const { return m_scoreBgColor; }
    void setScoreBgColor(const QColor &color) { m_scoreBgColor = color; }
    QFont lyricFont() const { return m_lyricFont; }
    void setLyricFont(const QFont &font);
    int lyricFontSize() const { return m_lyricFontSize; }
    void setLyricFontSize(int size);
    QColor lyricBgColor() const { return m_lyricBgColor; }
    void setLyricBgColor(const QColor &color) { m_lyricBgColor = color; }
    QColor titleColor() const { return m_titleColor; }
    void setTitleColor(const QColor &color) { m_titleColor = color; }
    QColor lyricColor() const { return m_lyricColor; }
    void setLyricColor(const QColor &color) { m_lyricColor = color; }
    QColor jiaBaiColor() const { return m_jiaBaiColor; }
    void setJiaBaiColor(const QColor &color) { m_jiaBaiColor = color; }
    QColor lianBaiColor() const { return m_lianBaiColor; }
    void setLianBaiColor(const QColor &color) { m_lianBaiColor = color; }
    QColor quPaiColor() const { return m_quPaiColor; }
    void setQuPaiColor(const QColor &color) { m_quPaiColor = color; }
    QColor commentColor() const { return m_commentColor; }
    void setCommentColor(const QColor &color) { m_commentColor = color; }
    QColor biaoDianColor() const { return m_biaoDianColor; }
    void setBiaoDianColor(const QColor &color) { m_biaoDianColor = color; }
    QColor breakSymbolColor() const { return m_breakSymbolColor; }
    void setBreakSymbolColor(const QColor &color) { m_breakSymbolColor = color; }
    QColor errorColor() const { return m_errorColor; }
    void setErrorColor(const QColor &color) { m_errorColor = color; }

    QFontMetrics lyricFontMetrics() const { return m_lyricFontMetrics; }
    QFontMetrics scoreFontMetrics() const { return m_scoreFontMetrics; }
    QFontMetrics lyricLineNumberFontMetrics() const { return m_lyricLineNumberFontMetrics; }
    QFontMetrics scoreLineNumberFontMetrics() const { return m_scoreLineNumberFontMetrics; }

signals:
    void configChanged();

private:
    void load(const SettingsReader &read);
    bool write(bool replaceGroup);
    QSettings *settings;
    QFont m_lyricLineNumberFont;
    int m_lyricLineNumberFontSize = 0;
    QColor m_lyricLineNumberColor;
    QColor m_lyricLineNumberBgColor;
    QFont m_scoreLineNumberFont;
    int m_scoreLineNumberFontSize = 0;
    QColor m_scoreLineNumberColor;
    QColor m_scoreLineNumberBgColor;
    QFont m_scoreFont;
    int m_scoreFontSize = 0;
    QColor m_scoreColor;
    QColor m_scoreBgColor;
    QFont m_lyricFont;
    int m_lyricFontSize = 0;
    QColor m_lyricBgColor;
    QColor m_titleColor;
    QColor m_lyricColor;
    QColor m_jiaBaiColor;
    QColor m_lianBaiColor;
    QColor m_quPaiColor;
    QColor m_commentColor;
    QColor m_biaoDianColor;
    QColor m_breakSymbolColor;
    QColor m_errorColor;
    QFontMetrics m_lyricFontMetrics;
    QFontMetrics m_scoreFontMetrics;
    QFontMetrics m_lyricLineNumberFontMetrics;
    QFontMetrics m_scoreLineNumberFontMetrics;
};

#endif // EDITORCONFIG_H
