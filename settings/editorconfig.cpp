#include "editorconfig.h"

#include "filelocations.h"
#include "fontmanager.h"
#include "fontoption.h"
#include "regularfile.h"
#include "settingsreader.h"
#include "settingswriter.h"

#include <QCoreApplication>
#include <QSettings>

namespace {

EditorConfig *theInstance = nullptr;

void destroyInstance()
{
    delete theInstance;
    theInstance = nullptr;
}

const QString defaultFamily = QStringLiteral("楷体");

} // namespace

EditorConfig &EditorConfig::instance()
{
    if (!theInstance) {
        const QString path = FileLocations::forApplication().filePath(
            QStringLiteral("settings.ini"), FileLocations::Kind::Config);
        theInstance = new EditorConfig(path);
        // Saved and released with the application object, while fonts still
        // work; a static destructor would run after it.
        qAddPostRoutine(destroyInstance);
    }
    return *theInstance;
}

EditorConfig::EditorConfig(const QString &settingsPath, QObject *parent)
    : QObject(parent)
    , settings(new QSettings(RegularFile::readablePath(settingsPath), QSettings::IniFormat))
    , m_lyricFontMetrics(QFont())
    , m_scoreFontMetrics(QFont())
    , m_lyricLineNumberFontMetrics(QFont())
    , m_scoreLineNumberFontMetrics(QFont())
{
    settings->beginGroup(QStringLiteral("Editor"));
    load();
}

EditorConfig::~EditorConfig()
{
    blockSignals(true);
    save();
    delete settings;
}

QString EditorConfig::settingsPath() const
{
    return settings->fileName();
}

void EditorConfig::load()
{
    load(SettingsReader(*settings));
}

void EditorConfig::load(const SettingsReader &read)
{
    const QString notationFamily = FontManager::instance().notationFamily();

    m_lyricLineNumberFontSize = read.integer("lyricLineNumberFontSize", 14);
    m_lyricLineNumberFont = read.font("lyricLineNumberFont", defaultFamily, m_lyricLineNumberFontSize);
    m_lyricLineNumberColor = read.color("lyricLineNumberColor", QStringLiteral("#ff5500"));
    m_lyricLineNumberBgColor = read.color("lyricLineNumberBgColor", QStringLiteral("#fdfff8"));
    m_scoreLineNumberFontSize = read.integer("scoreLineNumberFontSize", 14);
    m_scoreLineNumberFont = read.font("scoreLineNumberFont", defaultFamily, m_scoreLineNumberFontSize);
    m_scoreLineNumberColor = read.color("scoreLineNumberColor", QStringLiteral("#ff5500"));
    m_scoreLineNumberBgColor = read.color("scoreLineNumberBgColor", QStringLiteral("#fdfff8"));
    m_scoreFontSize = read.integer("scoreFontSize", 16);
    m_scoreFont = read.font("scoreFont", notationFamily, m_scoreFontSize);
    m_scoreColor = read.color("scoreColor", QStringLiteral("#000000"));
    m_scoreBgColor = read.color("scoreBgColor", QStringLiteral("#ffffff"));
    m_lyricFontSize = read.integer("lyricFontSize", 16);
    m_lyricFont = read.font("lyricFont", defaultFamily, m_lyricFontSize);
    m_lyricBgColor = read.color("lyricBgColor", QStringLiteral("#ffffff"));
    m_lyricColor = read.color("lyricColor", QStringLiteral("#333333"));
    m_titleColor = read.color("titleColor", QStringLiteral("#a76f55"));
    m_jiaBaiColor = read.color("jiaBaiColor", QStringLiteral("#b76b01"));
    m_lianBaiColor = read.color("lianBaiColor", QStringLiteral("#a626a4"));
    m_quPaiColor = read.color("quPaiColor", QStringLiteral("#4078f2"));
    m_commentColor = read.color("commentColor", QStringLiteral("#a9a9a9"));
    m_biaoDianColor = read.color("biaoDianColor", QStringLiteral("#50a14f"));
    m_breakSymbolColor = read.color("breakSymbolColor", QStringLiteral("#a9a9a9"));
    m_errorColor = read.color("errorColor", QStringLiteral("#ff0000"));

    m_lyricFontMetrics = QFontMetrics(m_lyricFont);
    m_scoreFontMetrics = QFontMetrics(m_scoreFont);
    m_lyricLineNumberFontMetrics = QFontMetrics(m_lyricLineNumberFont);
    m_scoreLineNumberFontMetrics = QFontMetrics(m_scoreLineNumberFont);
}

bool EditorConfig::save()
{
    return write(false);
}

bool EditorConfig::write(bool replaceGroup)
{
    SettingsWriter::Values values;
    values.append({QStringLiteral("lyricLineNumberFontSize"), m_lyricLineNumberFontSize});
    values.append({QStringLiteral("lyricLineNumberFont"), m_lyricLineNumberFont.family()});
    values.append({QStringLiteral("lyricLineNumberColor"), m_lyricLineNumberColor.name()});
    values.append({QStringLiteral("lyricLineNumberBgColor"), m_lyricLineNumberBgColor.name()});
    values.append({QStringLiteral("scoreLineNumberFontSize"), m_scoreLineNumberFontSize});
    values.append({QStringLiteral("scoreLineNumberFont"), m_scoreLineNumberFont.family()});
    values.append({QStringLiteral("scoreLineNumberColor"), m_scoreLineNumberColor.name()});
    values.append({QStringLiteral("scoreLineNumberBgColor"), m_scoreLineNumberBgColor.name()});
    values.append({QStringLiteral("scoreFontSize"), m_scoreFontSize});
    values.append({QStringLiteral("scoreFont"), m_scoreFont.family()});
    values.append({QStringLiteral("scoreColor"), m_scoreColor.name()});
    values.append({QStringLiteral("scoreBgColor"), m_scoreBgColor.name()});
    values.append({QStringLiteral("lyricFontSize"), m_lyricFontSize});
    values.append({QStringLiteral("lyricFont"), m_lyricFont.family()});
    values.append({QStringLiteral("lyricBgColor"), m_lyricBgColor.name()});
    values.append({QStringLiteral("lyricColor"), m_lyricColor.name()});
    values.append({QStringLiteral("titleColor"), m_titleColor.name()});
    values.append({QStringLiteral("jiaBaiColor"), m_jiaBaiColor.name()});
    values.append({QStringLiteral("lianBaiColor"), m_lianBaiColor.name()});
    values.append({QStringLiteral("quPaiColor"), m_quPaiColor.name()});
    values.append({QStringLiteral("commentColor"), m_commentColor.name()});
    values.append({QStringLiteral("biaoDianColor"), m_biaoDianColor.name()});
    values.append({QStringLiteral("breakSymbolColor"), m_breakSymbolColor.name()});
    values.append({QStringLiteral("errorColor"), m_errorColor.name()});
    const bool written = SettingsWriter::write(*settings, values, replaceGroup);
    emit configChanged();
    return written;
}

bool EditorConfig::restoreDefaults()
{
    load(SettingsReader());
    return write(true);
}

void EditorConfig::setLyricLineNumberFont(const QFont &font)
{
    FontOption::setFont(m_lyricLineNumberFont, m_lyricLineNumberFontMetrics, font, m_lyricLineNumberFontSize,
                        FontOption::screenMetrics);
}

void EditorConfig::setLyricLineNumberFontSize(int size)
{
    FontOption::setSize(m_lyricLineNumberFont, m_lyricLineNumberFontMetrics, m_lyricLineNumberFontSize, size,
                        FontOption::screenMetrics);
}

void EditorConfig::setScoreLineNumberFont(const QFont &font)
{
    FontOption::setFont(m_scoreLineNumberFont, m_scoreLineNumberFontMetrics, font, m_scoreLineNumberFontSize,
                        FontOption::screenMetrics);
}

void EditorConfig::setScoreLineNumberFontSize(int size)
{
    FontOption::setSize(m_scoreLineNumberFont, m_scoreLineNumberFontMetrics, m_scoreLineNumberFontSize, size,
                        FontOption::screenMetrics);
}

void EditorConfig::setScoreFont(const QFont &font)
{
    FontOption::setFont(m_scoreFont, m_scoreFontMetrics, font, m_scoreFontSize, FontOption::screenMetrics);
}

void EditorConfig::setScoreFontSize(int size)
{
    FontOption::setSize(m_scoreFont, m_scoreFontMetrics, m_scoreFontSize, size, FontOption::screenMetrics);
}

void EditorConfig::setLyricFont(const QFont &font)
{
    FontOption::setFont(m_lyricFont, m_lyricFontMetrics, font, m_lyricFontSize, FontOption::screenMetrics);
}

void EditorConfig::setLyricFontSize(int size)
{
    FontOption::setSize(m_lyricFont, m_lyricFontMetrics, m_lyricFontSize, size, FontOption::screenMetrics);
}
