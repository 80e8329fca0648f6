#include "recentfolders.h"

#include <QTest>

// The file names the dialogs suggest from a score's title, which may hold
// anything a user can type.
class TestRecentFolders : public QObject
{
    Q_OBJECT

private slots:
    void fileNameFor_data();
    void fileNameFor();
};

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
