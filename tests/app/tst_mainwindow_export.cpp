#include "mainwindow.h"
#include "ql_edit.h"
#include "ql_export.h"
#include "ql_generatesvg.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>

// The export dialog and printing as the main window opens them.
class TestMainWindowExport : public QObject
{
    Q_OBJECT

private slots:
    void exportActionRunsDialogOnDocument();
    void printActionBesideExport();

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

QTEST_MAIN(TestMainWindowExport)
#include "tst_mainwindow_export.moc"
