#include "commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Mode)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mode_data();
    void mode();
    void documentPaths_data();
    void documentPaths();
    void programWithoutDisplay_data();
    void programWithoutDisplay();

private:
    QTemporaryDir dir;
    QString score;
};

void TestCommandLine::initTestCase()
{
    QVERIFY(dir.isValid());
    score = dir.filePath(QStringLiteral("aria.gcp"));
    QFile file(score);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCoreApplication::setApplicationName(QStringLiteral("qelun"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
}

void TestCommandLine::mode_data()
{
    using Mode = CommandLine::Mode;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Mode>("expected");
    QTest::addRow("nothing") << QStringList{} << Mode::Window;
    QTest::addRow("a file") << QStringList{"aria.gcp"} << Mode::Window;
    QTest::addRow("--help") << QStringList{"--help"} << Mode::Help;
    QTest::addRow("-h") << QStringList{"-h"} << Mode::Help;
    QTest::addRow("--version") << QStringList{"--version"} << Mode::Version;
    QTest::addRow("-v") << QStringList{"-v"} << Mode::Version;
    QTest::addRow("help wins over export") << QStringList{"--export", "a.pdf", "--help", "x.gcp"} << Mode::Help;
    QTest::addRow("export") << QStringList{"--export", "a.pdf", "x.gcp"} << Mode::Export;
    QTest::addRow("export=") << QStringList{"--export=a.pdf", "--dpi", "300", "x.gcp"} << Mode::Export;
    QTest::addRow("export options without --export") << QStringList{"--dpi", "300", "x.gcp"} << Mode::Window;
    QTest::addRow("unknown option") << QStringList{"--colour", "aria.gcp"} << Mode::Error;
    QTest::addRow("unknown with --help") << QStringList{"--help", "--colour"} << Mode::Error;
    QTest::addRow("unknown single dash") << QStringList{"-x"} << Mode::Error;
    QTest::addRow("missing value") << QStringList{"aria.gcp", "--export"} << Mode::Error;
    // Qt's own options are left for the application object.
    QTest::addRow("-platform") << QStringList{"-platform", "offscreen", "aria.gcp"} << Mode::Window;
    QTest::addRow("-style=fusion --version") << QStringList{"-style=fusion", "--version"} << Mode::Version;
    QTest::addRow("-platform with export") << QStringList{"-platform", "xcb", "--export", "a.pdf", "x.gcp"}
                                           << Mode::Export;
    QTest::addRow("Qt's and an unknown one") << QStringList{"-platform", "xcb", "--colour"} << Mode::Error;
}

void TestCommandLine::mode()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Mode, expected);
    CommandLine commandLine;
    QCOMPARE(commandLine.parse(QStringList{QStringLiteral("qelun")} + arguments), expected);
    QCOMPARE(commandLine.mode(), expected);
}

void TestCommandLine::documentPaths_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("paths");
    QTest::addRow("no argument") << QStringList{} << QStringList{};
    QTest::addRow("several, in order") << QStringList{"b.gcp", "a.gcp", "c.gcp"} << QStringList{"b.gcp", "a.gcp", "c.gcp"};
    // The window reports what it cannot open; nothing is dropped unsaid.
    QTest::addRow("a missing file is kept") << QStringList{"missing.gcp"} << QStringList{"missing.gcp"};
    QTest::addRow("after --") << QStringList{"--", "--version"} << QStringList{"--version"};
}

void TestCommandLine::documentPaths()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, paths);
    CommandLine commandLine;
    QCOMPARE(commandLine.parse(QStringList{QStringLiteral("qelun")} + arguments), CommandLine::Mode::Window);
    QCOMPARE(commandLine.documentPaths(), paths);
}

void TestCommandLine::programWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addRow("--help") << QStringList{"--help"} << 0 << "--settings <FILE>" << "";
    QTest::addRow("-h") << QStringList{"-h"} << 0 << "--dpi <DPI>" << "";
    QTest::addRow("--version") << QStringList{"--version"} << 0 << "qelun 2.0\n" << "";
    QTest::addRow("-platform, --version") << QStringList{"-platform", "offscreen", "--version"} << 0 << "qelun 2.0\n"
                                          << "";
    QTest::addRow("unknown option") << QStringList{"--colour", "aria.gcp"} << 1 << "" << "colour";
    QTest::addRow("unknown option with --export") << QStringList{"--export", "a.pdf", "--colour", "x.gcp"} << 1
                                                  << "" << "colour";
}

void TestCommandLine::programWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(QELUN_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString outText = QString::fromUtf8(process.readAllStandardOutput());
    const QString errText = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    if (out.endsWith(QLatin1Char('\n')))
        QCOMPARE(outText, out);
    else if (!out.isEmpty())
        QVERIFY2(outText.contains(out), qPrintable(outText));
    else
        QVERIFY2(outText.isEmpty(), qPrintable(outText));
    if (!err.isEmpty()) {
        QVERIFY2(errText.contains(err), qPrintable(errText));
        QVERIFY2(errText.contains(QStringLiteral("--export <TARGET>")), qPrintable(errText));
    }
    // Nothing was written beside the test's working folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("aria.gcp")});
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
