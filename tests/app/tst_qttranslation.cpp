#include "qttranslation.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Qt's own texts are Chinese whatever the system's language; CTest runs this
// once under LANG=C.UTF-8 and once under LANG=zh_CN.UTF-8.
class TestQtTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void standardButtons_data();
    void standardButtons();
    void fileDialog();
    void fileListInTheInterfaceLocale();
};

void TestQtTranslation::initTestCase()
{
    // The run's language is the one CTest asked for, and the C library
    // still sees it: only Qt's reading of it was the interface's.
    QVERIFY(qEnvironmentVariable("LANG").startsWith(qEnvironmentVariable("QELUN_TEST_SYSTEM_LOCALE")));
    QVERIFY(qEnvironmentVariable("LC_ALL").isEmpty());
    QVERIFY(QtTranslation::install(*qApp));
}

void TestQtTranslation::standardButtons_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<QString>("text");
    QTest::addRow("Yes") << QMessageBox::Yes << QStringLiteral("是(&Y)");
    QTest::addRow("No") << QMessageBox::No << QStringLiteral("否(&N)");
    QTest::addRow("Cancel") << QMessageBox::Cancel << QStringLiteral("取消");
    QTest::addRow("OK") << QMessageBox::Ok << QStringLiteral("确定");
}

void TestQtTranslation::standardButtons()
{
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(QString, text);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("警告"), QStringLiteral("\"未命名*\"未保存，是否保存？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    QCOMPARE(box.button(button)->text(), text);
}

void TestQtTranslation::fileDialog()
{
    QFileDialog dialog(nullptr, QStringLiteral("选择文件"), QString(), QStringLiteral("工尺谱文件 (*.gcp)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("保存(&S)"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

void TestQtTranslation::fileListInTheInterfaceLocale()
{
    // The file dialog's list: the type of a folder and the date of a file,
    // as Chinese whatever the system's language is.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("scores")));
    QFile file(dir.filePath(QStringLiteral("aria.gcp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QDateTime modified(QDate(2026, 12, 8), QTime(21, 5));
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();

    QFileSystemModel model;
    model.setRootPath(dir.path());
    const QModelIndex folder = model.index(dir.filePath(QStringLiteral("scores")), 2);
    const QModelIndex date = model.index(file.fileName(), 3);
    QTRY_COMPARE(model.data(folder).toString(), QStringLiteral("文件夹"));
    QTRY_COMPARE(model.data(date).toString(),
                 QtTranslation::interfaceLocale().toString(modified, QLocale::ShortFormat));
    QCOMPARE(QLocale().name(), QStringLiteral("zh_CN"));
}

// The locale is read as the program reads it, before the application.
int main(int argc, char *argv[])
{
    QtTranslation::prepareLocale();
    QApplication app(argc, argv);
    TestQtTranslation test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_qttranslation.moc"
