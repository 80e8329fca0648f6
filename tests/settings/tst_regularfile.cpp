// Only plain files are opened for reading: a FIFO, a device or a folder is
// refused at once instead of blocking or reading forever.
#include "regularfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestRegularFile : public QObject
{
    Q_OBJECT

private slots:
    void kinds_data();
    void kinds();
};

void TestRegularFile::kinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("regular");
    QTest::addRow("regular file") << "file" << true;
    QTest::addRow("link to a regular file") << "link" << true;
    QTest::addRow("empty regular file") << "empty" << true;
    QTest::addRow("FIFO") << "fifo" << false;
    QTest::addRow("link to a FIFO") << "fifolink" << false;
    QTest::addRow("directory") << "dir" << false;
    QTest::addRow("character device") << "device" << false;
    QTest::addRow("missing") << "missing" << false;
    QTest::addRow("dangling link") << "dangling" << false;
    QTest::addRow("empty path") << "" << false;
}

void TestRegularFile::kinds()
{
    QFETCH(QString, kind);
    QFETCH(bool, regular);
    QTemporaryDir dir;
    QString path;
    if (kind == QLatin1String("file") || kind == QLatin1String("link") || kind == QLatin1String("empty")) {
        path = dir.filePath(QStringLiteral("a.gcp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (kind != QLatin1String("empty"))
            file.write("x");
        file.close();
        if (kind == QLatin1String("link")) {
            QVERIFY(QFile::link(path, dir.filePath(QStringLiteral("l.gcp"))));
            path = dir.filePath(QStringLiteral("l.gcp"));
        }
    } else if (kind.startsWith(QLatin1String("fifo"))) {
        path = dir.filePath(QStringLiteral("f.gcp"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == QLatin1String("fifolink")) {
            QVERIFY(QFile::link(path, dir.filePath(QStringLiteral("l.gcp"))));
            path = dir.filePath(QStringLiteral("l.gcp"));
        }
    } else if (kind == QLatin1String("dir")) {
        path = dir.filePath(QStringLiteral("d.gcp"));
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("none.gcp"));
    } else if (kind == QLatin1String("dangling")) {
        path = dir.filePath(QStringLiteral("l.gcp"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("none")), path));
    }

    QCOMPARE(RegularFile::isRegular(path), regular);
    // Opening a FIFO for reading would wait for a writer forever: this test
    // would hang.
    QFile file(path);
    QCOMPARE(RegularFile::open(file), regular);
}

QTEST_GUILESS_MAIN(TestRegularFile)
#include "tst_regularfile.moc"
