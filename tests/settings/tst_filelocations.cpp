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
    void systemFolder_data();
    void systemFolder();
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

enum class Folder { Writable, ReadOnly, Missing, System };

void TestFileLocations::filePath_data()
{
    QTest::addColumn<Folder>("folder");
    QTest::addColumn<bool>("portable");
    QTest::addColumn<bool>("besideExists");
    QTest::addColumn<bool>("userExists");
    QTest::addColumn<bool>("expectBeside");

    QTest::addRow("new file, writable program folder") << Folder::Writable << false << false << false << false;
    QTest::addRow("new file, portable") << Folder::Writable << true << false << false << true;
    QTest::addRow("portable wins over a per-user file") << Folder::Writable << true << false << true << true;
    QTest::addRow("new file, portable, read-only folder") << Folder::ReadOnly << true << false << false << false;
    QTest::addRow("existing file beside keeps working") << Folder::Writable << false << true << false << true;
    QTest::addRow("file beside wins over a per-user file") << Folder::Writable << false << true << true << true;
    QTest::addRow("per-user file") << Folder::Writable << false << false << true << false;
    QTest::addRow("program folder missing") << Folder::Missing << false << false << false << false;
    // Root running the installed program: /usr/bin is writable for it.
    QTest::addRow("system folder, root's old file beside") << Folder::System << false << true << false << false;
    QTest::addRow("system folder, portable marker") << Folder::System << true << false << false << false;
    QTest::addRow("system folder, per-user file") << Folder::System << true << true << true << false;
}

void TestFileLocations::filePath()
{
    QFETCH(Folder, folder);
    QFETCH(bool, portable);
    QFETCH(bool, besideExists);
    QFETCH(bool, userExists);
    QFETCH(bool, expectBeside);

    const QString programDir = folder == Folder::Missing ? root->filePath("no/such/bin") : appDir;
    if (portable)
        QVERIFY(touch(QDir(programDir).filePath(FileLocations::portableMarker)));
    if (besideExists)
        QVERIFY(touch(QDir(programDir).filePath("settings.ini")));
    if (userExists) {
        QVERIFY(QDir().mkpath(configDir));
        QVERIFY(touch(QDir(configDir).filePath("settings.ini")));
    }
    if (folder == Folder::ReadOnly) {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QFile::setPermissions(appDir, QFile::ReadOwner | QFile::ExeOwner));
    }

    const FileLocations locations(programDir, configDir, dataDir, folder == Folder::System);
    QCOMPARE(locations.isPortable(), portable && folder != Folder::System);
    const QString path = locations.filePath("settings.ini", FileLocations::Kind::Config);
    const QString expected = QDir(expectBeside ? programDir : configDir).filePath("settings.ini");
    QCOMPARE(path, expected);
    // The folder of a per-user file is there to be written into.
    if (!expectBeside)
        QVERIFY(QFileInfo(configDir).isDir());
    QVERIFY(!QFileInfo::exists(dataDir));
}

void TestFileLocations::systemFolder_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<bool>("otherUser");
    QTest::addColumn<bool>("expected");

    QTest::addRow("own folder") << QString() << false << false;
    QTest::addRow("another user's folder") << QString() << true << true;
    QTest::addRow("missing folder") << QStringLiteral("missing") << false << true;
    QTest::addRow("/usr/bin") << QStringLiteral("/usr/bin") << false << true;
    QTest::addRow("/usr/local/bin") << QStringLiteral("/usr/local/bin") << false << true;
    QTest::addRow("/opt") << QStringLiteral("/opt") << false << true;
}

void TestFileLocations::systemFolder()
{
    QFETCH(QString, dir);
    QFETCH(bool, otherUser);
    QFETCH(bool, expected);

    if (dir.isEmpty())
        dir = appDir;
    else if (!dir.startsWith(QLatin1Char('/')))
        dir = root->filePath(dir);
    // Whoever runs it, root included: the owner decides, not the permissions.
    const uint user = otherUser ? FileLocations::currentUserId() + 1 : FileLocations::currentUserId();
    QCOMPARE(FileLocations::isSystemFolder(dir, user), expected);
}

void TestFileLocations::folderPaths_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("user");
    QTest::addColumn<bool>("system");
    QTest::addColumn<int>("expected"); // bit 1: beside, bit 2: user

    QTest::addRow("both") << true << true << false << 3;
    QTest::addRow("beside only") << true << false << false << 1;
    QTest::addRow("user only") << false << true << false << 2;
    QTest::addRow("none") << false << false << false << 0;
    QTest::addRow("beside a system folder") << true << true << true << 2;
}

void TestFileLocations::folderPaths()
{
    QFETCH(bool, beside);
    QFETCH(bool, user);
    QFETCH(bool, system);
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
    const FileLocations locations(appDir, configDir, dataDir, system);
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
