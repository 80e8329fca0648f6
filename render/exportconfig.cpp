#include "exportconfig.h"

#include "atomicfile.h"
#include "filelocations.h"
#include "fontmanager.h"
#include "fontoption.h"
#include "pagemetrics.h"
#include "regularfile.h"
#include "settingsreader.h"
#include "settingswriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace {

ExportConfig *theInstance = nullptr;

void destroyInstance()
{
    delete theInstance;
    theInstance = nullptr;
}

const QString defaultFamily = QStringLiteral("楷体");

enum class ValueType { Int, Bool, Text };

// The type of each option in a scheme file; keys not listed are carried over
// as the store holds them.
ValueType schemeType(const QString &key)
{
    static const QStringList booleans = {"isBgTransparent", "isLandscape",
                                         "isLineBreakScoreOverflow", "isPageNumber",
                                         "isColumnRule", "isFrame", "isLivePreview"};
    static const QStringList integers = {
        "pageWidth", "pageHeight", "pageSizeId",
        "marginTop", "marginBottom", "marginLeft", "marginRight",
        "titleFontSize", "lyricFontSize", "scoreFontSize", "quPaiFontSize",
        "diaoMingFontSize", "lianBaiFontSize", "jiaBaiFontSize",
        "colWidth", "lyricSpace", "scoreSpace", "banYanSpace", "scoreAngle",
        "lyricScoreSpace", "scoreBanYanSpace", "mColWidth", "titlePos", "dpiLevel"};
    if (booleans.contains(key))
        return ValueType::Bool;
    if (integers.contains(key))
        return ValueType::Int;
    return ValueType::Text;
}

// A stored page-size value names a Qt page size or, if it names none, the
// custom size: an identifier out of range would index past Qt's size table.
QPageSize::PageSizeId toPageSizeId(const QVariant &value)
{
    bool ok = false;
    const int id = value.toInt(&ok);
    if (!ok || id < 0 || id > QPageSize::LastPageSize)
        return QPageSize::Custom;
    return static_cast<QPageSize::PageSizeId>(id);
}

} // namespace

QFontMetricsF ExportConfig::pageFontMetricsF(const QFont &font)
{
    return PageMetrics::fontMetricsF(font);
}

QFontMetrics ExportConfig::pageFontMetrics(const QFont &font)
{
    return PageMetrics::fontMetrics(font);
}

const QStringList ExportConfig::exportTypes = {QStringLiteral("pdf"), QStringLiteral("jpg"), QStringLiteral("png"),
                                               QStringLiteral("svg")};

ExportConfig &ExportConfig::instance()
{
    if (!theInstance) {
        const QString path = FileLocations::forApplication().filePath(
            QStringLiteral("settings.ini"), FileLocations::Kind::Config);
        theInstance = new ExportConfig(path);
        // Saved and released with the application object, while fonts still
        // work; a static destructor would run after it.
        qAddPostRoutine(destroyInstance);
    }
    return *theInstance;
}

bool ExportConfig::exists()
{
    return theInstance != nullptr;
}

ExportConfig::ExportConfig(const QString &settingsPath, WriteBack writeBack)
    : pageSizeOptions({{QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "自定义")), QPageSize::Custom},
                       {QStringLiteral("A1 (1684, 2384)"), QPageSize::A1},
                       {QStringLiteral("A2 (1191, 1684)"), QPageSize::A2},
                       {QStringLiteral("A3 (842, 1191)"), QPageSize::A3},
                       {QStringLiteral("A4 (595, 842)"), QPageSize::A4},
                       {QStringLiteral("A5 (420, 595)"), QPageSize::A5},
                       {QStringLiteral("A6 (297, 420)"), QPageSize::A6},
                       {QStringLiteral("B1 (2004, 2835)"), QPageSize::B1},
                       {QStringLiteral("B2 (1417, 2004)"), QPageSize::B2},
                       {QStringLiteral("B3 (1001, 1417)"), QPageSize::B3},
                       {QStringLiteral("B4 (709, 1001)"), QPageSize::B4}})
    , orientationOptions({{QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "纵向")), false}, {QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "横向")), true}})
    , overflowOptions({{QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "换行")), true}, {QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "不换行")), false}})
    , titlePosOptions({{QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "顶部")), 0},
                       {QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "居中")), 1},
                       {QStringLiteral(QT_TRANSLATE_NOOP("ExportConfig", "底部")), 2}})
    , settings(new QSettings(RegularFile::readablePath(settingsPath), QSettings::IniFormat))
    , m_writeBack(writeBack)
    , m_titleFontMetrics(QFont())
    , m_lyricFontMetrics(QFont())
    , m_scoreFontMetrics(QFont())
    , m_quPaiFontMetrics(QFont())
    , m_diaoMingFontMetrics(QFont())
    , m_lianBaiFontMetrics(QFont())
    , m_jiaBaiFontMetrics(QFont())
{
    settings->beginGroup(QStringLiteral("Export"));
    load();
}

ExportConfig::~ExportConfig()
{
    if (m_writeBack == WriteBack::OnDestruction)
        save();
    delete settings;
}

QString ExportConfig::settingsPath() const
{
    return settings->fileName();
}

void ExportConfig::load()
{
    load(SettingsReader(*settings));
}

void ExportConfig::load(const SettingsReader &read)
{
    const QSize a4 = QPageSize(QPageSize::A4).sizePoints();
    const QString notationFamily = FontManager::instance().notationFamily();

    m_pageWidth = read.integer("pageWidth", a4.width(), 10, 10000);
    m_pageHeight = read.integer("pageHeight", a4.height(), 10, 10000);
    m_pageSizeId = toPageSizeId(read.value("pageSizeId", int(QPageSize::A4)));
    m_marginTop = read.integer("marginTop", 25, 0, 10000);
    m_marginBottom = read.integer("marginBottom", 25, 0, 10000);
    m_marginLeft = read.integer("marginLeft", 25, 0, 10000);
    m_marginRight = read.integer("marginRight", 25, 0, 10000);
    m_titleFontSize = read.integer("titleFontSize", 80, 5, 300);
    m_lyricFontSize = read.integer("lyricFontSize", 30, 5, 300);
    m_scoreFontSize = read.integer("scoreFontSize", 16, 5, 300);
    m_quPaiFontSize = read.integer("quPaiFontSize", 50, 5, 300);
    m_diaoMingFontSize = read.integer("diaoMingFontSize", 30, 5, 300);
    m_lianBaiFontSize = read.integer("lianBaiFontSize", 20, 5, 300);
    m_jiaBaiFontSize = read.integer("jiaBaiFontSize", 26, 5, 300);
    m_titleFont = read.font("titleFont", defaultFamily, m_titleFontSize);
    m_lyricFont = read.font("lyricFont", defaultFamily, m_lyricFontSize);
    m_scoreFont = read.font("scoreFont", notationFamily, m_scoreFontSize);
    m_quPaiFont = read.font("quPaiFont", defaultFamily, m_quPaiFontSize);
    m_diaoMingFont = read.font("diaoMingFont", defaultFamily, m_diaoMingFontSize);
    m_lianBaiFont = read.font("lianBaiFont", defaultFamily, m_lianBaiFontSize);
    m_jiaBaiFont = read.font("jiaBaiFont", defaultFamily, m_jiaBaiFontSize);
    m_titleColor = read.color("titleColor", QStringLiteral("#000000"));
    m_lyricColor = read.color("lyricColor", QStringLiteral("#000000"));
    m_quPaiColor = read.color("quPaiColor", QStringLiteral("#000000"));
    m_diaoMingColor = read.color("diaoMingColor", QStringLiteral("#000000"));
    m_lianBaiColor = read.color("lianBaiColor", QStringLiteral("#000000"));
    m_jiaBaiColor = read.color("jiaBaiColor", QStringLiteral("#000000"));
    m_scoreColor = read.color("scoreColor", QStringLiteral("#000000"));
    m_banColor = read.color("banColor", QStringLiteral("#ff4c00"));
    m_xiaoYanColor = read.color("xiaoYanColor", QStringLiteral("#000000"));
    m_zhongYanColor = read.color("zhongYanColor", QStringLiteral("#ff4c00"));
    m_qiangGeColor = read.color("qiangGeColor", QStringLiteral("#000000"));
    m_backgroundColor = read.color("backgroundColor", QStringLiteral("#FFFFFF"));
    m_isBgTransparent = read.boolean("isBgTransparent", false);
    m_isLandscape = read.boolean("isLandscape", false);
    m_isLineBreakScoreOverflow = read.boolean("isLineBreakScoreOverflow", true);
    m_isPageNumber = read.boolean("isPageNumber", false);
    m_isColumnRule = read.boolean("isColumnRule", false);
    m_isFrame = read.boolean("isFrame", false);
    m_colWidth = read.integer("colWidth", 130, 10, 10000);
    m_lyricSpace = read.integer("lyricSpace", 6, -200, 200);
    m_scoreSpace = read.integer("scoreSpace", 0, -200, 200);
    m_banYanSpace = read.integer("banYanSpace", 0, -200, 200);
    m_scoreAngle = read.integer("scoreAngle", -45, -360, 360);
    m_lyricScoreSpace = read.integer("lyricScoreSpace", 0, -200, 200);
    m_scoreBanYanSpace = read.integer("scoreBanYanSpace", 0, -200, 200);
    m_mColWidth = read.integer("mColWidth", 35, -200, 200);
    m_titlePos = read.integer("titlePos", 0);
    if (m_titlePos < 0 || m_titlePos > 2)
        m_titlePos = 0;
    m_isLivePreview = read.boolean("isLivePreview", true);
    m_exportType = read.value("exportType", exportTypes.first()).toString().toLower();
    if (!exportTypes.contains(m_exportType))
        m_exportType = exportTypes.first();
    m_dpiLevel = read.integer("dpiLevel", 0, 0, 3);
    rebuildFontMetrics();
}

void ExportConfig::rebuildFontMetrics()
{
    m_titleFontMetrics = PageMetrics::fontMetrics(m_titleFont);
    m_lyricFontMetrics = PageMetrics::fontMetrics(m_lyricFont);
    m_scoreFontMetrics = PageMetrics::fontMetrics(m_scoreFont);
    m_quPaiFontMetrics = PageMetrics::fontMetrics(m_quPaiFont);
    m_diaoMingFontMetrics = PageMetrics::fontMetrics(m_diaoMingFont);
    m_lianBaiFontMetrics = PageMetrics::fontMetrics(m_lianBaiFont);
    m_jiaBaiFontMetrics = PageMetrics::fontMetrics(m_jiaBaiFont);
}

bool ExportConfig::save()
{
    return write(false);
}

bool ExportConfig::write(bool replaceGroup)
{
    SettingsWriter::Values values;
    values.append({QStringLiteral("pageWidth"), m_pageWidth});
    values.append({QStringLiteral("pageHeight"), m_pageHeight});
    values.append({QStringLiteral("pageSizeId"), int(m_pageSizeId)});
    values.append({QStringLiteral("marginTop"), m_marginTop});
    values.append({QStringLiteral("marginBottom"), m_marginBottom});
    values.append({QStringLiteral("marginLeft"), m_marginLeft});
    values.append({QStringLiteral("marginRight"), m_marginRight});
    values.append({QStringLiteral("titleFontSize"), m_titleFontSize});
    values.append({QStringLiteral("lyricFontSize"), m_lyricFontSize});
    values.append({QStringLiteral("scoreFontSize"), m_scoreFontSize});
    values.append({QStringLiteral("quPaiFontSize"), m_quPaiFontSize});
    values.append({QStringLiteral("diaoMingFontSize"), m_diaoMingFontSize});
    values.append({QStringLiteral("lianBaiFontSize"), m_lianBaiFontSize});
    values.append({QStringLiteral("jiaBaiFontSize"), m_jiaBaiFontSize});
    values.append({QStringLiteral("titleFont"), m_titleFont.family()});
    values.append({QStringLiteral("lyricFont"), m_lyricFont.family()});
    values.append({QStringLiteral("scoreFont"), m_scoreFont.family()});
    values.append({QStringLiteral("quPaiFont"), m_quPaiFont.family()});
    values.append({QStringLiteral("diaoMingFont"), m_diaoMingFont.family()});
    values.append({QStringLiteral("lianBaiFont"), m_lianBaiFont.family()});
    values.append({QStringLiteral("jiaBaiFont"), m_jiaBaiFont.family()});
    values.append({QStringLiteral("titleColor"), m_titleColor.name()});
    values.append({QStringLiteral("lyricColor"), m_lyricColor.name()});
    values.append({QStringLiteral("quPaiColor"), m_quPaiColor.name()});
    values.append({QStringLiteral("diaoMingColor"), m_diaoMingColor.name()});
    values.append({QStringLiteral("lianBaiColor"), m_lianBaiColor.name()});
    values.append({QStringLiteral("jiaBaiColor"), m_jiaBaiColor.name()});
    values.append({QStringLiteral("scoreColor"), m_scoreColor.name()});
    values.append({QStringLiteral("banColor"), m_banColor.name()});
    values.append({QStringLiteral("xiaoYanColor"), m_xiaoYanColor.name()});
    values.append({QStringLiteral("zhongYanColor"), m_zhongYanColor.name()});
    values.append({QStringLiteral("qiangGeColor"), m_qiangGeColor.name()});
    values.append({QStringLiteral("backgroundColor"), m_backgroundColor.name()});
    values.append({QStringLiteral("isBgTransparent"), m_isBgTransparent});
    values.append({QStringLiteral("isLandscape"), m_isLandscape});
    values.append({QStringLiteral("isLineBreakScoreOverflow"), m_isLineBreakScoreOverflow});
    values.append({QStringLiteral("isPageNumber"), m_isPageNumber});
    values.append({QStringLiteral("isColumnRule"), m_isColumnRule});
    values.append({QStringLiteral("isFrame"), m_isFrame});
    values.append({QStringLiteral("colWidth"), m_colWidth});
    values.append({QStringLiteral("lyricSpace"), m_lyricSpace});
    values.append({QStringLiteral("scoreSpace"), m_scoreSpace});
    values.append({QStringLiteral("banYanSpace"), m_banYanSpace});
    values.append({QStringLiteral("scoreAngle"), m_scoreAngle});
    values.append({QStringLiteral("lyricScoreSpace"), m_lyricScoreSpace});
    values.append({QStringLiteral("scoreBanYanSpace"), m_scoreBanYanSpace});
    values.append({QStringLiteral("mColWidth"), m_mColWidth});
    values.append({QStringLiteral("titlePos"), m_titlePos});
    values.append({QStringLiteral("isLivePreview"), m_isLivePreview});
    values.append({QStringLiteral("exportType"), m_exportType});
    values.append({QStringLiteral("dpiLevel"), m_dpiLevel});
    return SettingsWriter::write(*settings, values, replaceGroup);
}

bool ExportConfig::restoreDefaults()
{
    load(SettingsReader());
    return write(true);
}

bool ExportConfig::saveScheme(const QString &path)
{
    // The scheme is made from the store: it must hold the current values.
    if (!save())
        return false;
    QJsonObject scheme;
    const QStringList keys = settings->childKeys();
    for (const QString &key : keys) {
        const QVariant value = settings->value(key);
        // Values read back from the INI file are text: give each known option
        // its JSON type.
        switch (schemeType(key)) {
        case ValueType::Int:
            scheme.insert(key, value.toInt());
            break;
        case ValueType::Bool:
            scheme.insert(key, value.toBool());
            break;
        case ValueType::Text:
            scheme.insert(key, QJsonValue::fromVariant(value));
            break;
        }
    }

    // A scheme cut short by a full disk would be reported as saved and fail to
    // import later: it is written whole or not at all.
    return AtomicFile::write(path, QJsonDocument(scheme).toJson(QJsonDocument::Indented));
}

bool ExportConfig::loadScheme(const QString &path)
{
    QFile file(path);
    if (!RegularFile::open(file))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return false;

    const QJsonObject scheme = document.object();
    // Numbers and booleans may come as JSON values or as the text an INI file
    // holds; both load through toInt() and toBool().
    SettingsWriter::Values values;
    for (auto it = scheme.constBegin(); it != scheme.constEnd(); ++it)
        values.append({it.key(), it.value().toVariant()});
    // A scheme that cannot be stored is not applied: the record always shows
    // what the settings file holds.
    if (!SettingsWriter::write(*settings, values))
        return false;
    load();
    return true;
}

void ExportConfig::setPageSizeId(QPageSize::PageSizeId value)
{
    m_pageSizeId = value;
    if (value == QPageSize::Custom)
        return;
    const QSize size = QPageSize(value).sizePoints();
    m_pageWidth = size.width();
    m_pageHeight = size.height();
}

void ExportConfig::setTitleFontSize(int value)
{
    FontOption::setSize(m_titleFont, m_titleFontMetrics, m_titleFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setLyricFontSize(int value)
{
    FontOption::setSize(m_lyricFont, m_lyricFontMetrics, m_lyricFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setScoreFontSize(int value)
{
    FontOption::setSize(m_scoreFont, m_scoreFontMetrics, m_scoreFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setQuPaiFontSize(int value)
{
    FontOption::setSize(m_quPaiFont, m_quPaiFontMetrics, m_quPaiFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setDiaoMingFontSize(int value)
{
    FontOption::setSize(m_diaoMingFont, m_diaoMingFontMetrics, m_diaoMingFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setLianBaiFontSize(int value)
{
    FontOption::setSize(m_lianBaiFont, m_lianBaiFontMetrics, m_lianBaiFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setJiaBaiFontSize(int value)
{
    FontOption::setSize(m_jiaBaiFont, m_jiaBaiFontMetrics, m_jiaBaiFontSize, value, PageMetrics::fontMetrics);
}

void ExportConfig::setTitleFont(const QFont &value)
{
    FontOption::setFont(m_titleFont, m_titleFontMetrics, value, m_titleFontSize, PageMetrics::fontMetrics);
}

void ExportConfig::setLyricFont(const QFont &value)
{
    FontOption::setFont(m_lyricFont, m_lyricFontMetrics, value, m_lyricFontSize, PageMetrics::fontMetrics);
}

void ExportConfig::setScoreFont(const QFont &value)
{
    FontOption::setFont(m_scoreFont, m_scoreFontMetrics, value, m_scoreFontSize, PageMetrics::fontMetrics);
}

void ExportConfig::setQuPaiFont(const QFont &value)
{
    FontOption::setFont(m_quPaiFont, m_quPaiFontMetrics, value, m_quPaiFontSize, PageMetrics::fontMetrics);
}

void ExportConfig::setDiaoMingFont(const QFont &value)
{
    FontOption::setFont(m_diaoMingFont, m_diaoMingFontMetrics, value, m_diaoMingFontSize, PageMetrics::fontMetrics);
}

void ExportConfig::setLianBaiFont(const QFont &value)
{
    FontOption::setFont(m_lianBaiFont, m_lianBaiFontMetrics, value, m_lianBaiFontSize, PageMetrics::fontMetrics);
}

void ExportConfig::setJiaBaiFont(const QFont &value)
{
    FontOption::setFont(m_jiaBaiFont, m_jiaBaiFontMetrics, value, m_jiaBaiFontSize, PageMetrics::fontMetrics);
}
