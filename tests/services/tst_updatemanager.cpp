#include "boxrecorder.h"
#include "loopbackhttpserver.h"
#include "messagelog.h"
#include "updatemanager.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWidget>

namespace {

// Stands in for the desktop's browser: records what it was asked to open.
class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

const QByteArray updatePath = "/update_check.json";

} // namespace

class TestUpdateManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void reply_data();
    void reply();
    void requestIsOneGetWithContentType();
    void boxesAppearOverTheParentWindow();
    void forcedUpdateCallsTheQuitHandler_data();
    void forcedUpdateCallsTheQuitHandler();
    void browserThatCannotOpenGetsSecondBox();
    // Closes the server: keep it last.
    void unreachableServer();

private:
    // Runs one check against the server and waits for its answer.
    QList<QVariant> check(UpdateManager &manager);

    LoopbackHttpServer server;
    Browser browser;
};

void TestUpdateManager::initTestCase()
{
    QVERIFY(server.listenOnLoopback());
    // Read once, at the first manager: everything here talks to this server.
    qputenv("QELUN_API_BASE_URL", server.baseUrl());
    qputenv("QELUN_SITE_BASE_URL", server.baseUrl() + "/site");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
}

void TestUpdateManager::init()
{
    server.requests.clear();
    browser.opened.clear();
}

void TestUpdateManager::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

QList<QVariant> TestUpdateManager::check(UpdateManager &manager)
{
    QSignalSpy submitted(&manager, &UpdateManager::dataSubmitted);
    manager.checkForUpdate();
    if (!submitted.wait(10000) && submitted.isEmpty())
        return {};
    QTest::qWait(50);
    if (submitted.size() != 1)
        return {};
    return submitted.takeFirst();
}

void TestUpdateManager::reply_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("announced");

    QTest::addRow("this version") << QByteArray(R"({"version": "2.0"})") << false;
    QTest::addRow("this version, force set") << QByteArray(R"({"version": "2.0", "force": true})") << false;
    // Versions are compared for equality only: an older one is announced too.
    QTest::addRow("older version") << QByteArray(R"({"version": "1.9"})") << true;
    QTest::addRow("newer version") << QByteArray(R"({"version": "2.1", "force": false})") << true;
    QTest::addRow("version 2.0 as a number") << QByteArray(R"({"version": 2.0})") << true;
    QTest::addRow("empty object") << QByteArray("{}") << true;
    QTest::addRow("plain text") << QByteArray("no update today") << false;
    QTest::addRow("JSON array") << QByteArray(R"([{"version": "3.0"}])") << false;
    QTest::addRow("empty body") << QByteArray() << false;
}

void TestUpdateManager::reply()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, announced);
    server.replies.insert(updatePath, {200, "application/json", body});

    UpdateManager manager;
    int quits = 0;
    manager.setQuitHandler([&quits] { ++quits; });
    BoxRecorder boxes;
    const QList<QVariant> result = check(manager);

    QCOMPARE(result.size(), 2);
    QCOMPARE(result.at(0).toBool(), true);
    QCOMPARE(result.at(1).toString(), QString::fromUtf8(body));
    if (announced) {
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("更新提示"));
        QCOMPARE(boxes.boxes.first().text, QStringLiteral("有新版本可用，请更新！"));
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QString::fromUtf8(server.baseUrl() + "/site/"))});
    } else {
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(browser.opened.isEmpty());
    }
    QCOMPARE(quits, 0);
}

void TestUpdateManager::requestIsOneGetWithContentType()
{
    server.replies.insert(updatePath, {200, "application/json", R"({"version": "2.0"})"});
    UpdateManager manager;
    QCOMPARE(check(manager).value(0).toBool(), true);

    QCOMPARE(server.requests.size(), 1);
    const LoopbackHttpServer::Request &request = server.requests.first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path, updatePath);
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QVERIFY(request.body.isEmpty());
}

void TestUpdateManager::boxesAppearOverTheParentWindow()
{
    server.replies.insert(updatePath, {200, "application/json", R"({"version": "3.0"})"});
    QWidget window;
    window.show();
    UpdateManager manager(&window);
    BoxRecorder boxes;
    check(manager);
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes.first().parent.data(), &window);
}

void TestUpdateManager::forcedUpdateCallsTheQuitHandler_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("quits");
    QTest::addRow("other version, forced") << QByteArray(R"({"version": "3.0", "force": true})") << 1;
    QTest::addRow("other version, not forced") << QByteArray(R"({"version": "3.0", "force": false})") << 0;
    QTest::addRow("force as text is not a flag") << QByteArray(R"({"version": "3.0", "force": "true"})") << 0;
}

void TestUpdateManager::forcedUpdateCallsTheQuitHandler()
{
    QFETCH(QByteArray, body);
    QFETCH(int, quits);
    server.replies.insert(updatePath, {200, "application/json", body});
    UpdateManager manager;
    int called = 0;
    int boxesWhenCalled = -1;
    BoxRecorder boxes;
    manager.setQuitHandler([&] {
        ++called;
        boxesWhenCalled = boxes.boxes.size();
    });
    check(manager);
    QCOMPARE(called, quits);
    // The user is told before the program goes.
    if (quits)
        QCOMPARE(boxesWhenCalled, 1);
}

void TestUpdateManager::browserThatCannotOpenGetsSecondBox()
{
    server.replies.insert(updatePath, {200, "application/json", R"({"version": "3.0", "force": true})"});
    // A handler without the named slot makes opening fail, as a desktop
    // without a browser does, and nothing is launched.
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "noSuchSlot");
    UpdateManager manager;
    int quits = 0;
    manager.setQuitHandler([&quits] { ++quits; });
    BoxRecorder boxes;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("noSuchSlot")));
    check(manager);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");

    QCOMPARE(boxes.texts(),
             QStringList({QStringLiteral("有新版本可用，请更新！"),
                          QStringLiteral("无法打开下载链接，请到官网下载：") + QString::fromUtf8(server.baseUrl())
                              + QStringLiteral("/site/！")}));
    QCOMPARE(boxes.boxes.at(1).title, QStringLiteral("更新提示"));
    QCOMPARE(quits, 1);
}

void TestUpdateManager::unreachableServer()
{
    server.close();
    UpdateManager manager;
    int quits = 0;
    manager.setQuitHandler([&quits] { ++quits; });
    BoxRecorder boxes;
    MessageLog log;
    const QList<QVariant> result = check(manager);

    QCOMPARE(result.size(), 2);
    QCOMPARE(result.at(0).toBool(), false);
    const QString error = result.at(1).toString();
    QVERIFY(!error.isEmpty());
    QCOMPARE(log.startingWith(QStringLiteral("Error: ")), QStringList{QStringLiteral("Error: ") + error});
    QVERIFY(boxes.boxes.isEmpty());
    QVERIFY(browser.opened.isEmpty());
    QCOMPARE(quits, 0);
}

QTEST_MAIN(TestUpdateManager)
#include "tst_updatemanager.moc"
