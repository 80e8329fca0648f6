#include "../editing/modalanswerer.h"
#include "filelocations.h"
#include "livescoreview.h"
#include "mainwindow.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "ql_scoreedit.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "gcptestfiles.h"

using namespace GcpTestFiles;

namespace {

const QString program = QStringLiteral("Qelun工尺谱");

// Answers each message box with the given button and records which window
// it stood over.
class BoxWatcher : public QObject
{
public:
    explicit BoxWatcher(QMessageBox::StandardButton answer)
        : m_answer(answer)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box == m_last)
                return;
            m_last = box;
            texts.append(box->text());
            owners.append(box->parentWidget() ? box->parentWidget()->window() : nullptr);
            if (QAbstractButton *button = box->button(m_answer))
                button->click();
            else
                box->accept();
        });
        m_timer.start(10);
    }
    QStringList texts;
    QList<QWidget *> owners;

private:
    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QPointer<QMessageBox> m_last;
};

} // namespace

class TestMainWindowDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleNamesDocumentAndMarksChanges();
    void closeShortcutClosesThroughPrompt_data();
    void closeShortcutClosesThroughPrompt();
    void tabShortcutsSwitchTabs_data();
    void tabShortcutsSwitchTabs();
    void geometryRestoredAfterRestart_data();
    void geometryRestoredAfterRestart();
    void scoreViewToggledAndRemembered_data();
    void scoreViewToggledAndRemembered();
    void droppedFilesOpen_data();
    void droppedFilesOpen();
    void boxesStandOverTheWindow();
    void emptyFileOpensAsDocument();

private:
    QTabWidget *tabs() const { return window->findChild<QTabWidget *>("tabWidget"); }
    bool tabWidgetCloseCurrent() { return window->tabWidgetClose(tabs()->currentIndex()); }
    QString writeScore(const QString &name, const QString &lyric);
    QString settingsPath() const
    {
        return FileLocations::forApplication().filePath(QStringLiteral("settings.ini"), FileLocations::Kind::Config);
    }

    QTemporaryDir dir;
    MainWindow *window = nullptr;
};

void TestMainWindowDesktop::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir.isValid());
}

void TestMainWindowDesktop::init()
{
    QSettings(settingsPath(), QSettings::IniFormat).remove(QStringLiteral("Window"));
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestMainWindowDesktop::cleanup()
{
    while (tabs()->count() > 0)
        delete tabs()->widget(0);
    delete window;
    window = nullptr;
    QSettings(settingsPath(), QSettings::IniFormat).remove(QStringLiteral("Window"));
}

QString TestMainWindowDesktop::writeScore(const QString &name, const QString &lyric)
{
    const QString path = dir.filePath(name);
    return writeFile(path, encoded(lyric, QString())) ? path : QString();
}

void TestMainWindowDesktop::titleNamesDocumentAndMarksChanges()
{
    QCOMPARE(window->windowTitle(), program);
    QVERIFY(!window->isWindowModified());

    window->newAction();
    QCOMPARE(window->windowTitle(), QStringLiteral("未命名[*] - ") + program);
    QVERIFY(!window->isWindowModified());
    window->currentDocument()->lyricEdit()->setPlainText(QStringLiteral("原"));
    QVERIFY(window->isWindowModified());

    const QString path = writeScore(QStringLiteral("youyuan.gcp"), QStringLiteral("原来"));
    window->openFile(path);
    QCOMPARE(window->windowTitle(), QStringLiteral("youyuan.gcp[*] - ") + program);
    QVERIFY(!window->isWindowModified());

    // The title follows the current tab.
    tabs()->setCurrentIndex(0);
    QCOMPARE(window->windowTitle(), QStringLiteral("未命名[*] - ") + program);
    QVERIFY(window->isWindowModified());

    // A save under a new name renames it and clears the mark.
    ModalAnswerer answerer({dir.filePath(QStringLiteral("song"))});
    window->saveAction();
    QCOMPARE(window->windowTitle(), QStringLiteral("song.gcp[*] - ") + program);
    QVERIFY(!window->isWindowModified());

    while (tabs()->count() > 0)
        delete tabs()->widget(0);
    QCOMPARE(window->windowTitle(), program);
    QVERIFY(!window->isWindowModified());
}

void TestMainWindowDesktop::closeShortcutClosesThroughPrompt_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<int>("tabsLeft");
    QTest::addRow("unchanged document") << false << QMessageBox::Cancel << 0 << 1;
    QTest::addRow("changed, not saved") << true << QMessageBox::No << 1 << 1;
    QTest::addRow("changed, cancelled") << true << QMessageBox::Cancel << 1 << 2;
}

void TestMainWindowDesktop::closeShortcutClosesThroughPrompt()
{
    QFETCH(bool, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(int, boxes);
    QFETCH(int, tabsLeft);
    window->newAction();
    window->newAction();
    QL_Edit *current = window->currentDocument();
    if (modified)
        current->lyricEdit()->setPlainText(QStringLiteral("原"));
    current->lyricEdit()->setFocus();

    BoxWatcher watcher(answer);
    QTest::keyClick(current->lyricEdit(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(watcher.texts.size(), boxes);
    if (boxes > 0)
        QCOMPARE(watcher.texts.first(), QStringLiteral("\"未命名*\"未保存，是否保存？"));
    QCOMPARE(tabs()->count(), tabsLeft);
    // Only the current tab: the other one is never asked about.
    QCOMPARE(tabs()->indexOf(current) >= 0, tabsLeft == 2);
}

void TestMainWindowDesktop::tabShortcutsSwitchTabs_data()
{
    QTest::addColumn<bool>("inScore");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::addRow("Ctrl+Tab") << false << int(Qt::Key_Tab) << ctrl << 1 << 2;
    QTest::addRow("Ctrl+Tab round the end") << false << int(Qt::Key_Tab) << ctrl << 2 << 0;
    QTest::addRow("Ctrl+Tab in the score") << true << int(Qt::Key_Tab) << ctrl << 0 << 1;
    QTest::addRow("Ctrl+PgDown") << false << int(Qt::Key_PageDown) << ctrl << 0 << 1;
    QTest::addRow("Ctrl+Shift+Tab") << false << int(Qt::Key_Tab) << ctrlShift << 1 << 0;
    QTest::addRow("Ctrl+Shift+Backtab") << false << int(Qt::Key_Backtab) << ctrlShift << 1 << 0;
    QTest::addRow("Ctrl+Shift+Tab round the start") << true << int(Qt::Key_Backtab) << ctrlShift << 0 << 2;
    QTest::addRow("Ctrl+PgUp") << false << int(Qt::Key_PageUp) << ctrl << 2 << 1;
}

void TestMainWindowDesktop::tabShortcutsSwitchTabs()
{
    QFETCH(bool, inScore);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, from);
    QFETCH(int, to);
    for (int i = 0; i < 3; ++i)
        window->newAction();
    tabs()->setCurrentIndex(from);
    QL_Edit *document = window->currentDocument();
    QWidget *editor = inScore ? static_cast<QWidget *>(document->scoreEdit()) : document->lyricEdit();
    editor->setFocus();

    QTest::keyClick(editor, Qt::Key(key), modifiers);
    QCOMPARE(tabs()->currentIndex(), to);
    // Nothing was typed: no tab character, no change.
    QVERIFY(document->lyricEdit()->toPlainText().isEmpty());
    QVERIFY(document->scoreEdit()->toPlainText().isEmpty());
    QVERIFY(!document->isModified());
}

void TestMainWindowDesktop::geometryRestoredAfterRestart_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::addColumn<QSize>("size");
    QTest::addRow("moved and resized") << false << QSize(713, 467);
    QTest::addRow("maximized") << true << QSize(713, 467);
    // Saved on a larger screen, or at another scale.
    QTest::addRow("larger than the screen") << false << QSize(3000, 2000);
}

void TestMainWindowDesktop::geometryRestoredAfterRestart()
{
    QFETCH(bool, maximized);
    QFETCH(QSize, size);
    const QRect placed(QPoint(37, 41), size);
    window->setGeometry(placed);
    if (maximized)
        window->showMaximized();
    QTRY_COMPARE(window->isMaximized(), maximized);
    const QRect before = window->geometry();
    // Exit with no document open ends the program, saving the window.
    window->exitAction();
    delete window;

    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(window->isMaximized(), maximized);
    const QRect room = window->screen()->availableGeometry();
    if (!room.contains(placed)) {
        // With its frame, once the window manager has framed it.
        QTRY_VERIFY(room.contains(window->frameGeometry()));
    } else if (!maximized) {
        QCOMPARE(window->geometry(), before);
    } else {
        // Back from maximized, the window has the size it had before.
        window->showNormal();
        QTRY_COMPARE(window->geometry().size(), placed.size());
    }
    QSettings settings(settingsPath(), QSettings::IniFormat);
    QVERIFY(settings.contains(QStringLiteral("Window/geometry")));
}

void TestMainWindowDesktop::scoreViewToggledAndRemembered_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addRow("shown") << true;
    QTest::addRow("shown and hidden again") << false;
}

void TestMainWindowDesktop::scoreViewToggledAndRemembered()
{
    QFETCH(bool, shown);
    auto *dock = window->findChild<QDockWidget *>(QStringLiteral("scorePreviewDock"));
    QVERIFY(dock);
    QCOMPARE(dock->windowTitle(), QStringLiteral("曲谱预览"));
    // Hidden until the user shows it.
    QVERIFY(!dock->isVisible());
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_VERIFY(dock->isVisible());
    // It shows the current document, and nothing without one.
    window->newAction();
    QCOMPARE(window->scoreView()->document(), window->currentDocument());
    QVERIFY(window->scoreView()->document());
    QVERIFY(tabWidgetCloseCurrent());
    QCOMPARE(window->scoreView()->document(), nullptr);
    if (!shown) {
        window->findChild<QAction *>(QStringLiteral("scorePreviewAction"))->trigger();
        QTRY_VERIFY(!dock->isVisible());
    }
    window->exitAction();
    delete window;

    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    dock = window->findChild<QDockWidget *>(QStringLiteral("scorePreviewDock"));
    QTRY_COMPARE(dock->isVisible(), shown);
}

void TestMainWindowDesktop::droppedFilesOpen_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("tabTexts");
    QTest::addRow("one score") << QStringList{"a.gcp"} << true << QStringList{"a.gcp"};
    QTest::addRow("two scores and a text") << QStringList{"a.gcp", "notes.txt", "B.GCP"} << true
                                           << QStringList{"a.gcp", "B.GCP"};
    QTest::addRow("no score") << QStringList{"notes.txt"} << false << QStringList{};
}

void TestMainWindowDesktop::droppedFilesOpen()
{
    QFETCH(QStringList, names);
    QFETCH(bool, accepted);
    QFETCH(QStringList, tabTexts);
    QList<QUrl> urls;
    for (const QString &name : names)
        urls.append(QUrl::fromLocalFile(writeScore(name, QStringLiteral("原来"))));
    QMimeData data;
    data.setUrls(urls);

    const QPoint centre = window->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    if (!accepted)
        return;
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(tabs()->count(), int(tabTexts.size()));
    for (int i = 0; i < tabTexts.size(); ++i)
        QCOMPARE(tabs()->tabText(i), tabTexts.at(i));
}

void TestMainWindowDesktop::boxesStandOverTheWindow()
{
    BoxWatcher watcher(QMessageBox::Cancel);
    // The open error of a file that is not there.
    window->openFile(dir.filePath(QStringLiteral("missing.gcp")));
    // The unsaved-changes question.
    window->newAction();
    window->currentDocument()->lyricEdit()->setPlainText(QStringLiteral("原"));
    QVERIFY(!window->tabWidgetClose(0));
    QCOMPARE(watcher.texts, (QStringList{QStringLiteral("打开文件时发生错误！"),
                                         QStringLiteral("\"未命名*\"未保存，是否保存？")}));
    QCOMPARE(watcher.owners, (QList<QWidget *>{window, window}));
}

void TestMainWindowDesktop::emptyFileOpensAsDocument()
{
    // As a file made with touch.
    const QString path = dir.filePath(QStringLiteral("new.gcp"));
    QVERIFY(writeFile(path, QByteArray()));
    ModalAnswerer answerer;
    window->openFile(path);
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(tabs()->tabText(0), QStringLiteral("new.gcp"));
    QVERIFY(window->currentDocument()->lyricEdit()->toPlainText().isEmpty());
}

QTEST_MAIN(TestMainWindowDesktop)
#include "tst_mainwindow_desktop.moc"
