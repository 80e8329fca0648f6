#include "../editing/modalanswerer.h"
#include "commandline.h"
#include "gcpfile.h"
#include "mainwindow.h"
#include "ql_edit.h"
#include "ql_lyricedit.h"
#include "recentfiles.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QMenu>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gcptestfiles.h"

using namespace GcpTestFiles;

namespace {

} // namespace

class TestMainWindowFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openFileAddsCurrentTab();
    void badFileAddsNoTab_data();
    void badFileAddsNoTab();
    void emptyPathDoesNothing();
    void openActionAsksForFile();
    void cancelledOpenActionDoesNothing();
    void sameFileSwitchesToItsTab();
    void recentFiles();
    void changedOnDisk_data();
    void changedOnDisk();
    void startWithSeveralFiles();

private:
    QTabWidget *tabs() const { return window->findChild<QTabWidget *>("tabWidget"); }

    QTemporaryDir dir;
    MainWindow *window = nullptr;
};

void TestMainWindowFile::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir.isValid());
}

void TestMainWindowFile::init()
{
    window = new MainWindow;
    window->show();
}

void TestMainWindowFile::cleanup()
{
    // Deleting a document removes its tab without the unsaved-changes question.
    while (tabs()->count() > 0)
        delete tabs()->widget(0);
    delete window;
    window = nullptr;
}

void TestMainWindowFile::openFileAddsCurrentTab()
{
    const QString path = dir.filePath("youyuan.gcp");
    QVERIFY(writeFile(path, encoded(QStringLiteral("原来姹紫"), QStringLiteral("a\nb\nc\nd"))));
    window->newAction();
    QCOMPARE(tabs()->count(), 1);

    ModalAnswerer answerer;
    window->openFile(path);
    QVERIFY(answerer.boxes.isEmpty());
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(tabs()->currentIndex(), 1);
    QCOMPARE(tabs()->tabText(1), QStringLiteral("youyuan.gcp"));
    QL_Edit *document = window->currentDocument();
    QVERIFY(document);
    QCOMPARE(document->filePath(), path);
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原来姹紫"));

    // Connected after the load: an edit now marks the tab.
    document->lyricEdit()->setPlainText(QStringLiteral("原来"));
    QCOMPARE(tabs()->tabText(1), QStringLiteral("youyuan.gcp*"));
}

void TestMainWindowFile::badFileAddsNoTab_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("title");

    const QByteArray good = encoded(QStringLiteral("你好"), QStringLiteral("x\ny"));
    QTest::addRow("truncated") << "cut.gcp" << good.left(good.size() / 2) << QStringLiteral("错误");
    QTest::addRow("garbage") << "junk.gcp" << QByteArray(300, '\x5a') << QStringLiteral("错误");
    QTest::addRow("huge length")
        << "huge.gcp" << QByteArray::fromHex("00000000fffffffe0000") << QStringLiteral("错误");
    QTest::addRow("text file") << "song.txt" << good << QStringLiteral("文件类型错误");
    QTest::addRow("missing") << "missing.gcp" << QByteArray() << QStringLiteral("错误");
}

void TestMainWindowFile::badFileAddsNoTab()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, title);
    const QString path = dir.filePath(name);
    if (!name.startsWith(QLatin1String("missing")))
        QVERIFY(writeFile(path, bytes));

    ModalAnswerer answerer;
    window->openFile(path);
    QCOMPARE(tabs()->count(), 0);
    QVERIFY(!window->currentDocument());
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(answerer.boxes.first().title, title);
}

void TestMainWindowFile::emptyPathDoesNothing()
{
    ModalAnswerer answerer;
    window->openFile(QString());
    QCOMPARE(tabs()->count(), 0);
    QVERIFY(answerer.boxes.isEmpty());
}

void TestMainWindowFile::openActionAsksForFile()
{
    const QString path = dir.filePath("chosen.gcp");
    QVERIFY(writeFile(path, encoded(QStringLiteral("曲"), QStringLiteral("g"))));
    ModalAnswerer answerer({path});
    QAction *open = window->findChild<QAction *>("openAction");
    QVERIFY(open);
    open->trigger();
    QCOMPARE(answerer.dialogCaptions, QStringList{QStringLiteral("打开文件")});
    QCOMPARE(answerer.dialogFilters, QStringList{QStringLiteral("工尺谱文件 (*.gcp)")});
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(tabs()->tabText(0), QStringLiteral("chosen.gcp"));
}

void TestMainWindowFile::cancelledOpenActionDoesNothing()
{
    ModalAnswerer answerer({QString()});
    window->findChild<QAction *>("openAction")->trigger();
    QCOMPARE(answerer.dialogCaptions.size(), 1);
    QCOMPARE(tabs()->count(), 0);
    QVERIFY(answerer.boxes.isEmpty());
}

void TestMainWindowFile::sameFileSwitchesToItsTab()
{
    const QString path = dir.filePath("twice.gcp");
    QVERIFY(writeFile(path, encoded(QStringLiteral("曲"), QStringLiteral("g"))));
    QVERIFY(QFile::link(path, dir.filePath("link.gcp")));
    window->openFile(path);
    window->newAction();
    // Two tabs of one file would overwrite each other's saves.
    window->openFile(dir.filePath("link.gcp"));
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(tabs()->currentIndex(), 0);
    window->openFile(dir.filePath("sub/../twice.gcp"));
    QCOMPARE(tabs()->count(), 2);
}

void TestMainWindowFile::recentFiles()
{
    const QString first = dir.filePath("recent1.gcp");
    const QString second = dir.filePath("recent2.gcp");
    QVERIFY(writeFile(first, encoded(QStringLiteral("原"), QStringLiteral("g"))));
    QVERIFY(writeFile(second, encoded(QStringLiteral("来"), QStringLiteral("c"))));
    RecentFiles::forApplication().clear();
    window->openFiles({first, second, first});
    QCOMPARE(RecentFiles::forApplication().files(), (QStringList{first, second}));

    while (tabs()->count() > 0)
        delete tabs()->widget(0);
    auto *menu = window->findChild<QMenu *>(QStringLiteral("recentFilesMenu"));
    QVERIFY(menu);
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().at(1)->toolTip(), second);
    menu->actions().at(1)->trigger();
    QCOMPARE(window->currentDocument()->filePath(), second);

    // A file gone since leaves the list when chosen.
    QVERIFY(QFile::remove(first));
    emit menu->aboutToShow();
    ModalAnswerer answerer;
    menu->actions().at(1)->trigger();
    QCOMPARE(answerer.boxes.size(), 1);
    QCOMPARE(RecentFiles::forApplication().files(), QStringList{second});
}

void TestMainWindowFile::changedOnDisk_data()
{
    QTest::addColumn<bool>("editedHere");
    QTest::addColumn<bool>("reload");
    QTest::addColumn<bool>("overwrite");

    QTest::addRow("unchanged here, loaded again") << false << true << false;
    QTest::addRow("edited here, kept, save refused") << true << false << false;
    QTest::addRow("edited here, kept, overwritten") << true << false << true;
}

void TestMainWindowFile::changedOnDisk()
{
    QFETCH(bool, editedHere);
    QFETCH(bool, reload);
    QFETCH(bool, overwrite);

    const QString path = dir.filePath("watched.gcp");
    QVERIFY(writeFile(path, encoded(QStringLiteral("原"), QStringLiteral("g"))));
    window->openFile(path);
    QL_Edit *document = window->currentDocument();
    if (editedHere)
        document->lyricEdit()->setPlainText(QStringLiteral("原来"));

    // The program's own save is no change by someone else.
    if (!editedHere) {
        ModalAnswerer quiet;
        QVERIFY(document->save(false));
        QTest::qWait(400);
        QVERIFY(quiet.boxes.isEmpty());
    }

    const QByteArray theirs = encoded(QStringLiteral("姹紫"), QStringLiteral("s\nh"));
    ModalAnswerer answerer;
    answerer.questionAnswer = reload ? QMessageBox::Yes : QMessageBox::No;
    QVERIFY(writeFile(path, theirs));
    QTRY_COMPARE_WITH_TIMEOUT(answerer.boxes.size(), 1, 5000);
    QVERIFY(answerer.boxes.at(0).text.contains(QStringLiteral("watched.gcp")));
    if (reload) {
        QTRY_COMPARE(window->currentDocument()->lyricEdit()->toPlainText(), QStringLiteral("姹紫"));
        QCOMPARE(tabs()->count(), 1);
        QVERIFY(!window->currentDocument()->isModified());
        return;
    }
    QCOMPARE(window->currentDocument(), document);
    QCOMPARE(document->lyricEdit()->toPlainText(), QStringLiteral("原来"));

    // Saving now would overwrite their change: the user is asked first.
    answerer.questionAnswer = overwrite ? QMessageBox::Yes : QMessageBox::No;
    QCOMPARE(document->save(false), overwrite);
    QCOMPARE(answerer.boxes.size(), 2);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll() == theirs, !overwrite);
}

void TestMainWindowFile::startWithSeveralFiles()
{
    // As the program starts: every score named opens as a tab, in order, the
    // last current; each that cannot be opened is told in a box.
    const QString first = dir.filePath("first.gcp");
    const QString damaged = dir.filePath("damaged.gcp");
    const QString last = dir.filePath("last.gcp");
    QVERIFY(writeFile(first, encoded(QStringLiteral("原"), QStringLiteral("g"))));
    QVERIFY(writeFile(damaged, QByteArray(40, '\x5a')));
    QVERIFY(writeFile(last, encoded(QStringLiteral("来"), QStringLiteral("c"))));
    CommandLine commandLine;
    QCOMPARE(commandLine.parse({"qelun", first, dir.filePath("nope.gcp"), damaged, last}),
             CommandLine::Mode::Window);

    ModalAnswerer answerer;
    window->openFiles(commandLine.documentPaths());
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(tabs()->tabText(0), QStringLiteral("first.gcp"));
    QCOMPARE(tabs()->tabText(1), QStringLiteral("last.gcp"));
    QCOMPARE(tabs()->currentIndex(), 1);
    QVERIFY2(window->windowTitle().startsWith(QLatin1String("last.gcp")), qPrintable(window->windowTitle()));
    QCOMPARE(answerer.boxes.size(), 2);
    QVERIFY(answerer.boxes.at(0).informativeText.contains(QStringLiteral("nope.gcp")));
    QVERIFY(answerer.boxes.at(1).informativeText.contains(QStringLiteral("damaged.gcp")));
}

QTEST_MAIN(TestMainWindowFile)
#include "tst_mainwindow_file.moc"
