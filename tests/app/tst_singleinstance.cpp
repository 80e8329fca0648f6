#include "singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The hand-over between two starts of the real program, each in a process
// of its own, against a listener in this test or a program that was killed.
class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondStart_data();
    void secondStart();
    void staleSocketIsTakenOver();
    void answeringSocketIsNotTaken();

private:
    QProcess *start(const QStringList &arguments);

    QTemporaryDir home;
    QString name;
};

void TestSingleInstance::initTestCase()
{
    QVERIFY(home.isValid());
    // The runtime folder, and the settings of the programs started here, are
    // this test's own; children inherit them.
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    QVERIFY(QDir().mkpath(runtime));
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    name = SingleInstance::defaultName();
    QVERIFY(name.startsWith(runtime + QLatin1Char('/')));
}

QProcess *TestSingleInstance::start(const QStringList &arguments)
{
    auto *process = new QProcess(this);
    process->setWorkingDirectory(home.path());
    process->start(QStringLiteral(QELUN_EXECUTABLE), arguments);
    return process;
}

void TestSingleInstance::secondStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("handsOver");
    QTest::addColumn<QStringList>("expected"); // relative to the working folder
    QTest::addColumn<int>("exitCode");

    QTest::addRow("two files, the last one current") << QStringList{"b.gcp", "sub/a.gcp"} << true
                                                     << QStringList{"b.gcp", "sub/a.gcp"} << 0;
    QTest::addRow("names beyond the BMP, with spaces") << QStringList{"曲 𠀀 one.gcp"} << true
                                                       << QStringList{"曲 𠀀 one.gcp"} << 0;
    QTest::addRow("no file: the window comes to the front") << QStringList{} << true << QStringList{} << 0;
    QTest::addRow("--version") << QStringList{"--version"} << false << QStringList{} << 0;
    QTest::addRow("--help") << QStringList{"--help", "b.gcp"} << false << QStringList{} << 0;
    QTest::addRow("--export") << QStringList{"--export", "out.pdf", "missing.gcp"} << false << QStringList{}
                              << 2;
}

void TestSingleInstance::secondStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, handsOver);
    QFETCH(QStringList, expected);
    QFETCH(int, exitCode);

    SingleInstance running(name);
    QVERIFY(running.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);
    QProcess *second = start(arguments);
    // This process answers from its event loop, as a running window does.
    QTRY_COMPARE_WITH_TIMEOUT(second->state(), QProcess::NotRunning, 20000);
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), exitCode);
    QTest::qWait(50);
    if (!handsOver) {
        QCOMPARE(received.size(), 0);
        return;
    }
    QCOMPARE(received.size(), 1);
    QStringList absolute;
    for (const QString &path : expected)
        absolute.append(QDir(home.path()).absoluteFilePath(path));
    QCOMPARE(received.at(0).at(0).toStringList(), absolute);
}

void TestSingleInstance::staleSocketIsTakenOver()
{
    // A program killed while its window was open leaves its socket behind.
    QProcess *first = start({QStringLiteral("-platform"), QStringLiteral("offscreen")});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(name), 20000);
    first->kill();
    QVERIFY(first->waitForFinished(10000));
    QVERIFY(QFileInfo::exists(name));

    SingleInstance next(name);
    QVERIFY(!next.handOver({QStringLiteral("a.gcp")}, 2000));
    QVERIFY(next.listen());
    // And the next start after that hands its files to the new listener.
    QSignalSpy received(&next, &SingleInstance::filesReceived);
    QProcess *third = start({QStringLiteral("c.gcp")});
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(third->state(), QProcess::NotRunning, 10000);
    QCOMPARE(third->exitCode(), 0);
}

void TestSingleInstance::answeringSocketIsNotTaken()
{
    SingleInstance running(name);
    QVERIFY(running.listen());
    SingleInstance other(name);
    QVERIFY(!other.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);
    // Nothing but a hand-over is taken for one.
    QLocalSocket stranger;
    stranger.connectToServer(name);
    QVERIFY(stranger.waitForConnected(2000));
    stranger.write(QByteArray(64, 'x'));
    QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(received.size(), 0);
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
