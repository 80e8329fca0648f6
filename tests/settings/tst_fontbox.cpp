#include "fontbox.h"

#include <QFontComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestFontBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAtLowerBound();
    void typedSize_data();
    void typedSize();
    void fontCarriesSize();
    void familyChooserAloneDisabled();
    void missingFamilyKeptUntilUserChooses();

private:
    QWidget *form = nullptr;
    FontBox *box = nullptr;
    QLineEdit *sizeEdit = nullptr;
    QFontComboBox *combo = nullptr;
};

void TestFontBox::init()
{
    form = new QWidget;
    box = new FontBox(form);
    sizeEdit = box->findChild<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    combo = box->findChild<QFontComboBox *>();
    QVERIFY(sizeEdit && combo);
}

void TestFontBox::cleanup()
{
    delete form;
}

void TestFontBox::startsAtLowerBound()
{
    QCOMPARE(sizeEdit->text(), QStringLiteral("5"));
    QCOMPARE(box->size(), 5);
    box->setRange(5, 80);
    QCOMPARE(sizeEdit->placeholderText(), QStringLiteral("5~80"));
    // The size field is narrow beside the chooser: 1.2 to 1.6 times the
    // box's starting height.
    QCOMPARE(sizeEdit->minimumWidth(), 36);
    QCOMPARE(sizeEdit->maximumWidth(), 48);
}

void TestFontBox::typedSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("emitted");

    QTest::addRow("in range") << "24" << "24" << 24 << 1;
    QTest::addRow("lower bound") << "5" << "5" << 5 << 1;
    QTest::addRow("upper bound") << "80" << "80" << 80 << 1;
    QTest::addRow("below range clamped") << "3" << "5" << 5 << 1;
    QTest::addRow("zero clamped") << "0" << "5" << 5 << 1;
    QTest::addRow("above range clamped") << "95" << "80" << 80 << 1;
    // More digits than the top has are refused as they are typed.
    QTest::addRow("third digit refused") << "100" << "10" << 10 << 1;
    QTest::addRow("letters refused") << "1a2" << "12" << 12 << 1;
    // Empty stands for the lower bound and is left empty.
    QTest::addRow("empty") << "" << "" << 5 << 0;
}

void TestFontBox::typedSize()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, size);
    QFETCH(int, emitted);

    box->setRange(5, 80);
    box->setSize(16);
    QSignalSpy changed(box, &FontBox::fontChanged);
    sizeEdit->clear();
    QTest::keyClicks(sizeEdit, typed);
    QTest::keyClick(sizeEdit, Qt::Key_Return);

    QCOMPARE(sizeEdit->text(), shown);
    QCOMPARE(box->size(), size);
    QCOMPARE(box->font().pointSize(), size);
    QCOMPARE(changed.count(), emitted);
    if (emitted)
        QCOMPARE(changed.at(0).at(1).toInt(), size);
}

void TestFontBox::fontCarriesSize()
{
    QSignalSpy changed(box, &FontBox::fontChanged);
    box->setSize(18);
    box->setCurrentFont(QFont(combo->itemText(combo->count() - 1)));
    QCOMPARE(box->font().family(), combo->itemText(combo->count() - 1));
    QCOMPARE(box->font().pointSize(), 18);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().at(0).value<QFont>().family(), combo->itemText(combo->count() - 1));
    QCOMPARE(changed.last().at(1).toInt(), 18);
}

void TestFontBox::familyChooserAloneDisabled()
{
    box->setFontEnabled(false);
    QVERIFY(!combo->isEnabled());
    QVERIFY(sizeEdit->isEnabled());
    QVERIFY(box->isEnabled());
    box->setFontEnabled(true);
    QVERIFY(combo->isEnabled());
}

void TestFontBox::missingFamilyKeptUntilUserChooses()
{
    const QString missing = QStringLiteral("No Such Family Qelun");
    box->setCurrentFont(QFont(missing));
    QVERIFY(combo->currentText() != missing);
    QCOMPARE(box->font().family(), missing);

    // Whatever the user then picks is what the box gives.
    const int other = combo->currentIndex() == 0 ? 1 : 0;
    QVERIFY(combo->count() > 1);
    combo->setCurrentIndex(other);
    QCOMPARE(box->font().family(), combo->itemText(other));
}

QTEST_MAIN(TestFontBox)
#include "tst_fontbox.moc"
