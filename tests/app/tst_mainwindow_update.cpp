#include "boxrecorder.h"
#include "loopbackhttpserver.h"
#include "mainwindow.h"
#include "ql_edit.h"
#include "updatemanager.h"

#include <QAction>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

QTabWidget *tabs(MainWindow &window)
{
    return window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
}

void addDocument(MainWindow &window, bool modified)
{
    window.findChild<QAction *>(QStringLiteral("newAction"))->trigger();
    if (modified) {
        window.currentDocument()->findChild<QPlainTextEdit *>(QStringLiteral("lyricEdit"))
            ->insertPlainText(QStringLiteral("我"));
    }
}

// The exit code of the event loop once the window's update check has been
// handled: 0 when the program quit, 2 when it stayed open, 3 on time-out.
int runUntilChecked(MainWindow &window)
{
    QObject guard;
    auto *manager = window.findChild<UpdateManager *>();
    if (!manager)
        return -1;
    QObject::connect(manager, &UpdateManager::dataSubmitted, &guard, [&guard] {
        QTimer::singleShot(200, &guard, [] { QCoreApplication::exit(2); });
    });
    QTimer::singleShot(20000, &guard, [] { QCoreApplication::exit(3); });
    return QCoreApplication::exec();
}

} // namespace

class TestMainWindowUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void checkRunsAtStartAndBoxIsOverTheWindow();
    void forcedUpdateClosesDocumentsFirst_data();
    void forcedUpdateClosesDocumentsFirst();

private:
    LoopbackHttpServer server;
    Browser browser;
};

void TestMainWindowUpdate::initTestCase()
{
    QVERIFY(server.listenOnLoopback());
    qputenv("QELUN_API_BASE_URL", server.baseUrl());
    qputenv("QELUN_SITE_BASE_URL", server.baseUrl());
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
    server.replies.insert("/sponsor.html", {200, "text/html; charset=utf-8", "<p>server page</p>"});
}

void TestMainWindowUpdate::init()
{
    server.requests.clear();
    browser.opened.clear();
}

void TestMainWindowUpdate::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestMainWindowUpdate::checkRunsAtStartAndBoxIsOverTheWindow()
{
    server.replies.insert("/update_check.json", {200, "application/json", R"({"version": "2.1"})"});
    BoxRecorder boxes;
    MainWindow window;
    window.show();
    QCOMPARE(runUntilChecked(window), 2);

    QList<QByteArray> paths;
    for (const LoopbackHttpServer::Request &request : qAsConst(server.requests))
        paths.append(request.path);
    std::sort(paths.begin(), paths.end());
    QCOMPARE(paths, QList<QByteArray>({"/sponsor.html", "/update_check.json"}));
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes.first().text, QStringLiteral("有新版本可用，请更新！"));
    QCOMPARE(boxes.boxes.first().parent.data(), &window);
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(QString::fromUtf8(server.baseUrl() + "/"))});
}

void TestMainWindowUpdate::forcedUpdateClosesDocumentsFirst_data()
{
    QTest::addColumn<bool>("force");
    QTest::addColumn<QList<bool>>("documents"); // modified or not, left to right
    QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("tabsLeft");

    using B = QMessageBox::StandardButton;
    QTest::addRow("forced, no document") << true << QList<bool>{} << QList<B>{} << 0 << 0;
    QTest::addRow("forced, saved documents") << true << QList<bool>{false, false} << QList<B>{} << 0 << 0;
    QTest::addRow("forced, unsaved document let go")
        << true << QList<bool>{true} << QList<B>{QMessageBox::No} << 0 << 0;
    QTest::addRow("forced, unsaved document kept")
        << true << QList<bool>{true} << QList<B>{QMessageBox::Cancel} << 2 << 1;
    // The rightmost is asked first; keeping it keeps the ones left of it.
    QTest::addRow("forced, second of two unsaved kept")
        << true << QList<bool>{true, false, true} << QList<B>{QMessageBox::Cancel} << 2 << 3;
    QTest::addRow("not forced, no document") << false << QList<bool>{} << QList<B>{} << 2 << 0;
}

void TestMainWindowUpdate::forcedUpdateClosesDocumentsFirst()
{
    QFETCH(bool, force);
    QFETCH(QList<bool>, documents);
    QFETCH(QList<QMessageBox::StandardButton>, answers);
    QFETCH(int, exitCode);
    QFETCH(int, tabsLeft);
    server.replies.insert("/update_check.json",
                          {200, "application/json",
                           force ? R"({"version": "3.0", "force": true})" : R"({"version": "3.0"})"});

    BoxRecorder boxes({{QStringLiteral("警告"), answers}});
    MainWindow window;
    window.show();
    // The reply is handled from the event loop, after the documents exist.
    for (bool modified : documents)
        addDocument(window, modified);
    QCOMPARE(runUntilChecked(window), exitCode);

    QCOMPARE(tabs(window)->count(), tabsLeft);
    QCOMPARE(boxes.boxes.value(0).title, QStringLiteral("更新提示"));
    // One question per unsaved document reached, nothing more.
    QCOMPARE(boxes.boxes.size(), 1 + answers.size());
    for (int i = 1; i < boxes.boxes.size(); ++i)
        QCOMPARE(boxes.boxes.at(i).title, QStringLiteral("警告"));
}

QTEST_MAIN(TestMainWindowUpdate)
#include "tst_mainwindow_update.moc"
