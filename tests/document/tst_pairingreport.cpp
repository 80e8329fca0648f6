#include "pairingreport.h"

#include <QTest>

// How a score pairs with its sung characters, and what the user is told.
class TestPairingReport : public QObject
{
    Q_OBJECT

private slots:
    void report_data();
    void report();
};

void TestPairingReport::report_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");
    QTest::addColumn<bool>("paired");
    QTest::addColumn<int>("firstSurplusLine");
    QTest::addColumn<int>("firstCharWithoutLine");
    QTest::addColumn<int>("unexported");
    QTest::addColumn<QString>("status");

    QTest::addRow("new document") << QString() << QString() << true << -1 << 0 << 0 << QString();
    QTest::addRow("notation typed before any lyric")
        << QString() << QStringLiteral("工") << true << -1 << 0 << 1 << QString();
    QTest::addRow("paired") << QStringLiteral("# 题\n原来\n姹") << QStringLiteral("a\nb\n") << true << -1 << 0 << 0
                            << QString();
    QTest::addRow("older save: one empty line too many")
        << QStringLiteral("原来") << QStringLiteral("a\nb\n") << false << 2 << 0 << 0
        << QStringLiteral("曲谱 3 行，唱字 2 个，不成对：曲谱第 3 行起没有对应的唱字");
    QTest::addRow("split: notation pushed past the last character")
        << QStringLiteral("原来") << QStringLiteral("a\nb\n c ") << false << 2 << 0 << 1
        << QStringLiteral("曲谱 3 行，唱字 2 个，不成对：曲谱第 3 行起没有对应的唱字");
    QTest::addRow("blank extra lines hold no notation")
        << QStringLiteral("原") << QStringLiteral("a\n \t\n") << false << 1 << 0 << 0
        << QStringLiteral("曲谱 3 行，唱字 1 个，不成对：曲谱第 2 行起没有对应的唱字");
    QTest::addRow("extra lines without any sung character")
        << QStringLiteral("# 题") << QStringLiteral("\nb") << false << 1 << 0 << 1
        << QStringLiteral("曲谱 2 行，唱字 0 个，不成对：曲谱第 2 行起没有对应的唱字");
    QTest::addRow("joined: a line too few")
        << QStringLiteral("原来姹") << QStringLiteral("ab\nc") << false << -1 << 3 << 0
        << QStringLiteral("曲谱 2 行，唱字 3 个，不成对：第 3 个唱字起没有对应的曲谱行");
    QTest::addRow("windows line ends count once")
        << QStringLiteral("原\r\n来") << QStringLiteral("a\r\nb") << true << -1 << 0 << 0 << QString();
}

void TestPairingReport::report()
{
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    QFETCH(bool, paired);
    QFETCH(int, firstSurplusLine);
    QFETCH(int, firstCharWithoutLine);
    QFETCH(int, unexported);
    QFETCH(QString, status);

    const PairingReport report(lyric, score);
    QCOMPARE(report.isPaired(), paired);
    QCOMPARE(report.firstSurplusLine(), firstSurplusLine);
    QCOMPARE(report.firstCharWithoutLine(), firstCharWithoutLine);
    QCOMPARE(report.unexportedNotationLines(), unexported);
    QCOMPARE(report.statusText(), status);
    QCOMPARE(report.unexportedWarning().isEmpty(), unexported == 0);
    if (unexported > 0)
        QVERIFY(report.unexportedWarning().contains(QStringLiteral("有 %1 行曲谱").arg(unexported)));
}

QTEST_MAIN(TestPairingReport)
#include "tst_pairingreport.moc"
