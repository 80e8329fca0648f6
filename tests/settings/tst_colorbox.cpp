#include "colorbox.h"
#include "modalanswerer.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestColorBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedName_data();
    void typedName();
    void setColorShowsNameAndEmitsNothing();
    void swatchIsSquare();
    void colorDialog_data();
    void colorDialog();

private:
    QWidget *form = nullptr;
    ColorBox *box = nullptr;
    QLineEdit *edit = nullptr;
    QPushButton *swatch = nullptr;
};

void TestColorBox::init()
{
    form = new QWidget;
    box = new ColorBox(form);
    edit = box->findChild<QLineEdit *>();
    swatch = box->findChild<QPushButton *>();
    QVERIFY(edit && swatch);
    box->setColor(QColor(0x10, 0x20, 0x30));
}

void TestColorBox::cleanup()
{
    delete form;
}

void TestColorBox::typedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("color");
    QTest::addColumn<QString>("shown");

    QTest::addRow("short form") << "#abc" << true << "#aabbcc" << "#abc";
    QTest::addRow("upper case") << "#AABBCC" << true << "#aabbcc" << "#AABBCC";
    QTest::addRow("six digits") << "#00ff7f" << true << "#00ff7f" << "#00ff7f";
    QTest::addRow("two digits") << "#ab" << false << "#102030" << "#102030";
    QTest::addRow("hash alone") << "#" << false << "#102030" << "#102030";
    QTest::addRow("four digits") << "#abcd" << false << "#102030" << "#102030";
    QTest::addRow("five digits") << "#abcde" << false << "#102030" << "#102030";
    // The field refuses what is not "#" and hex digits, and an eighth character.
    QTest::addRow("letters refused") << "#g1z2y3" << true << "#112233" << "#123";
    QTest::addRow("too long") << "#1234567" << true << "#123456" << "#123456";
}

void TestColorBox::typedName()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, color);
    QFETCH(QString, shown);

    QSignalSpy changed(box, &ColorBox::colorChanged);
    ModalAnswerer answerer;
    edit->clear();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);

    QCOMPARE(box->color().name(), color);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(swatch->styleSheet(), QStringLiteral("QPushButton{ background-color: %1;}").arg(color));
    if (accepted) {
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QColor>().name(), color);
        QVERIFY(answerer.boxes.isEmpty());
    } else {
        QCOMPARE(changed.count(), 0);
        QCOMPARE(answerer.boxes.size(), 1);
        QCOMPARE(answerer.boxes.at(0).title, QStringLiteral("警告"));
        QCOMPARE(answerer.boxes.at(0).text, QStringLiteral("错误的颜色值!"));
        QCOMPARE(answerer.boxes.at(0).icon, QMessageBox::Warning);
    }
}

void TestColorBox::setColorShowsNameAndEmitsNothing()
{
    QSignalSpy changed(box, &ColorBox::colorChanged);
    box->setColor(QColor(QStringLiteral("#ABCDEF")));
    QCOMPARE(edit->text(), QStringLiteral("#abcdef"));
    QCOMPARE(box->color(), QColor(0xab, 0xcd, 0xef));

    box->setColor(QColor());
    QCOMPARE(edit->text(), QStringLiteral("#abcdef"));
    QCOMPARE(box->color(), QColor(0xab, 0xcd, 0xef));
    QCOMPARE(changed.count(), 0);
}

void TestColorBox::swatchIsSquare()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(swatch->width() > 10);
    QCOMPARE(swatch->width(), swatch->height());

    // A box made as a window of its own gets the same swatch, not one sized
    // from a window's default height.
    ColorBox alone;
    QCOMPARE(alone.findChild<QPushButton *>()->size(), swatch->size());
}

void TestColorBox::colorDialog_data()
{
    QTest::addColumn<bool>("choose");
    QTest::addRow("colour chosen") << true;
    QTest::addRow("dialog cancelled") << false;
}

void TestColorBox::colorDialog()
{
    QFETCH(bool, choose);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QSignalSpy changed(box, &ColorBox::colorChanged);

    QString title;
    QColor offered;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        title = dialog->windowTitle();
        offered = dialog->currentColor();
        if (choose) {
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    answer.start(10);
    swatch->click();

    QCOMPARE(title, QStringLiteral("选择颜色"));
    QCOMPARE(offered, QColor(0x10, 0x20, 0x30));
    const QString expected = choose ? QStringLiteral("#123456") : QStringLiteral("#102030");
    QCOMPARE(box->color().name(), expected);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(changed.count(), choose ? 1 : 0);
}

QTEST_MAIN(TestColorBox)
#include "tst_colorbox.moc"
