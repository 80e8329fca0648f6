// Files written whole or not at all: a device that fails its last write, a
// disk full to the byte, a read-only folder.
#include "atomicfile.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include "smalldisk.h"

namespace {

// Takes writes until the given count is reached, then refuses the rest: the
// last buffer of a file on a disk that has just run full.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 capacity)
        : capacity(capacity)
    {
    }
    QByteArray taken;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = capacity - taken.size();
        if (room <= 0)
            return -1;
        const qint64 n = qMin(room, size);
        taken.append(data, n);
        return n;
    }

private:
    qint64 capacity;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray payload(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 26);
    return bytes;
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void writeAllReportsARefusedWrite_data();
    void writeAllReportsARefusedWrite();
    void writesAndReplaces();
    void fullDiskLeavesTheOldFile_data();
    void fullDiskLeavesTheOldFile();
    void readOnlyFolderIsAFailure();
};

void TestAtomicFile::writeAllReportsARefusedWrite_data()
{
    QTest::addColumn<qint64>("capacity");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("expected");
    QTest::addRow("everything fits") << qint64(100) << 100 << true;
    QTest::addRow("last byte refused") << qint64(99) << 100 << false;
    QTest::addRow("nothing taken") << qint64(0) << 10 << false;
    QTest::addRow("empty content") << qint64(0) << 0 << true;
}

void TestAtomicFile::writeAllReportsARefusedWrite()
{
    QFETCH(qint64, capacity);
    QFETCH(int, size);
    QFETCH(bool, expected);
    FailingDevice device(capacity);
    QVERIFY(device.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QCOMPARE(AtomicFile::writeAll(device, payload(size)), expected);
}

void TestAtomicFile::writesAndReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.gcp"));
    QVERIFY(AtomicFile::write(path, "first"));
    QVERIFY(AtomicFile::write(path, "second, longer"));
    QCOMPARE(readAll(path), QByteArray("second, longer"));
    QVERIFY(AtomicFile::write(path, QByteArray()));
    QCOMPARE(readAll(path), QByteArray());
    // No temporary file stays behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.gcp")});
}

void TestAtomicFile::fullDiskLeavesTheOldFile_data()
{
    QTest::addColumn<qint64>("keepFree");
    QTest::addColumn<int>("size");
    // Small content sits wholly in the last buffer, flushed only at commit.
    QTest::addRow("nothing free, small file") << qint64(0) << 3000;
    QTest::addRow("nothing free, several buffers") << qint64(0) << 48118;
    QTest::addRow("room for part of it") << qint64(20000) << 48118;
}

void TestAtomicFile::fullDiskLeavesTheOldFile()
{
    QFETCH(qint64, keepFree);
    QFETCH(int, size);
    SmallDisk::Disk disk;
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = disk.filePath(QStringLiteral("score.gcp"));
    QVERIFY(AtomicFile::write(path, "the old document"));
    QVERIFY(disk.fill(keepFree));

    QVERIFY(!AtomicFile::write(path, payload(size)));
    QCOMPARE(readAll(path), QByteArray("the old document"));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);

    // With room again the same write succeeds.
    disk.empty();
    QVERIFY(AtomicFile::write(path, payload(size)));
    QCOMPARE(readAll(path), payload(size));
}

void TestAtomicFile::readOnlyFolderIsAFailure()
{
    SmallDisk::ReadOnlyFolder folder(QStringLiteral("score.gcp"), "the old document");
    QVERIFY(folder.isValid());
    const QString path = folder.filePath();
    // The file itself may be written, the folder takes no new file: Qt would
    // rewrite the file in place, and a kill halfway would leave it damaged.
    QCOMPARE(folder.runAsUser([&path] {
                 QFile file(path);
                 return file.open(QIODevice::ReadWrite);
             }),
             1);
    QCOMPARE(folder.runAsUser([&path] { return AtomicFile::write(path, "a new document"); }), 0);
    QCOMPARE(readAll(path), QByteArray("the old document"));
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
