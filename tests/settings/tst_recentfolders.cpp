#include "recentfolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecentFolders : public QObject
{
    Q_OBJECT

private slots:
    void startPath_data();
    void startPath();
    void fileNameFor_data();
    void fileNameFor();
};

void TestRecentFolders::startPath_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("expected");
    // Folders of the test's own; "~" is the home folder.
    QTest::addRow("the document's folder first") << "exports" << "scores/aria.gcp" << "scores";
    QTest::addRow("never saved: the last folder") << "exports" << "未命名" << "exports";
    QTest::addRow("a folder since removed") << "gone" << "" << "~";
}

void TestRecentFolders::startPath()
{
    QFETCH(QString, remembered);
    QFETCH(QString, document);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("scores")) && QDir().mkpath(dir.filePath("exports")));
    QVERIFY(QDir().mkpath(dir.filePath("gone")) && QFile(dir.filePath("scores/aria.gcp")).open(QIODevice::WriteOnly));
    const RecentFolders folders(dir.filePath("settings.ini"));
    QVERIFY(folders.remember(RecentFolders::Kind::Export, dir.filePath(remembered + "/x.pdf")));
    QVERIFY(QDir(dir.filePath("gone")).removeRecursively());
    const QString documentPath = document.contains('/') ? dir.filePath(document) : document;
    const QString folder = expected == "~" ? QDir::homePath() : dir.filePath(expected);
    QCOMPARE(folders.startPath(RecentFolders::Kind::Export, documentPath, "游园.pdf"), QDir(folder).filePath("游园.pdf"));
    // Each kind of file has a folder of its own.
    QCOMPARE(folders.startPath(RecentFolders::Kind::Scheme, QString()), QDir::homePath());
}

void TestRecentFolders::fileNameFor_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::addRow("separators and reserved characters") << "游/园\\惊:梦*?\"<>|" << "游园惊梦.pdf";
    QTest::addRow("control characters, a hidden name") << QStringLiteral("..游\t园\n") << "游园.pdf";
    QTest::addRow("nothing left") << " / . " << "";
    QTest::addRow("outside the BMP") << QStringLiteral("𠀀曲") << QStringLiteral("𠀀曲.pdf");
}

void TestRecentFolders::fileNameFor()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    QCOMPARE(RecentFolders::fileNameFor(title, "pdf"), name);
}

QTEST_GUILESS_MAIN(TestRecentFolders)
#include "tst_recentfolders.moc"
