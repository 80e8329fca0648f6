#include "loopbackhttpserver.h"
#include "mainwindow.h"
#include "messagelog.h"
#include "statisticsmanager.h"
#include "updatemanager.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QSignalSpy>
#include <QTimer>
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
    void servicesWithoutServerSendNothing();
    void helpAndAboutOpenModally_data();
    void helpAndAboutOpenModally();

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

void TestMainWindowOffline::servicesWithoutServerSendNothing()
{
    MessageLog log;
    UpdateManager update;
    StatisticsManager statistics;
    QSignalSpy updateDone(&update, &UpdateManager::dataSubmitted);
    QSignalSpy statisticsDone(&statistics, &StatisticsManager::dataSubmitted);
    update.checkForUpdate();
    statistics.submitStatistics();
    QTest::qWait(300);

    QCOMPARE(proxy.connections, 0);
    QCOMPARE(updateDone.size(), 0);
    QCOMPARE(statisticsDone.size(), 0);
    QVERIFY(log.messages.isEmpty());
}

void TestMainWindowOffline::helpAndAboutOpenModally_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QSize>("size");
    QTest::addRow("help") << "helpAction" << "Help" << QSize(817, 568);
    QTest::addRow("about") << "aboutAction" << "About" << QSize(755, 495);
}

void TestMainWindowOffline::helpAndAboutOpenModally()
{
    QFETCH(QString, action);
    QFETCH(QString, dialog);
    QFETCH(QSize, size);
    MainWindow window;
    window.show();

    QString seenName, seenTitle;
    QSize seenSize;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        seenName = modal->objectName();
        seenTitle = modal->windowTitle();
        seenSize = modal->size();
        modal->reject();
    });
    closer.start(20);
    window.findChild<QAction *>(action)->trigger();
    closer.stop();

    QCOMPARE(seenName, dialog);
    QCOMPARE(seenTitle, dialog);
    QCOMPARE(seenSize, size);
    // Gone once exec() has returned.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows)
        QVERIFY(widget->objectName() != dialog);
}

QTEST_MAIN(TestMainWindowOffline)
#include "tst_mainwindow_offline.moc"
