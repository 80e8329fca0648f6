#include "dockroom.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QScreen>
#include <QTest>

#include <memory>

// Showing a dock widens a window that has room on the screen instead of
// squeezing its central widget, and hiding it gives the width back. Run on
// an offscreen screen of 1600 x 1000.
class TestDockRoom : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showingTheDockMakesRoom_data();
    void showingTheDockMakesRoom();
    void resizedByTheUserStaysSo();
    void restoredDockLeavesTheWindowAlone();

private:
    void showDock() { dock->toggleViewAction()->trigger(); }
    int centralWidth() const { return window->centralWidget()->width(); }

    std::unique_ptr<QMainWindow> window;
    QDockWidget *dock = nullptr;
};

namespace {

const int preferred = 480;
const int centralMinimum = 460;

} // namespace

void TestDockRoom::init()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1600, 1000));
    window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QWidget);
    dock = new QDockWidget(QStringLiteral("dock"), window.get());
    dock->setWidget(new QWidget);
    window->addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    new DockRoom(window.get(), dock, preferred, centralMinimum);
}

void TestDockRoom::cleanup()
{
    window.reset();
}

void TestDockRoom::showingTheDockMakesRoom_data()
{
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<bool>("closeButton");
    // 2: by the dock's width, 1: by less, 0: not at all.
    QTest::addColumn<int>("growth");

    QTest::addRow("a narrow window grows") << QRect(100, 50, 784, 561) << false << false << 2;
    QTest::addRow("hidden by its close button") << QRect(100, 50, 784, 561) << false << true << 2;
    QTest::addRow("near the right edge it moves left") << QRect(1000, 50, 784, 561) << false << false << 2;
    QTest::addRow("the screen has less room than the dock") << QRect(200, 50, 1200, 561) << false << false << 1;
    QTest::addRow("as wide as the screen") << QRect(0, 0, 1600, 900) << false << false << 0;
    QTest::addRow("maximized") << QRect(100, 50, 784, 561) << true << false << 0;
}

void TestDockRoom::showingTheDockMakesRoom()
{
    QFETCH(QRect, placed);
    QFETCH(bool, maximized);
    QFETCH(bool, closeButton);
    QFETCH(int, growth);

    window->setGeometry(placed);
    if (maximized)
        window->showMaximized();
    else
        window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(window->isMaximized(), maximized);
    const QRect before = window->geometry();
    const QRect frame = window->frameGeometry();
    const int central = centralWidth();
    const QRect available = window->screen()->availableGeometry();
    const int room = maximized ? 0 : qMax(0, available.width() - frame.width());
    const int grows = qMin(preferred, room);
    QCOMPARE(grows == preferred ? 2 : grows > 0 ? 1 : 0, growth);

    showDock();
    QTRY_VERIFY(dock->isVisible());
    QTRY_COMPARE(window->width(), before.width() + grows);
    const QString sizes = QStringLiteral("window %1,%2 %3x%4, dock %5, central %6 of %7")
                              .arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height())
                              .arg(dock->width()).arg(centralWidth()).arg(central);
    if (grows > 0)
        QVERIFY2(available.contains(window->frameGeometry()), qPrintable(sizes));
    // The dock has its width: what the window grew by, and the rest from
    // the central widget, which keeps its minimum.
    QTRY_VERIFY2(qAbs(dock->width() - preferred) <= 8, qPrintable(sizes));
    QVERIFY2(centralWidth() >= centralMinimum - 8, qPrintable(sizes));
    if (grows == preferred)
        QVERIFY2(qAbs(centralWidth() - central) <= 8, qPrintable(sizes));

    if (closeButton)
        dock->close();
    else
        dock->toggleViewAction()->trigger();
    QTRY_VERIFY(!dock->isVisible());
    QTRY_COMPARE(window->geometry(), before);
}

void TestDockRoom::resizedByTheUserStaysSo()
{
    window->setGeometry(100, 50, 784, 561);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    showDock();
    QTRY_COMPARE(window->width(), 784 + preferred);
    window->resize(1100, 561);
    QTRY_COMPARE(window->width(), 1100);
    dock->toggleViewAction()->trigger();
    QTRY_VERIFY(!dock->isVisible());
    QTest::qWait(20);
    QCOMPARE(window->width(), 1100);
}

// A dock shown again by a restored window state (or by the program) comes
// with a window size that already holds it.
void TestDockRoom::restoredDockLeavesTheWindowAlone()
{
    window->setGeometry(100, 50, 784, 561);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    dock->show();
    QTRY_VERIFY(dock->isVisible());
    QTest::qWait(20);
    QCOMPARE(window->geometry(), QRect(100, 50, 784, 561));
    dock->hide();
    QTest::qWait(20);
    QCOMPARE(window->geometry(), QRect(100, 50, 784, 561));
}

QTEST_MAIN(TestDockRoom)
#include "tst_dockroom.moc"
