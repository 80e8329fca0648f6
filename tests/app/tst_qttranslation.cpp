#include "qttranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLocale>
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
};

void TestQtTranslation::initTestCase()
{
    // The run's language is the one CTest asked for.
    QCOMPARE(QLocale::system().name(), qEnvironmentVariable("QELUN_TEST_SYSTEM_LOCALE"));
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

QTEST_MAIN(TestQtTranslation)
#include "tst_qttranslation.moc"
