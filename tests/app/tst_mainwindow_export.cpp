#include "mainwindow.h"
#include "ql_edit.h"
#include "ql_export.h"
#include "ql_generatesvg.h"
#include "gcptestfiles.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The export dialog and printing as the main window opens them.
class TestMainWindowExport : public QObject
{
    Q_OBJECT

private slots:
    void exportActionRunsDialogOnDocument();
    void printActionBesideExport();
    void unownedNotationIsNamedFirst_data();
    void unownedNotationIsNamedFirst();

private:
    // Waits for the modal window the action opens, records it and closes it.
    void closeNextModal(QPointer<QWidget> *seen, QString *className, QString *firstPage = nullptr)
    {
        QTimer::singleShot(0, this, [=] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            *seen = QApplication::activeModalWidget();
            *className = QString::fromLatin1(seen->data()->metaObject()->className());
            if (auto *dialog = qobject_cast<QL_Export *>(seen->data()); dialog && firstPage)
                *firstPage = QString::fromUtf8(dialog->renderer()->pages().value(0));
            QMetaObject::invokeMethod(seen->data(), "reject", Qt::QueuedConnection);
        });
    }
};

void TestMainWindowExport::exportActionRunsDialogOnDocument()
{
    MainWindow window;
    auto *exportAction = window.findChild<QAction *>(QStringLiteral("exportAction"));
    QVERIFY(exportAction);
    QVERIFY(!exportAction->isEnabled());
    window.openFile(QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp"));
    QVERIFY(window.currentDocument());
    QVERIFY(exportAction->isEnabled());
    QCOMPARE(exportAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));

    QPointer<QWidget> seen;
    QString className;
    QString firstPage;
    closeNextModal(&seen, &className, &firstPage);
    exportAction->trigger();
    QCOMPARE(className, QStringLiteral("QL_Export"));
    QVERIFY(!firstPage.isEmpty());
    // The preview shows the document of the current tab.
    QVERIFY(firstPage.contains(QStringLiteral("牡丹亭")));
    // The dialog went with its run.
    QVERIFY(seen.isNull());
}

void TestMainWindowExport::printActionBesideExport()
{
    MainWindow window;
    auto *print = window.findChild<QAction *>(QStringLiteral("printAction"));
    QVERIFY(print);
    QCOMPARE(print->shortcut(), QKeySequence(QKeySequence::Print));
    QVERIFY(!print->isEnabled());
    auto *exportAction = window.findChild<QAction *>(QStringLiteral("exportAction"));
    auto *fileMenu = window.findChild<QMenu *>(QStringLiteral("menuFile"));
    const QList<QAction *> actions = fileMenu->actions();
    QCOMPARE(actions.indexOf(print), actions.indexOf(exportAction) + 1);

    window.openFile(QStringLiteral(PROJECT_SOURCE_DIR "/examples/youyuan-zaoluopao.gcp"));
    QVERIFY(print->isEnabled());
    QPointer<QWidget> seen;
    QString className;
    closeNextModal(&seen, &className);
    print->trigger();
    QVERIFY2(className.contains(QLatin1String("PrintDialog")), qPrintable(className));
    QVERIFY(seen.isNull());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestMainWindowExport::unownedNotationIsNamedFirst_data()
{
    QTest::addColumn<QString>("actionName");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("warning");
    // Two sung characters own the first two score lines; what stands below
    // them is left out of every page.
    QTest::addRow("export, one line of notation left out")
        << "exportAction" << QStringLiteral("a\nb\nc") << QStringLiteral("有 1 行曲谱没有对应的唱字，不会被导出。");
    QTest::addRow("print, two lines left out")
        << "printAction" << QStringLiteral("a\nb\nc\n\nd") << QStringLiteral("有 2 行曲谱没有对应的唱字，不会被导出。");
    QTest::addRow("export, blank surplus lines say nothing")
        << "exportAction" << QStringLiteral("a\nb\n \n") << QString();
}

void TestMainWindowExport::unownedNotationIsNamedFirst()
{
    QFETCH(QString, actionName);
    QFETCH(QString, score);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.gcp"));
    QVERIFY(GcpTestFiles::writeFile(path, GcpTestFiles::encoded(QStringLiteral("原来"), score)));
    MainWindow window;
    window.openFile(path);
    QVERIFY(window.currentDocument());

    // Every modal window in turn: a box is answered, the dialog rejected.
    QStringList boxTexts;
    QStringList seen;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || (!seen.isEmpty() && seen.last() == QLatin1String(modal->metaObject()->className())))
            return;
        seen.append(QString::fromLatin1(modal->metaObject()->className()));
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            boxTexts.append(box->text());
            box->accept();
        } else {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
        }
    });
    poll.start(20);
    window.findChild<QAction *>(actionName)->trigger();
    poll.stop();

    QCOMPARE(boxTexts, warning.isEmpty() ? QStringList() : QStringList{warning});
    // The export or print itself still follows the box.
    QCOMPARE(seen.size(), warning.isEmpty() ? 1 : 2);
}

QTEST_MAIN(TestMainWindowExport)
#include "tst_mainwindow_export.moc"
