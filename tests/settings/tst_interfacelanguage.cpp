#include "interfacelanguage.h"

#include <QTest>

// Which language the interface speaks under which environment.
class TestInterfaceLanguage : public QObject
{
    Q_OBJECT

private slots:
    void fromEnvironment_data();
    void fromEnvironment();
};

void TestInterfaceLanguage::fromEnvironment_data()
{
    QTest::addColumn<QString>("language"); // LANGUAGE
    QTest::addColumn<QString>("all");      // LC_ALL
    QTest::addColumn<QString>("messages"); // LC_MESSAGES
    QTest::addColumn<QString>("lang");     // LANG
    QTest::addColumn<QString>("expected");

    QTest::addRow("nothing set") << "" << "" << "" << "" << "zh_CN";
    QTest::addRow("C") << "" << "" << "" << "C" << "zh_CN";
    QTest::addRow("C.UTF-8") << "" << "" << "" << "C.UTF-8" << "zh_CN";
    QTest::addRow("POSIX") << "" << "POSIX" << "" << "en_US.UTF-8" << "zh_CN";
    QTest::addRow("C ignores LANGUAGE") << "en" << "C" << "" << "" << "zh_CN";
    QTest::addRow("mainland") << "" << "" << "" << "zh_CN.UTF-8" << "zh_CN";
    QTest::addRow("Singapore") << "" << "" << "" << "zh_SG.UTF-8" << "zh_CN";
    QTest::addRow("Taiwan") << "" << "" << "" << "zh_TW.UTF-8" << "zh_TW";
    QTest::addRow("Hong Kong") << "" << "" << "" << "zh_HK.UTF-8" << "zh_TW";
    QTest::addRow("English") << "" << "" << "" << "en_GB.UTF-8" << "en";
    QTest::addRow("German falls back") << "" << "" << "" << "de_DE.UTF-8" << "zh_CN";
    QTest::addRow("German, then English") << "de:en_US" << "" << "" << "de_DE.UTF-8" << "en";
    QTest::addRow("LC_ALL over LANG") << "" << "zh_TW.UTF-8" << "" << "en_US.UTF-8" << "zh_TW";
    QTest::addRow("LC_MESSAGES over LANG") << "" << "" << "en_US.UTF-8" << "zh_CN.UTF-8" << "en";
    QTest::addRow("modifier") << "" << "" << "" << "zh_TW.UTF-8@radical" << "zh_TW";
}

void TestInterfaceLanguage::fromEnvironment()
{
    QFETCH(QString, language);
    QFETCH(QString, all);
    QFETCH(QString, messages);
    QFETCH(QString, lang);
    QFETCH(QString, expected);

    QProcessEnvironment environment;
    for (const auto &[name, value] : {std::pair{"LANGUAGE", language}, {"LC_ALL", all}, {"LC_MESSAGES", messages},
                                      {"LANG", lang}}) {
        if (!value.isEmpty())
            environment.insert(QLatin1String(name), value);
    }
    QCOMPARE(InterfaceLanguage::match(InterfaceLanguage::systemLanguages(environment)), expected);
}

QTEST_GUILESS_MAIN(TestInterfaceLanguage)
#include "tst_interfacelanguage.moc"
