#include "editorconfig.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Every key of the group "Editor" in the order it is written, with the
// stored form of its default. scoreFont's default is the notation font's
// family, which depends on the build, and is checked apart.
const QList<QPair<QString, QString>> defaults = {
    {"lyricLineNumberFontSize", "14"}, {"lyricLineNumberFont", "楷体"},
    {"lyricLineNumberColor", "#ff5500"}, {"lyricLineNumberBgColor", "#fdfff8"},
    {"scoreLineNumberFontSize", "14"}, {"scoreLineNumberFont", "楷体"},
    {"scoreLineNumberColor", "#ff5500"}, {"scoreLineNumberBgColor", "#fdfff8"},
    {"scoreFontSize", "16"}, {"scoreFont", QString()},
    {"scoreColor", "#000000"}, {"scoreBgColor", "#ffffff"},
    {"lyricFontSize", "16"}, {"lyricFont", "楷体"},
    {"lyricBgColor", "#ffffff"}, {"lyricColor", "#333333"},
    {"titleColor", "#a76f55"}, {"jiaBaiColor", "#b76b01"},
    {"lianBaiColor", "#a626a4"}, {"quPaiColor", "#4078f2"},
    {"commentColor", "#a9a9a9"}, {"biaoDianColor", "#50a14f"},
    {"breakSymbolColor", "#a9a9a9"}, {"errorColor", "#ff0000"},
};

// The stored form of an option, read through its getter.
QString current(const EditorConfig &c, const QString &key)
{
    const QHash<QString, QVariant> values = {
        {"lyricLineNumberFontSize", c.lyricLineNumberFontSize()},
        {"lyricLineNumberFont", c.lyricLineNumberFont().family()},
        {"lyricLineNumberColor", c.lyricLineNumberColor().name()},
        {"lyricLineNumberBgColor", c.lyricLineNumberBgColor().name()},
        {"scoreLineNumberFontSize", c.scoreLineNumberFontSize()},
        {"scoreLineNumberFont", c.scoreLineNumberFont().family()},
        {"scoreLineNumberColor", c.scoreLineNumberColor().name()},
        {"scoreLineNumberBgColor", c.scoreLineNumberBgColor().name()},
        {"scoreFontSize", c.scoreFontSize()},
        {"scoreFont", c.scoreFont().family()},
        {"scoreColor", c.scoreColor().name()},
        {"scoreBgColor", c.scoreBgColor().name()},
        {"lyricFontSize", c.lyricFontSize()},
        {"lyricFont", c.lyricFont().family()},
        {"lyricBgColor", c.lyricBgColor().name()},
        {"lyricColor", c.lyricColor().name()},
        {"titleColor", c.titleColor().name()},
        {"jiaBaiColor", c.jiaBaiColor().name()},
        {"lianBaiColor", c.lianBaiColor().name()},
        {"quPaiColor", c.quPaiColor().name()},
        {"commentColor", c.commentColor().name()},
        {"biaoDianColor", c.biaoDianColor().name()},
        {"breakSymbolColor", c.breakSymbolColor().name()},
        {"errorColor", c.errorColor().name()},
    };
    return values.value(key).toString();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestEditorConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void defaultsWithoutFile_data();
    void defaultsWithoutFile();
    void destructionWritesEveryKey();
    void singleStoredKey();
    void damagedFileLoadsWithoutHarm();
    void sizeSetterUpdatesFontAndMetrics();
    void fontSetterKeepsSize();
    void saveWritesAndSignalsOnce();
    void restoreDefaults();
    void saveReportsUnwritableFile();

private:
    QString path;
    QScopedPointer<QTemporaryDir> dir;
};

void TestEditorConfig::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestEditorConfig::init()
{
    dir.reset(new QTemporaryDir);
    path = dir->filePath("settings.ini");
}

void TestEditorConfig::defaultsWithoutFile_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    for (const auto &entry : defaults) {
        if (!entry.second.isNull())
            QTest::addRow("%s", qPrintable(entry.first)) << entry.first << entry.second;
    }
}

void TestEditorConfig::defaultsWithoutFile()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    EditorConfig config(path);
    QCOMPARE(current(config, key), stored);
}

void TestEditorConfig::destructionWritesEveryKey()
{
    QString notationFamily;
    int changes = 0;
    {
        EditorConfig config(path);
        notationFamily = config.scoreFont().family();
        QObject::connect(&config, &EditorConfig::configChanged, [&changes] { ++changes; });
        config.setLyricFontSize(21);
        config.setQuPaiColor(QColor("#123456"));
        QVERIFY(!QFile::exists(path));
    }
    QVERIFY(QFile::exists(path));
    // Going away saves without telling anyone: the editors may be gone.
    QCOMPARE(changes, 0);

    QSettings stored(path, QSettings::IniFormat);
    stored.beginGroup("Editor");
    QStringList expectedKeys;
    for (const auto &entry : defaults)
        expectedKeys.append(entry.first);
    QStringList keys = stored.childKeys();
    keys.sort();
    expectedKeys.sort();
    QCOMPARE(keys, expectedKeys);
    QCOMPARE(stored.value("lyricFontSize").toInt(), 21);
    QCOMPARE(stored.value("quPaiColor").toString(), QStringLiteral("#123456"));
    QCOMPARE(stored.value("titleColor").toString(), QStringLiteral("#a76f55"));
    QCOMPARE(stored.value("scoreFont").toString(), notationFamily);
}

void TestEditorConfig::singleStoredKey()
{
    QVERIFY(writeFile(path, "[Editor]\nlyricFontSize=20\n"));
    EditorConfig config(path);
    QCOMPARE(config.lyricFont().family(), QStringLiteral("楷体"));
    QCOMPARE(config.lyricFont().pointSize(), 20);
    QCOMPARE(config.lyricFontSize(), 20);
    QCOMPARE(config.scoreFontSize(), 16);
    QCOMPARE(config.lyricLineNumberFont().pointSize(), 14);
    QCOMPARE(config.errorColor(), QColor("#ff0000"));
}

void TestEditorConfig::damagedFileLoadsWithoutHarm()
{
    QVERIFY(writeFile(path, "[Editor]\nlyricFontSize=huge\nscoreFontSize=-3\n"
                            "titleColor=not a colour\nlyricColor=#12345\n"
                            "lyricFont=\nquPaiColor=#00ff00\n"));
    EditorConfig config(path);
    QCOMPARE(config.lyricFontSize(), 0);
    QCOMPARE(config.scoreFontSize(), -3);
    QVERIFY(!config.titleColor().isValid());
    QVERIFY(!config.lyricColor().isValid());
    QCOMPARE(config.quPaiColor(), QColor("#00ff00"));
    // The metrics stay usable for the gutters whatever the sizes say.
    QVERIFY(config.lyricFontMetrics().height() > 0);
    QVERIFY(config.scoreFontMetrics().height() > 0);
}

void TestEditorConfig::sizeSetterUpdatesFontAndMetrics()
{
    EditorConfig config(path);
    const int before = config.lyricFontMetrics().height();
    const int scoreBefore = config.scoreFontMetrics().height();
    config.setLyricFontSize(48);
    QCOMPARE(config.lyricFontSize(), 48);
    QCOMPARE(config.lyricFont().pointSize(), 48);
    QVERIFY(config.lyricFontMetrics().height() > before);
    QCOMPARE(config.scoreFontMetrics().height(), scoreBefore);
    QVERIFY(!QFile::exists(path));

    config.setScoreLineNumberFontSize(40);
    QCOMPARE(config.scoreLineNumberFont().pointSize(), 40);
    QCOMPARE(config.scoreLineNumberFontMetrics().height(), QFontMetrics(config.scoreLineNumberFont()).height());
}

void TestEditorConfig::fontSetterKeepsSize()
{
    EditorConfig config(path);
    config.setLyricFont(QFont("DejaVu Sans", 72));
    QCOMPARE(config.lyricFont().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(config.lyricFont().pointSize(), 16);
    QCOMPARE(config.lyricFontMetrics().height(), QFontMetrics(QFont("DejaVu Sans", 16)).height());
}

void TestEditorConfig::saveWritesAndSignalsOnce()
{
    EditorConfig config(path);
    QSignalSpy spy(&config, &EditorConfig::configChanged);
    config.setScoreColor(QColor("#abcdef"));
    QCOMPARE(spy.count(), 0);
    config.save();
    QCOMPARE(spy.count(), 1);
    QSettings stored(path, QSettings::IniFormat);
    QCOMPARE(stored.value("Editor/scoreColor").toString(), QStringLiteral("#abcdef"));
}

void TestEditorConfig::restoreDefaults()
{
    // Another group of the same file is left alone.
    QVERIFY(writeFile(path, "[Export]\ncolWidth=99\n[Editor]\nlyricFontSize=30\nunknownKey=1\n"));
    EditorConfig config(path);
    config.setTitleColor(QColor("#010203"));
    config.save();

    QSignalSpy spy(&config, &EditorConfig::configChanged);
    config.restoreDefaults();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(config.lyricFontSize(), 16);
    QCOMPARE(config.titleColor(), QColor("#a76f55"));

    QSettings stored(path, QSettings::IniFormat);
    QCOMPARE(stored.value("Editor/lyricFontSize").toInt(), 16);
    QCOMPARE(stored.value("Editor/titleColor").toString(), QStringLiteral("#a76f55"));
    QVERIFY(!stored.contains("Editor/unknownKey"));
    QCOMPARE(stored.value("Export/colWidth").toInt(), 99);
}

void TestEditorConfig::saveReportsUnwritableFile()
{
    EditorConfig config(path);
    QSignalSpy changed(&config, &EditorConfig::configChanged);
    // A folder where the file should be: no user can write it, root included.
    QVERIFY(QDir().mkdir(path));
    config.setQuPaiColor(QColor("#123456"));
    QVERIFY(!config.save());
    QVERIFY(!config.restoreDefaults());
    // The values are in effect all the same, and the editors are told.
    QCOMPARE(changed.count(), 2);

    // Once the file can be written, the next save succeeds and writes it.
    QVERIFY(QDir().rmdir(path));
    config.setQuPaiColor(QColor("#654321"));
    QVERIFY(config.save());
    QSettings stored(path, QSettings::IniFormat);
    QCOMPARE(stored.value("Editor/quPaiColor").toString(), QStringLiteral("#654321"));
    QVERIFY(config.restoreDefaults());
    QSettings reread(path, QSettings::IniFormat);
    QCOMPARE(reread.value("Editor/quPaiColor").toString(), QStringLiteral("#4078f2"));
}

QTEST_MAIN(TestEditorConfig)
#include "tst_editorconfig.moc"
