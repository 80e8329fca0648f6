#include "gcpfile.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <csignal>

#include "gcptestfiles.h"
#include "smalldisk.h"

#include <sys/stat.h>

using namespace GcpTestFiles;

namespace {

QByteArray encoded(const GcpFile::Texts &texts)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!GcpFile::write(&buffer, texts))
        return QByteArray();
    return buffer.data();
}

// A big-endian quint32, as the stream writes counts and lengths.
QByteArray be32(quint32 value)
{
    QByteArray bytes;
    QDataStream(&bytes, QIODevice::WriteOnly) << value;
    return bytes;
}

QByteArray utf16be(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xff));
    }
    return bytes;
}

bool readBytes(const QByteArray &bytes, GcpFile::Texts *texts)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return GcpFile::read(&buffer, texts);
}

// Limits the size of files this process may write, as a full disk would, and
// lifts the limit again when it goes out of scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    bool active = false;

private:
    rlimit saved {};
};

} // namespace

Q_DECLARE_METATYPE(GcpFile::Damage)

class TestGcpFile : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void emptyDocumentIsSixteenZeroBytes();
    void roundTrip_data();
    void roundTrip();
    void damagedStreamIsRejected_data();
    void damagedStreamIsRejected();
    void damageOf_data();
    void damageOf();
    void emptyFileIsAnEmptyDocument();
    void toleratedStreams_data();
    void toleratedStreams();
    void suffix_data();
    void suffix();
    void loadResults_data();
    void loadResults();
    void saveReplacesFile();
    void failedSaveKeepsOldFile();
    void saveIntoMissingFolderFails();
    void fullDiskKeepsOldFile_data();
    void fullDiskKeepsOldFile();
    void readOnlyFolderKeepsOldFile();
};

void TestGcpFile::workedExample()
{
    const QByteArray expected = QByteArray::fromHex("00000002" "00000004" "4F60597D" "00000000" "00000000");
    QCOMPARE(encoded({QStringLiteral("你好"), QString()}), expected);
    QCOMPARE(expected.size(), 20);
}

void TestGcpFile::emptyDocumentIsSixteenZeroBytes()
{
    QCOMPARE(encoded({QString(), QString()}), QByteArray(16, '\0'));
}

void TestGcpFile::roundTrip_data()
{
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");

    QTest::addRow("empty") << QString() << QString();
    QTest::addRow("lines without final terminator")
        << QStringLiteral("# 游园\n【皂罗袍】\n原来姹紫嫣红开遍") << QStringLiteral("a\nb\nc");
    QTest::addRow("final empty line") << QStringLiteral("原来\n") << QStringLiteral("\n\n");
    // Notation sits above U+FFFF: two code units each, and the counts say so.
    QTest::addRow("notation outside the BMP")
        << QStringLiteral("工")
        << QString::fromUcs4(U"\U000F002C\U000F0000\U000F0041");
    QTest::addRow("long text") << QString(200000, QChar(0x4E00)) << QString(200000, QChar('x'));
}

void TestGcpFile::roundTrip()
{
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    const QByteArray bytes = encoded({lyric, score});
    QCOMPARE(bytes.size(), 16 + 2 * (lyric.size() + score.size()));
    QCOMPARE(bytes.left(4), be32(lyric.size()));

    GcpFile::Texts texts;
    QVERIFY(readBytes(bytes, &texts));
    QCOMPARE(texts.lyric, lyric);
    QCOMPARE(texts.score, score);
    QVERIFY(!texts.lyric.isNull());
    QVERIFY(!texts.score.isNull());
}

void TestGcpFile::damagedStreamIsRejected_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray good = encoded({QStringLiteral("你好"), QStringLiteral("ab")});
    QTest::addRow("empty file") << QByteArray();
    QTest::addRow("three bytes") << QByteArray::fromHex("000000");
    QTest::addRow("only the first count") << be32(2);
    QTest::addRow("lyric string cut short") << good.left(10);
    QTest::addRow("score string missing") << good.left(12);
    QTest::addRow("score count missing") << good.left(14);
    QTest::addRow("score string cut short") << good.left(good.size() - 1);
    QTest::addRow("huge lyric length")
        << be32(1) + be32(0x7FFFFFFE) + QByteArray(64, 'x');
    QTest::addRow("huge score length")
        << be32(0) + be32(0) + be32(1) + be32(0xFFFFFFF0) + QByteArray(8, 'x');
    QTest::addRow("odd byte count") << be32(1) + be32(3) + QByteArray(3, 'a') + be32(0) + be32(0);
    QTest::addRow("garbage text") << QByteArray("This is not a score at all, just some text.\n");
}

void TestGcpFile::damagedStreamIsRejected()
{
    QFETCH(QByteArray, bytes);
    GcpFile::Texts texts{QStringLiteral("before"), QStringLiteral("before")};
    QVERIFY(!readBytes(bytes, &texts));
    QCOMPARE(texts.lyric, QStringLiteral("before"));
    QCOMPARE(texts.score, QStringLiteral("before"));
}

void TestGcpFile::damageOf_data()
{
    using Damage = GcpFile::Damage;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Damage>("damage");

    const QByteArray good = encoded({QStringLiteral("你好"), QStringLiteral("ab")});
    QTest::addRow("three bytes") << QByteArray::fromHex("000000") << Damage::Truncated;
    QTest::addRow("only the first count") << be32(2) << Damage::Truncated;
    QTest::addRow("lyric string cut short") << good.left(10) << Damage::Truncated;
    QTest::addRow("score string missing") << good.left(12) << Damage::Truncated;
    QTest::addRow("score count missing") << good.left(14) << Damage::Truncated;
    QTest::addRow("score string cut short") << good.left(good.size() - 1) << Damage::Truncated;
    QTest::addRow("huge lyric length") << be32(1) + be32(0x7FFFFFFE) + QByteArray(64, 'x') << Damage::NotADocument;
    QTest::addRow("huge score length") << be32(0) + be32(0) + be32(1) + be32(0xFFFFFFF0) + QByteArray(8, 'x')
                                       << Damage::NotADocument;
    QTest::addRow("odd byte count") << be32(1) + be32(3) + QByteArray(3, 'a') + be32(0) + be32(0)
                                    << Damage::NotADocument;
    QTest::addRow("garbage text") << QByteArray("This is not a score at all, just some text.\n") << Damage::NotADocument;
    QTest::addRow("PNG image") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") << Damage::NotADocument;
}

void TestGcpFile::damageOf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(GcpFile::Damage, damage);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    GcpFile::Texts texts;
    QVERIFY(!GcpFile::read(&buffer, &texts));
    QCOMPARE(GcpFile::damageOf(&buffer), damage);
}

void TestGcpFile::emptyFileIsAnEmptyDocument()
{
    // As a file made with touch: two empty texts, not a damaged document.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.gcp"));
    QVERIFY(writeFile(path, QByteArray()));
    GcpFile::Texts texts{QStringLiteral("before"), QStringLiteral("before")};
    QCOMPARE(GcpFile::load(path, &texts), GcpFile::LoadResult::Loaded);
    QVERIFY(texts.lyric.isEmpty() && !texts.lyric.isNull());
    QVERIFY(texts.score.isEmpty() && !texts.score.isNull());
}

void TestGcpFile::toleratedStreams_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("lyric");
    QTest::addColumn<QString>("score");

    // Stored files whose counts disagree with their strings load as always.
    QTest::addRow("counts disagree")
        << be32(99) + be32(4) + utf16be(QStringLiteral("你好")) + be32(0xFFFFFFFF) + be32(2) + utf16be(QStringLiteral("a"))
        << QStringLiteral("你好") << QStringLiteral("a");
    QTest::addRow("null strings read as empty texts")
        << be32(0) + be32(0xFFFFFFFF) + be32(0) + be32(0xFFFFFFFF) << QString() << QString();
    QTest::addRow("bytes after the fourth value")
        << encoded({QStringLiteral("曲"), QStringLiteral("s")}) + QByteArray("tail")
        << QStringLiteral("曲") << QStringLiteral("s");
}

void TestGcpFile::toleratedStreams()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, lyric);
    QFETCH(QString, score);
    GcpFile::Texts texts;
    QVERIFY(readBytes(bytes, &texts));
    QCOMPARE(texts.lyric, lyric);
    QCOMPARE(texts.score, score);
    QVERIFY(!texts.lyric.isNull());
    QVERIFY(!texts.score.isNull());
}

void TestGcpFile::suffix_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("isGcp");
    QTest::addRow("lower case") << "song.gcp" << true;
    QTest::addRow("upper case") << "Song.GCP" << true;
    QTest::addRow("mixed case") << "/a/b/Song.GcP" << true;
    QTest::addRow("text file") << "song.txt" << false;
    QTest::addRow("no suffix") << "song" << false;
    QTest::addRow("gcp inside the name") << "song.gcp.txt" << false;
    QTest::addRow("bare suffix without dot") << "songgcp" << false;
}

void TestGcpFile::suffix()
{
    QFETCH(QString, path);
    QFETCH(bool, isGcp);
    QCOMPARE(GcpFile::hasGcpSuffix(path), isGcp);
}

void TestGcpFile::loadResults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("result");

    const QByteArray good = encoded({QStringLiteral("你好"), QStringLiteral("ab")});
    QTest::addRow("good file") << "a.gcp" << good << int(GcpFile::LoadResult::Loaded);
    QTest::addRow("upper-case suffix") << "A.GCP" << good << int(GcpFile::LoadResult::Loaded);
    QTest::addRow("text name") << "a.txt" << good << int(GcpFile::LoadResult::WrongType);
    QTest::addRow("truncated") << "a.gcp" << good.left(9) << int(GcpFile::LoadResult::Damaged);
    // The file is opened before its name is looked at.
    QTest::addRow("missing text file") << "missing.txt" << QByteArray() << int(GcpFile::LoadResult::CannotOpen);
    QTest::addRow("missing") << "missing.gcp" << QByteArray() << int(GcpFile::LoadResult::CannotOpen);
    QTest::addRow("folder") << "folder.gcp" << QByteArray() << int(GcpFile::LoadResult::CannotOpen);
    // Opening a FIFO would wait for a writer forever, a device never ends.
    QTest::addRow("FIFO") << "fifo.gcp" << QByteArray() << int(GcpFile::LoadResult::CannotOpen);
    QTest::addRow("FIFO with a text name") << "fifo.txt" << QByteArray() << int(GcpFile::LoadResult::CannotOpen);
    QTest::addRow("link to a device") << "device.gcp" << QByteArray() << int(GcpFile::LoadResult::CannotOpen);
}

void TestGcpFile::loadResults()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, result);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (name.startsWith(QLatin1String("folder")))
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (name.startsWith(QLatin1String("fifo")))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (name.startsWith(QLatin1String("device")))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (!name.startsWith(QLatin1String("missing")))
        QVERIFY(writeFile(path, bytes));

    GcpFile::Texts texts;
    QCOMPARE(int(GcpFile::load(path, &texts)), result);
    if (result == int(GcpFile::LoadResult::Loaded)) {
        QCOMPARE(texts.lyric, QStringLiteral("你好"));
        QCOMPARE(texts.score, QStringLiteral("ab"));
    }
}

void TestGcpFile::saveReplacesFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.gcp");
    QVERIFY(writeFile(path, QByteArray(1000, 'x')));
    QVERIFY(GcpFile::save(path, {QStringLiteral("你好"), QString()}));
    QCOMPARE(fileBytes(path), encoded({QStringLiteral("你好"), QString()}));
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"song.gcp"});
}

void TestGcpFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("song.gcp");
    const QByteArray old = encoded({QStringLiteral("原来姹紫嫣红开遍"), QStringLiteral("a\nb")});
    QVERIFY(writeFile(path, old));

    bool saved = true;
    {
        // The disk "fills up" long before the new document is written out.
        FileSizeLimit limit(64);
        if (!limit.active)
            QSKIP("cannot limit the file size");
        saved = GcpFile::save(path, {QString(100000, QChar(0x4E00)), QString()});
    }
    QVERIFY(!saved);
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"song.gcp"});
}

void TestGcpFile::saveIntoMissingFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(!GcpFile::save(dir.filePath("no/such/folder/song.gcp"), {QString(), QString()}));
    // A folder in the way of the file is left alone.
    QVERIFY(QDir(dir.path()).mkdir("taken.gcp"));
    QVERIFY(!GcpFile::save(dir.filePath("taken.gcp"), {QString(), QString()}));
    QVERIFY(QFileInfo(dir.filePath("taken.gcp")).isDir());
}

void TestGcpFile::fullDiskKeepsOldFile_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<qint64>("keepFree");
    // A document that fits in one write buffer reaches the disk only when the
    // file is committed.
    QTest::addRow("small document, disk full") << 200 << qint64(0);
    QTest::addRow("48 KB document, disk full") << 24000 << qint64(0);
    QTest::addRow("48 KB document, 45 KB free") << 24000 << qint64(45056);
}

void TestGcpFile::fullDiskKeepsOldFile()
{
    QFETCH(int, characters);
    QFETCH(qint64, keepFree);
    SmallDisk::Disk disk;
    if (!disk.isValid())
        QSKIP("mounting a small tmpfs needs root");
    const QString path = disk.filePath(QStringLiteral("song.gcp"));
    const GcpFile::Texts old{QStringLiteral("原来姹紫嫣红开遍"), QStringLiteral("a\nb")};
    QVERIFY(GcpFile::save(path, old));
    const QByteArray before = fileBytes(path);
    QVERIFY(disk.fill(keepFree));

    QVERIFY(!GcpFile::save(path, {QString(characters, QChar(0x4E00)), QString(characters, QChar(0x4E8C))}));
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files), QStringList{"song.gcp"});
}

void TestGcpFile::readOnlyFolderKeepsOldFile()
{
    const QByteArray old = encoded({QStringLiteral("原来"), QStringLiteral("a\nb")});
    SmallDisk::ReadOnlyFolder folder(QStringLiteral("song.gcp"), old);
    QVERIFY(folder.isValid());
    // The file is writable, but rewriting it in place could leave it half
    // written: the save fails instead.
    const QString path = folder.filePath();
    QCOMPARE(folder.runAsUser([&path] { return GcpFile::save(path, {QStringLiteral("姹紫嫣红"), QString()}); }), 0);
    QCOMPARE(fileBytes(path), old);
}

QTEST_GUILESS_MAIN(TestGcpFile)
#include "tst_gcpfile.moc"
