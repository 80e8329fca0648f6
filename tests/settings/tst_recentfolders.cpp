#include "recentfolders.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestRecentFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startPath_data();
    void startPath();
    void rememberKeepsOtherSettings();
    void fileNameFor_data();
    void fileNameFor();

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString settingsPath;
};

void TestRecentFolders::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    settingsPath = dir->filePath(QStringLiteral("settings.ini"));
    for (const char *folder : {"scores", "exports", "gone"})
        QVERIFY(QDir(dir->path()).mkdir(QLatin1String(folder)));
    QFile document(dir->filePath(QStringLiteral("scores/aria.gcp")));
    QVERIFY(document.open(QIODevice::WriteOnly));
}

void TestRecentFolders::startPath_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("expected");
    // Paths relative to the test's folder; "~" is the home folder.
    QTest::addRow("the document's folder first") << "exports" << "scores/aria.gcp" << "scores";
    QTest::addRow("never saved: the last folder") << "exports" << "未命名" << "exports";
    QTest::addRow("a folder since removed") << "gone" << "" << "~";
    QTest::addRow("nothing remembered") << "" << "" << "~";
}

void TestRecentFolders::startPath()
{
    QFETCH(QString, remembered);
    QFETCH(QString, document);
    QFETCH(QString, expected);
    const RecentFolders folders(settingsPath);
    if (!remembered.isEmpty())
        QVERIFY(folders.remember(RecentFolders::Kind::Export, dir->filePath(remembered + QStringLiteral("/x.pdf"))));
    QVERIFY(QDir(dir->filePath(QStringLiteral("gone"))).removeRecursively());
    const QString documentPath = document.isEmpty() || !document.contains(QLatin1Char('/')) ? document
                                                                                            : dir->filePath(document);
    const QString folder = expected == QLatin1String("~") ? QDir::homePath() : dir->filePath(expected);
    QCOMPARE(folders.startPath(RecentFolders::Kind::Export, documentPath), folder);
    QCOMPARE(folders.startPath(RecentFolders::Kind::Export, documentPath, QStringLiteral("游园.pdf")),
             QDir(folder).filePath(QStringLiteral("游园.pdf")));
    // Each kind of file has its own folder.
    if (document.isEmpty())
        QCOMPARE(folders.startPath(RecentFolders::Kind::Scheme, documentPath), QDir::homePath());
}

void TestRecentFolders::rememberKeepsOtherSettings()
{
    {
        QSettings settings(settingsPath, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Export/colWidth"), 150);
    }
    const RecentFolders folders(settingsPath);
    QVERIFY(folders.remember(RecentFolders::Kind::Score, dir->filePath(QStringLiteral("scores"))));
    QCOMPARE(folders.folder(RecentFolders::Kind::Score), dir->filePath(QStringLiteral("scores")));
    QCOMPARE(QSettings(settingsPath, QSettings::IniFormat).value(QStringLiteral("Export/colWidth")).toInt(), 150);
}

void TestRecentFolders::fileNameFor_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addRow("a title") << "牡丹亭游园" << "牡丹亭游园.pdf";
    QTest::addRow("separators and reserved characters") << "游/园\\惊:梦*?\"<>|" << "游园惊梦.pdf";
    QTest::addRow("control characters") << QStringLiteral("游\t园\n") << "游园.pdf";
    QTest::addRow("a hidden name") << "..游园" << "游园.pdf";
    QTest::addRow("nothing left") << " / . " << "";
    QTest::addRow("outside the BMP") << QStringLiteral("𠀀曲") << QStringLiteral("𠀀曲.pdf");
}

void TestRecentFolders::fileNameFor()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(RecentFolders::fileNameFor(title, QStringLiteral("pdf")), name);
}

QTEST_GUILESS_MAIN(TestRecentFolders)
#include "tst_recentfolders.moc"
