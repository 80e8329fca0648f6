#include "loopbackhttpserver.h"
#include "mainwindow.h"
#include "messagelog.h"

#include <QAction>
#include <QNetworkProxy>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

// The default start: no server is configured, so nothing may go out.
class TestMainWindowOffline : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void noServerSendsNothingAndShowsTheOwnPage();
    void startPageLinksRunTheCommands();

private:
    LoopbackHttpServer proxy;
};

void TestMainWindowOffline::initTestCase()
{
    qputenv("QELUN_API_BASE_URL", "");
    qputenv("QELUN_SITE_BASE_URL", "");
    // Every HTTP request of the process, to any host, would go through this
    // proxy: a connection to it is traffic that the start tried to send.
    QVERIFY(proxy.listenOnLoopback());
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxy.serverPort()));
}

void TestMainWindowOffline::cleanupTestCase()
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestMainWindowOffline::noServerSendsNothingAndShowsTheOwnPage()
{
    MessageLog log;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(500);

    QCOMPARE(proxy.connections, 0);
    QVERIFY(log.startingWith(QStringLiteral("Error: ")).isEmpty());
    auto *page = window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"));
    QVERIFY(page->isVisible());
    const QString text = page->toPlainText();
    for (const char *part : {"Qelun工尺谱", "新建", "打开", "示例曲谱", "帮助"})
        QVERIFY2(text.contains(QString::fromUtf8(part)), part);
}

void TestMainWindowOffline::startPageLinksRunTheCommands()
{
    MainWindow window;
    auto *page = window.findChild<QTextBrowser *>(QStringLiteral("sponsorPage"));
    auto *tabWidget = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    emit page->anchorClicked(QUrl(QStringLiteral("qelun:new")));
    QCOMPARE(tabWidget->count(), 1);
    // A link the page does not know does nothing.
    emit page->anchorClicked(QUrl(QStringLiteral("qelun:format-disk")));
    QCOMPARE(tabWidget->count(), 1);
}

QTEST_MAIN(TestMainWindowOffline)
#include "tst_mainwindow_offline.moc"
