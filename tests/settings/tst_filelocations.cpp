#include "filelocations.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

} // namespace

class TestFileLocations : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filePath_data();
    void filePath();
    void readOnlyProgramFolderUsesUserFolder();
    void folderPaths_data();
    void folderPaths();
    void applicationLocations();

private:
    QScopedPointer<QTemporaryDir> root;
    QString appDir;
    QString configDir;
    QString dataDir;
};

void TestFileLocations::init()
{
    root.reset(new QTemporaryDir);
    QVERIFY(root->isValid());
    appDir = root->filePath("bin");
    configDir = root->filePath("home/config/qelun");
    dataDir = root->filePath("home/data/qelun");
    QVERIFY(QDir().mkpath(appDir));
}

void TestFileLocations::cleanup()
{
    QFile::setPermissions(appDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    root.reset();
}

void TestFileLocations::filePath_data()
{
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<bool>("userExists");
    QTest::addColumn<bool>("programFolderMissing");
    QTest::addColumn<bool>("expectBeside");

    QTest::addRow("file beside the program wins") << true << true << false << true;
    QTest::addRow("file only beside the program") << true << false << false << true;
    QTest::addRow("file only in the user folder") << false << true << false << false;
    QTest::addRow("new file in a writable program folder") << false << false << false << true;
    QTest::addRow("new file, program folder not writable") << false << false << true << false;
    QTest::addRow("user file, program folder not writable") << false << true << true << false;
}

void TestFileLocations::filePath()
{
    QFETCH(bool, besideExists);
    QFETCH(bool, userExists);
    QFETCH(bool, programFolderMissing);
    QFETCH(bool, expectBeside);

    // A folder that does not exist can be written by nobody, root included.
    const QString programDir = programFolderMissing ? root->filePath("no/such/bin") : appDir;
    if (besideExists)
        QVERIFY(touch(QDir(programDir).filePath("settings.ini")));
    if (userExists) {
        QVERIFY(QDir().mkpath(configDir));
        QVERIFY(touch(QDir(configDir).filePath("settings.ini")));
    }

    const FileLocations locations(programDir, configDir, dataDir);
    const QString path = locations.filePath("settings.ini", FileLocations::Kind::Config);
    const QString expected = QDir(expectBeside ? programDir : configDir).filePath("settings.ini");
    QCOMPARE(path, expected);
    // The folder of a per-user file is there to be written into.
    if (!expectBeside)
        QVERIFY(QFileInfo(configDir).isDir());
    QVERIFY(!QFileInfo::exists(dataDir));
}

void TestFileLocations::readOnlyProgramFolderUsesUserFolder()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QVERIFY(QFile::setPermissions(appDir, QFile::ReadOwner | QFile::ExeOwner));
    const FileLocations locations(appDir, configDir, dataDir);
    QCOMPARE(locations.filePath("wordsdict.csv", FileLocations::Kind::Data),
             QDir(dataDir).filePath("wordsdict.csv"));
}

void TestFileLocations::folderPaths_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("user");
    QTest::addColumn<int>("expected"); // bit 1: beside, bit 2: user

    QTest::addRow("both") << true << true << 3;
    QTest::addRow("beside only") << true << false << 1;
    QTest::addRow("user only") << false << true << 2;
    QTest::addRow("none") << false << false << 0;
}

void TestFileLocations::folderPaths()
{
    QFETCH(bool, beside);
    QFETCH(bool, user);
    QFETCH(int, expected);

    const QString besideFonts = QDir(appDir).filePath("fonts");
    const QString userFonts = QDir(dataDir).filePath("fonts");
    if (beside)
        QVERIFY(QDir().mkpath(besideFonts));
    if (user)
        QVERIFY(QDir().mkpath(userFonts));
    // A file of that name in the configuration folder is no fonts folder.
    QVERIFY(QDir().mkpath(configDir));
    QVERIFY(QDir().mkpath(QDir(configDir).filePath("fonts")));

    QStringList folders;
    if (expected & 1)
        folders.append(besideFonts);
    if (expected & 2)
        folders.append(userFonts);
    const FileLocations locations(appDir, configDir, dataDir);
    QCOMPARE(locations.folderPaths("fonts", FileLocations::Kind::Data), folders);
}

void TestFileLocations::applicationLocations()
{
    QStandardPaths::setTestModeEnabled(true);
    const FileLocations locations = FileLocations::forApplication();
    QCOMPARE(locations.applicationDir(), QCoreApplication::applicationDirPath());
    QCOMPARE(locations.userDir(FileLocations::Kind::Config),
             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    QCOMPARE(locations.userDir(FileLocations::Kind::Data),
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QTEST_GUILESS_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
