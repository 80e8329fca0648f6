#include "loopbackhttpserver.h"
#include "messagelog.h"
#include "statisticsmanager.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestStatisticsManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void firstReportCreatesTheIdentifierAndTheSecondReusesIt();
    void unwritableFileStillGivesAnIdentifier();
    void failedReportIsLoggedAndSignalled();

private:
    QString managerIni() const;
    // Sends one report and returns the request the server received.
    LoopbackHttpServer::Request report();

    LoopbackHttpServer server;
};

void TestStatisticsManager::initTestCase()
{
    // Keeps the per-user configuration folder of whoever runs the test out of it.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(server.listenOnLoopback());
    qputenv("QELUN_API_BASE_URL", server.baseUrl());
    server.replies.insert("/statistics.php", {200, "text/plain", "ok"});
    cleanup();
}

void TestStatisticsManager::cleanup()
{
    QFile::remove(managerIni());
    server.requests.clear();
}

QString TestStatisticsManager::managerIni() const
{
    // Test mode: the per-user configuration folder is the test's own.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .absoluteFilePath(QStringLiteral("manager.ini"));
}

LoopbackHttpServer::Request TestStatisticsManager::report()
{
    StatisticsManager manager;
    QSignalSpy submitted(&manager, &StatisticsManager::dataSubmitted);
    const int before = server.requests.size();
    manager.submitStatistics();
    if (!submitted.wait(10000) || server.requests.size() != before + 1)
        return {};
    if (submitted.first().value(0).toBool() != true || submitted.first().value(1).toString() != "ok")
        return {};
    return server.requests.last();
}

void TestStatisticsManager::firstReportCreatesTheIdentifierAndTheSecondReusesIt()
{
    QVERIFY(!QFile::exists(managerIni()));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const LoopbackHttpServer::Request first = report();
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    QCOMPARE(first.method, QByteArray("POST"));
    QCOMPARE(first.path, QByteArray("/statistics.php"));
    QCOMPARE(first.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));

    // The values go in as they are: the start time keeps its space and colons.
    const QRegularExpression form(QStringLiteral(
        "^device_id=([0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12})"
        "&start_time=(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)&version=2\\.0$"));
    const QRegularExpressionMatch match = form.match(QString::fromUtf8(first.body));
    QVERIFY2(match.hasMatch(), first.body.constData());
    const QString id = match.captured(1);
    const QDateTime startTime = QDateTime::fromString(match.captured(2), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(startTime >= before.addMSecs(-before.time().msec()));
    QVERIFY(startTime <= after);

    QVERIFY(QFile::exists(managerIni()));
    QCOMPARE(QSettings(managerIni(), QSettings::IniFormat).value(QStringLiteral("device_id")).toString(), id);

    const LoopbackHttpServer::Request second = report();
    QCOMPARE(form.match(QString::fromUtf8(second.body)).captured(1), id);
}

void TestStatisticsManager::unwritableFileStillGivesAnIdentifier()
{
    // A file where the folder should be: the settings file cannot be made.
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("folder")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath(QStringLiteral("folder/manager.ini"));

    const QString first = StatisticsManager::deviceIdentifier(path);
    const QString second = StatisticsManager::deviceIdentifier(path);
    QCOMPARE(first.size(), 36);
    QCOMPARE(second.size(), 36);
    QVERIFY(first != second);
}

void TestStatisticsManager::failedReportIsLoggedAndSignalled()
{
    server.replies.remove("/statistics.php");
    StatisticsManager manager;
    QSignalSpy submitted(&manager, &StatisticsManager::dataSubmitted);
    MessageLog log;
    manager.submitStatistics();
    QVERIFY(submitted.wait(10000));
    server.replies.insert("/statistics.php", {200, "text/plain", "ok"});

    QCOMPARE(submitted.first().at(0).toBool(), false);
    const QString error = submitted.first().at(1).toString();
    QVERIFY(!error.isEmpty());
    QCOMPARE(log.startingWith(QStringLiteral("Error: ")), QStringList{QStringLiteral("Error: ") + error});
}

QTEST_MAIN(TestStatisticsManager)
#include "tst_statisticsmanager.moc"
