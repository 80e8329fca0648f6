#include "fontmanager.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString testFamily = QStringLiteral("Qelun Test Face");

QString testFont()
{
    return QStringLiteral(TEST_DATA_DIR "/qelun-test-face.ttf");
}

} // namespace

class TestFontManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void folderFontsAreRegistered();
    void notationFontGivesItsFamily();
    void missingNotationFontLeavesFamilyEmpty();
    void bundledNotationFont();
    void windowsFamiliesAreSubstituted_data();
    void windowsFamiliesAreSubstituted();
    void lookupAnswersAsTheFontDatabase();
};

void TestFontManager::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QFile::exists(testFont()));
    QVERIFY(!QFontDatabase::hasFamily(testFamily));
}

void TestFontManager::folderFontsAreRegistered()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("fonts"));
    const QDir fonts(dir.filePath("fonts"));
    QVERIFY(QFile::copy(testFont(), fonts.filePath("face.ttf")));
    // Matches "*.ttf" but is no font: skipped.
    QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/not-a-font.ttf"), fonts.filePath("broken.ttf")));
    // Not a "*.ttf": not looked at.
    QVERIFY(QFile::copy(testFont(), fonts.filePath("face.otf.bak")));
    QVERIFY(fonts.mkdir("folder.ttf"));

    {
        FontManager manager(dir.filePath("no-notation-font.ttf"), {fonts.path(), dir.filePath("missing")});
        QCOMPARE(manager.families(), QStringList{testFamily});
        QVERIFY(manager.notationFamily().isEmpty());
        QVERIFY(QFontDatabase::families().contains(testFamily));
        QCOMPARE(QFontInfo(QFont(testFamily, 12)).family(), testFamily);
    }
    // The manager gives its fonts back when it goes.
    QVERIFY(!QFontDatabase::families().contains(testFamily));
}

void TestFontManager::notationFontGivesItsFamily()
{
    FontManager manager(testFont(), {});
    QCOMPARE(manager.notationFamily(), testFamily);
    QCOMPARE(manager.families(), QStringList{testFamily});
}

void TestFontManager::missingNotationFontLeavesFamilyEmpty()
{
    QTemporaryDir dir;
    FontManager manager(dir.filePath("absent.ttf"), {dir.path()});
    QVERIFY(manager.notationFamily().isEmpty());
    QVERIFY(manager.families().isEmpty());
}

void TestFontManager::bundledNotationFont()
{
    if (!QFile::exists(QStringLiteral(":/resources/fonts/mevto.ttf")))
        QSKIP("the notation font is not among the resources of this build");
    const FontManager &manager = FontManager::instance();
    QVERIFY(!manager.notationFamily().isEmpty());
    QCOMPARE(manager.families().first(), manager.notationFamily());
    // The font draws the notation code points, e.g. 工 at U+F002C.
    QFontMetrics metrics(QFont(manager.notationFamily(), 16));
    QVERIFY(metrics.inFontUcs4(0xF002C));
}

void TestFontManager::windowsFamiliesAreSubstituted_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("closest");

    QTest::addRow("Kai") << QStringLiteral("楷体")
                         << QStringList{"AR PL UKai CN", "AR PL UKai TW", "AR PL UKai HK"};
    QTest::addRow("Song") << QStringLiteral("宋体") << QStringList{"Noto Serif CJK SC"};
    QTest::addRow("Hei") << QStringLiteral("黑体") << QStringList{"Noto Sans CJK SC"};
    QTest::addRow("UI") << QStringLiteral("Microsoft YaHei UI") << QStringList{"Noto Sans CJK SC"};
    QTest::addRow("console") << QStringLiteral("console") << QStringList{"DejaVu Sans Mono", "Noto Sans Mono"};
}

void TestFontManager::windowsFamiliesAreSubstituted()
{
    QFETCH(QString, family);
    QFETCH(QStringList, closest);
    if (QFontDatabase::hasFamily(family))
        QSKIP("this desktop has the family itself");
    bool installed = false;
    for (const QString &candidate : closest)
        installed = installed || QFontDatabase::hasFamily(candidate);
    if (!installed)
        QSKIP("none of the expected families is installed (scripts/install-deps.sh)");

    FontManager::substituteMissingFamilies();
    const QString resolved = QFontInfo(QFont(family, 12)).family();
    QVERIFY2(closest.contains(resolved), qPrintable(resolved));
    // The configured name itself is kept.
    QCOMPARE(QFont(family).family(), family);
}

void TestFontManager::lookupAnswersAsTheFontDatabase()
{
    // The lookup keeps the database's answers; they must be the database's
    // own, asked first or again: every installed family in any case, names
    // it lacks, the Windows names and their candidates, the generic aliases
    // the desktop resolves.
    QStringList names = QFontDatabase::families();
    for (const QString &family : QFontDatabase::families().mid(0, 20)) {
        names.append(family.toUpper());
        names.append(family.toLower());
    }
    names += {QStringLiteral("楷体"), QStringLiteral("宋体"), QStringLiteral("黑体"),
              QStringLiteral("Microsoft YaHei UI"), QStringLiteral("console"), QStringLiteral("KaiTi"),
              QStringLiteral("SimSun"), QStringLiteral("Consolas"), QStringLiteral("No Such Face 𠀀"),
              QStringLiteral("sans-serif"), QStringLiteral("serif"), QStringLiteral("monospace"),
              QString(), QStringLiteral(" ")};
    FontManager::FamilyLookup lookup;
    for (int round = 0; round < 2; ++round) {
        for (const QString &name : std::as_const(names))
            QVERIFY2(lookup.isInstalled(name) == QFontDatabase::hasFamily(name), qPrintable(name));
    }
}

QTEST_MAIN(TestFontManager)
#include "tst_fontmanager.moc"
