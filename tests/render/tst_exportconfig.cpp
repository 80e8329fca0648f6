#include "exportconfig.h"
#include "fontmanager.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// Metrics on a device of 72 dots per inch, the resolution of the pages:
// what the configuration must measure with, whatever the screen.
QFontMetrics pageMetrics(const QFont &font)
{
    QImage device(1, 1, QImage::Format_ARGB32);
    device.setDotsPerMeterX(2835);
    device.setDotsPerMeterY(2835);
    return QFontMetrics(font, &device);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every option in its stored form, for comparing whole configurations.
QVariantMap snapshot(const ExportConfig &c)
{
    return {
        {"pageWidth", c.pageWidth()}, {"pageHeight", c.pageHeight()},
        {"pageSizeId", int(c.pageSizeId())},
        {"marginTop", c.marginTop()}, {"marginBottom", c.marginBottom()},
        {"marginLeft", c.marginLeft()}, {"marginRight", c.marginRight()},
        {"titleFontSize", c.titleFontSize()}, {"lyricFontSize", c.lyricFontSize()},
        {"scoreFontSize", c.scoreFontSize()}, {"quPaiFontSize", c.quPaiFontSize()},
        {"diaoMingFontSize", c.diaoMingFontSize()}, {"lianBaiFontSize", c.lianBaiFontSize()},
        {"jiaBaiFontSize", c.jiaBaiFontSize()},
        {"titleFont", c.titleFont().family()}, {"lyricFont", c.lyricFont().family()},
        {"scoreFont", c.scoreFont().family()}, {"quPaiFont", c.quPaiFont().family()},
        {"diaoMingFont", c.diaoMingFont().family()}, {"lianBaiFont", c.lianBaiFont().family()},
        {"jiaBaiFont", c.jiaBaiFont().family()},
        {"titleColor", c.titleColor().name()}, {"lyricColor", c.lyricColor().name()},
        {"quPaiColor", c.quPaiColor().name()}, {"diaoMingColor", c.diaoMingColor().name()},
        {"lianBaiColor", c.lianBaiColor().name()}, {"jiaBaiColor", c.jiaBaiColor().name()},
        {"scoreColor", c.scoreColor().name()}, {"banColor", c.banColor().name()},
        {"xiaoYanColor", c.xiaoYanColor().name()}, {"zhongYanColor", c.zhongYanColor().name()},
        {"qiangGeColor", c.qiangGeColor().name()}, {"backgroundColor", c.backgroundColor().name()},
        {"isBgTransparent", c.isBgTransparent()}, {"isLandscape", c.isLandscape()},
        {"isLineBreakScoreOverflow", c.isLineBreakScoreOverflow()},
        {"isPageNumber", c.isPageNumber()}, {"isColumnRule", c.isColumnRule()}, {"isFrame", c.isFrame()},
        {"colWidth", c.colWidth()}, {"lyricSpace", c.lyricSpace()}, {"scoreSpace", c.scoreSpace()},
        {"banYanSpace", c.banYanSpace()}, {"scoreAngle", c.scoreAngle()},
        {"lyricScoreSpace", c.lyricScoreSpace()}, {"scoreBanYanSpace", c.scoreBanYanSpace()},
        {"mColWidth", c.mColWidth()}, {"titlePos", c.titlePos()},
        {"isLivePreview", c.isLivePreview()},
    };
}

} // namespace

class TestExportConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void freshStartDefaults();
    void choiceTables();
    void pageSizeChoice_data();
    void pageSizeChoice();
    void fontSetterKeepsSize();
    void sizeSetterRebuildsOnlyItsMetrics();
    void damagedSettings();
    void saveWritesEveryOptionAndDestructionSaves();
    void restoreDefaults();
    void schemeRoundTrip();
    void schemeTypes();
    void schemeWithOnlyAngle();
    void schemeInTextForm();
    void badScheme_data();
    void badScheme();
    void unwritableScheme();
    void extremeValuesAreClamped_data();
    void extremeValuesAreClamped();
    void schemeThatIsNoRegularFile_data();
    void schemeThatIsNoRegularFile();

private:
    QScopedPointer<QTemporaryDir> dir;
    QString path;
};

void TestExportConfig::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestExportConfig::init()
{
    dir.reset(new QTemporaryDir);
    path = dir->filePath("settings.ini");
}

void TestExportConfig::freshStartDefaults()
{
    ExportConfig c(path);
    QCOMPARE(c.pageWidth(), 595);
    QCOMPARE(c.pageHeight(), 842);
    QCOMPARE(c.pageSizeId(), QPageSize::A4);
    QCOMPARE(c.marginTop(), 25);
    QCOMPARE(c.marginBottom(), 25);
    QCOMPARE(c.marginLeft(), 25);
    QCOMPARE(c.marginRight(), 25);
    const QList<QPair<QFont, int>> kai = {{c.titleFont(), 80}, {c.lyricFont(), 30}, {c.quPaiFont(), 50},
                                          {c.diaoMingFont(), 30}, {c.lianBaiFont(), 20}, {c.jiaBaiFont(), 26}};
    for (const auto &font : kai) {
        QCOMPARE(font.first.family(), QStringLiteral("楷体"));
        QCOMPARE(font.first.pointSize(), font.second);
    }
    QCOMPARE(c.scoreFont().family(), FontManager::instance().notationFamily());
    QCOMPARE(c.scoreFont().pointSize(), 16);
    QCOMPARE(c.scoreFontSize(), 16);
    for (const QColor &color : {c.titleColor(), c.lyricColor(), c.quPaiColor(), c.diaoMingColor(),
                                c.lianBaiColor(), c.jiaBaiColor(), c.scoreColor(), c.xiaoYanColor(),
                                c.qiangGeColor()})
        QCOMPARE(color, QColor("#000000"));
    QCOMPARE(c.banColor(), QColor("#ff4c00"));
    QCOMPARE(c.zhongYanColor(), QColor("#ff4c00"));
    QCOMPARE(c.backgroundColor(), QColor("#ffffff"));
    QVERIFY(!c.isBgTransparent());
    QVERIFY(!c.isLandscape());
    QVERIFY(c.isLineBreakScoreOverflow());
    // The page is the score alone until the user asks for more.
    QVERIFY(!c.isPageNumber());
    QVERIFY(!c.isColumnRule());
    QVERIFY(!c.isFrame());
    QCOMPARE(c.colWidth(), 130);
    QCOMPARE(c.mColWidth(), 35);
    QCOMPARE(c.lyricSpace(), 6);
    QCOMPARE(c.scoreSpace(), 0);
    QCOMPARE(c.banYanSpace(), 0);
    QCOMPARE(c.lyricScoreSpace(), 0);
    QCOMPARE(c.scoreBanYanSpace(), 0);
    QCOMPARE(c.scoreAngle(), -45);
    QCOMPARE(c.titlePos(), 0);
    QVERIFY(c.isLivePreview());
    QCOMPARE(c.lyricFontMetrics().height(), pageMetrics(c.lyricFont()).height());
}

void TestExportConfig::choiceTables()
{
    ExportConfig c(path);
    QCOMPARE(c.pageSizeOptions.size(), 11);
    QCOMPARE(c.pageSizeOptions.first().second, QPageSize::Custom);
    // Each standard size's text names its portrait size in points.
    for (const auto &option : c.pageSizeOptions) {
        if (option.second == QPageSize::Custom)
            continue;
        const QSize size = QPageSize(option.second).sizePoints();
        QCOMPARE(option.first, QPageSize(option.second).name()
                                       + QStringLiteral(" (%1, %2)").arg(size.width()).arg(size.height()));
    }
    QCOMPARE(c.orientationOptions.at(1), qMakePair(QStringLiteral("横向"), true));
    QCOMPARE(c.overflowOptions.at(0), qMakePair(QStringLiteral("换行"), true));
    QCOMPARE(c.titlePosOptions.at(2), qMakePair(QStringLiteral("底部"), 2));
}

void TestExportConfig::pageSizeChoice_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addRow("A3") << int(QPageSize::A3) << 842 << 1191;
    QTest::addRow("B1") << int(QPageSize::B1) << 2004 << 2835;
    QTest::addRow("A6") << int(QPageSize::A6) << 297 << 420;
    QTest::addRow("custom keeps the size") << int(QPageSize::Custom) << 1234 << 567;
}

void TestExportConfig::pageSizeChoice()
{
    QFETCH(int, id);
    QFETCH(int, width);
    QFETCH(int, height);
    ExportConfig c(path);
    c.setPageWidth(1234);
    c.setPageHeight(567);
    c.setPageSizeId(QPageSize::PageSizeId(id));
    QCOMPARE(int(c.pageSizeId()), id);
    QCOMPARE(c.pageWidth(), width);
    QCOMPARE(c.pageHeight(), height);
}

void TestExportConfig::fontSetterKeepsSize()
{
    ExportConfig c(path);
    c.setLyricFont(QFont("DejaVu Serif", 99));
    QCOMPARE(c.lyricFont().family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(c.lyricFont().pointSize(), 30);
    QCOMPARE(c.lyricFontMetrics().height(), pageMetrics(QFont("DejaVu Serif", 30)).height());
}

void TestExportConfig::sizeSetterRebuildsOnlyItsMetrics()
{
    ExportConfig c(path);
    const int title = c.titleFontMetrics().height();
    const int score = c.scoreFontMetrics().height();
    const int lyric = c.lyricFontMetrics().height();
    c.setLyricFontSize(90);
    QCOMPARE(c.lyricFont().pointSize(), 90);
    QVERIFY(c.lyricFontMetrics().height() > lyric);
    QCOMPARE(c.titleFontMetrics().height(), title);
    QCOMPARE(c.scoreFontMetrics().height(), score);
    c.setJiaBaiFontSize(60);
    QCOMPARE(c.jiaBaiFontMetrics().height(), pageMetrics(c.jiaBaiFont()).height());
}

void TestExportConfig::damagedSettings()
{
    QVERIFY(writeFile(path, "[Export]\ncolWidth=wide\nlyricFontSize=big\ntitlePos=7\n"
                            "banColor=reddish\nbackgroundColor=#zzzzzz\npageSizeId=9999\n"
                            "isLandscape=maybe\nscoreAngle=30\n"));
    ExportConfig c(path);
    // Text that is no number reads as 0, brought into the option's range.
    QCOMPARE(c.colWidth(), 10);
    QCOMPARE(c.lyricFontSize(), 5);
    QCOMPARE(c.titlePos(), 0);
    QVERIFY(!c.banColor().isValid());
    QVERIFY(!c.backgroundColor().isValid());
    // An identifier that names no page size is the custom size.
    QCOMPARE(c.pageSizeId(), QPageSize::Custom);
    QCOMPARE(c.scoreAngle(), 30);
    QVERIFY(c.lyricFontMetrics().height() > 0);
}

void TestExportConfig::saveWritesEveryOptionAndDestructionSaves()
{
    {
        ExportConfig c(path);
        c.setColWidth(150);
        c.setBanColor(QColor("#ABCDEF"));
        c.setIsLandscape(true);
        c.setIsFrame(true);
        QVERIFY(!QFile::exists(path));
    }
    QSettings stored(path, QSettings::IniFormat);
    stored.beginGroup("Export");
    QCOMPARE(stored.childKeys().size(), 51);
    QCOMPARE(stored.value("colWidth").toInt(), 150);
    QCOMPARE(stored.value("banColor").toString(), QStringLiteral("#abcdef"));
    QCOMPARE(stored.value("isLandscape").toBool(), true);
    QCOMPARE(stored.value("isFrame").toBool(), true);
    QCOMPARE(stored.value("isPageNumber").toBool(), false);
    QCOMPARE(stored.value("titleFont").toString(), QStringLiteral("楷体"));
    QCOMPARE(stored.value("pageSizeId").toInt(), int(QPageSize::A4));

    ExportConfig again(path);
    QCOMPARE(again.colWidth(), 150);
    QVERIFY(again.isLandscape());
    QVERIFY(again.isFrame());
    QVERIFY(!again.isColumnRule());
}

void TestExportConfig::restoreDefaults()
{
    QVERIFY(writeFile(path, "[Editor]\nlyricFontSize=20\n[Export]\ncolWidth=99\nstray=1\n"));
    ExportConfig c(path);
    QCOMPARE(c.colWidth(), 99);
    c.restoreDefaults();
    QCOMPARE(c.colWidth(), 130);
    QSettings stored(path, QSettings::IniFormat);
    QCOMPARE(stored.value("Export/colWidth").toInt(), 130);
    QVERIFY(!stored.contains("Export/stray"));
    QCOMPARE(stored.value("Editor/lyricFontSize").toInt(), 20);
}

void TestExportConfig::schemeRoundTrip()
{
    const QString scheme = dir->filePath("scheme.json");
    QVariantMap saved;
    {
        ExportConfig c(path);
        c.setPageSizeId(QPageSize::B3);
        c.setMarginLeft(40);
        c.setTitleFont(QFont("DejaVu Sans"));
        c.setTitleFontSize(100);
        c.setQiangGeColor(QColor("#102030"));
        c.setIsBgTransparent(true);
        c.setIsLineBreakScoreOverflow(false);
        c.setIsPageNumber(true);
        c.setIsColumnRule(true);
        c.setIsFrame(true);
        c.setScoreAngle(-90);
        c.setLyricScoreSpace(-12);
        c.setTitlePos(2);
        c.setIsLivePreview(false);
        QVERIFY(c.saveScheme(scheme));
        saved = snapshot(c);
    }

    const QString otherPath = dir->filePath("other.ini");
    ExportConfig other(otherPath);
    QVERIFY(snapshot(other) != saved);
    QVERIFY(other.loadScheme(scheme));
    QCOMPARE(snapshot(other), saved);
    QCOMPARE(other.titleFont().pointSize(), 100);
}

void TestExportConfig::schemeTypes()
{
    const QString scheme = dir->filePath("scheme.json");
    ExportConfig c(path);
    QVERIFY(c.saveScheme(scheme));
    const QJsonObject object = QJsonDocument::fromJson(fileBytes(scheme)).object();
    QCOMPARE(object.size(), 51);
    QVERIFY(object.value("colWidth").isDouble());
    QCOMPARE(object.value("scoreAngle").toInt(), -45);
    QVERIFY(object.value("isLivePreview").isBool());
    for (const char *key : {"isPageNumber", "isColumnRule", "isFrame"}) {
        QVERIFY(object.value(QLatin1String(key)).isBool());
        QCOMPARE(object.value(QLatin1String(key)).toBool(), false);
    }
    QCOMPARE(object.value("isLivePreview").toBool(), true);
    QCOMPARE(object.value("banColor").toString(), QStringLiteral("#ff4c00"));
    QCOMPARE(object.value("lyricFont").toString(), QStringLiteral("楷体"));
    // Indented, one member a line.
    QVERIFY(fileBytes(scheme).count('\n') > 40);
}

void TestExportConfig::schemeWithOnlyAngle()
{
    const QString scheme = dir->filePath("angle.json");
    QVERIFY(writeFile(scheme, R"({ "scoreAngle": 15 })"));
    ExportConfig c(path);
    c.setColWidth(140);
    c.save();
    QVariantMap before = snapshot(c);
    QVERIFY(c.loadScheme(scheme));
    QCOMPARE(c.scoreAngle(), 15);
    before["scoreAngle"] = 15;
    QCOMPARE(snapshot(c), before);
}

void TestExportConfig::schemeInTextForm()
{
    const QString scheme = dir->filePath("text.json");
    QVERIFY(writeFile(scheme, R"({ "colWidth": "111", "isLandscape": "true", "isLivePreview": "false",
                                   "lyricFontSize": 44.0, "titlePos": 1, "pageSizeId": "8",
                                   "isFrame": "true", "isPageNumber": true, "isColumnRule": "false" })"));
    ExportConfig c(path);
    QVERIFY(c.loadScheme(scheme));
    QCOMPARE(c.colWidth(), 111);
    QVERIFY(c.isLandscape());
    QVERIFY(!c.isLivePreview());
    QCOMPARE(c.lyricFontSize(), 44);
    QCOMPARE(c.lyricFont().pointSize(), 44);
    QCOMPARE(c.titlePos(), 1);
    QCOMPARE(c.pageSizeId(), QPageSize::PageSizeId(8));
    QVERIFY(c.isFrame());
    QVERIFY(c.isPageNumber());
    QVERIFY(!c.isColumnRule());
}

void TestExportConfig::badScheme_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::addRow("array") << QByteArray(R"([ { "scoreAngle": 10 } ])") << true;
    QTest::addRow("empty file") << QByteArray() << true;
    QTest::addRow("malformed") << QByteArray(R"({ "scoreAngle": 10, )") << true;
    QTest::addRow("plain number") << QByteArray("42") << true;
    QTest::addRow("missing file") << QByteArray() << false;
}

void TestExportConfig::badScheme()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    const QString scheme = dir->filePath("bad.json");
    if (exists)
        QVERIFY(writeFile(scheme, content));

    ExportConfig c(path);
    c.setScoreAngle(-30);
    c.save();
    const QByteArray storedBefore = fileBytes(path);
    const QVariantMap before = snapshot(c);
    QVERIFY(!c.loadScheme(scheme));
    QCOMPARE(snapshot(c), before);
    QCOMPARE(fileBytes(path), storedBefore);
}

void TestExportConfig::unwritableScheme()
{
    ExportConfig c(path);
    QVERIFY(!c.saveScheme(dir->filePath("no/such/folder/scheme.json")));
}

void TestExportConfig::extremeValuesAreClamped_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::addRow("page width at int max") << "pageWidth" << "2147483647" << 10000;
    QTest::addRow("page height at int min") << "pageHeight" << "-2147483648" << 10;
    QTest::addRow("page width beyond int") << "pageWidth" << "99999999999999" << 10000;
    QTest::addRow("margin negative") << "marginLeft" << "-5" << 0;
    QTest::addRow("margin huge") << "marginBottom" << "2000000000" << 10000;
    QTest::addRow("title font huge") << "titleFontSize" << "1000000" << 300;
    QTest::addRow("score font zero") << "scoreFontSize" << "0" << 5;
    QTest::addRow("column width negative") << "colWidth" << "-2147483648" << 10;
    QTest::addRow("lyric space huge") << "lyricSpace" << "2147483647" << 200;
    QTest::addRow("score space tiny") << "scoreSpace" << "-2147483647" << -200;
    QTest::addRow("angle huge") << "scoreAngle" << "123456789" << 360;
    QTest::addRow("sub-column width") << "mColWidth" << "-100000" << -200;
    QTest::addRow("exponent") << "colWidth" << "1e30" << 10000;
    QTest::addRow("in range") << "banYanSpace" << "-17" << -17;
}

void TestExportConfig::extremeValuesAreClamped()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);
    // The same through settings.ini and through an imported scheme.
    QVERIFY(writeFile(path, "[Export]\n" + key.toUtf8() + "=" + stored.toUtf8() + "\n"));
    {
        ExportConfig c(path);
        QCOMPARE(snapshot(c).value(key).toInt(), expected);
    }
    QFile::remove(path);
    const QString scheme = dir->filePath("extreme.json");
    QVERIFY(writeFile(scheme, "{ \"" + key.toUtf8() + "\": " + stored.toUtf8() + " }"));
    ExportConfig c(path);
    QVERIFY(c.loadScheme(scheme));
    QCOMPARE(snapshot(c).value(key).toInt(), expected);
}

void TestExportConfig::schemeThatIsNoRegularFile_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addRow("FIFO") << true;
    QTest::addRow("folder") << false;
}

void TestExportConfig::schemeThatIsNoRegularFile()
{
    QFETCH(bool, fifo);
    const QString scheme = dir->filePath("scheme.json");
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(scheme).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(scheme));
    ExportConfig c(path);
    // Reading a FIFO would wait for a writer forever.
    QVERIFY(!c.loadScheme(scheme));
}

QTEST_MAIN(TestExportConfig)
#include "tst_exportconfig.moc"
