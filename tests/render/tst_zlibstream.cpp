// The zlib stream of the PNG encoder: the bytes zlib's own deflate() makes,
// whatever the level (but 0), strategy and way the data comes in, cut into
// pieces of the size asked; its checksum that of zlib at any length and
// offset; a sink that refuses is a failure reported.

#include "zlibstream.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QTest>

#include <zlib.h>

namespace {

// What zlib makes of data in one call.
QByteArray zlibDeflate(const QByteArray &data, int level, int strategy)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, MAX_WBITS, 8, strategy) != Z_OK)
        return QByteArray();
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// Rows of a page: long runs of paper, short strokes of ink.
QByteArray pageLike(qsizetype size)
{
    QByteArray bytes(size, char(0xff));
    QRandomGenerator random(7);
    for (qsizetype at = 0; at < size; at += 40 + random.bounded(400))
        bytes.replace(at, qMin<qsizetype>(size - at, 1 + random.bounded(30)), QByteArray(30, char(random.bounded(256))));
    return bytes;
}

} // namespace

class TestZlibStream : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsZlib_data();
    void sameBytesAsZlib();
    void checksumAsZlib_data();
    void checksumAsZlib();
    void refusingSinkIsFailure();
};

void TestZlibStream::sameBytesAsZlib_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("handedIn"); // bytes a call of add()
    QTest::addRow("nothing") << QByteArray() << 1;
    QTest::addRow("one byte") << QByteArray("x") << 1;
    QTest::addRow("page, a byte at a time") << pageLike(20000) << 1;
    QTest::addRow("page, in rows") << pageLike(600000) << 7441;
    QTest::addRow("page, whole") << pageLike(600000) << 600000;
    QTest::addRow("noise: many pieces") << randomBytes(300000, 3) << 4096;
    QTest::addRow("one colour, beyond the window") << QByteArray(1 << 20, char(0xf5)) << 9000;
}

void TestZlibStream::sameBytesAsZlib()
{
    QFETCH(QByteArray, data);
    QFETCH(int, handedIn);
    const qsizetype pieceSize = 1 << 16;
    for (const int level : {1, 2, 6, 9, Z_DEFAULT_COMPRESSION}) {
        for (const int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_RLE, Z_HUFFMAN_ONLY}) {
            const QByteArray setting = QByteArray("level ") + QByteArray::number(level) + ", strategy "
                                       + QByteArray::number(strategy);
            QList<qsizetype> pieces;
            QByteArray written;
            ZlibStream stream(level, strategy, pieceSize, [&](const uchar *bytes, qsizetype size) {
                pieces.append(size);
                written.append(reinterpret_cast<const char *>(bytes), size);
                return true;
            });
            for (qsizetype at = 0; at < data.size(); at += handedIn) {
                const qsizetype size = qMin<qsizetype>(handedIn, data.size() - at);
                QVERIFY2(stream.add(reinterpret_cast<const uchar *>(data.constData()) + at, size), setting);
            }
            QVERIFY2(stream.finish(), setting);
            QVERIFY2(written == zlibDeflate(data, level, strategy), setting);
            // Every piece full but the last, which holds something.
            QVERIFY2(!pieces.isEmpty() && pieces.last() > 0 && pieces.last() <= pieceSize, setting);
            QVERIFY2(pieces.count(pieceSize) >= pieces.size() - 1, setting);
        }
    }
}

void TestZlibStream::checksumAsZlib_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("offset");
    // 0xff bytes sum highest: the longest runs between reductions must not
    // overflow.
    for (const int size : {0, 1, 15, 16, 17, 31, 5551, 5552, 5553, 5568, 11104, 100003}) {
        QTest::addRow("%d bytes of 0xff", size) << QByteArray(size, char(0xff)) << 1u << 0;
        QTest::addRow("%d random bytes", size) << randomBytes(size, quint32(size)) << 1u << 0;
    }
    QTest::addRow("carried on from a sum near the base") << QByteArray(70000, char(0xff)) << (65520u << 16 | 65520u) << 0;
    QTest::addRow("from an odd address") << randomBytes(40001, 5) << 1u << 3;
}

void TestZlibStream::checksumAsZlib()
{
    QFETCH(QByteArray, data);
    QFETCH(quint32, start);
    QFETCH(int, offset);
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData()) + offset;
    const qsizetype size = data.size() - offset;
    QCOMPARE(ZlibStream::adler32(start, bytes, size), quint32(adler32(start, bytes, uInt(size))));
}

void TestZlibStream::refusingSinkIsFailure()
{
    const QByteArray data = randomBytes(200000, 9);
    for (const int accepted : {0, 1, 3}) {
        int taken = 0;
        ZlibStream stream(1, Z_DEFAULT_STRATEGY, 1 << 16, [&](const uchar *, qsizetype) { return taken++ < accepted; });
        const bool added = stream.add(reinterpret_cast<const uchar *>(data.constData()), data.size());
        QVERIFY(!added || !stream.finish());
        QVERIFY(!stream.error().isEmpty());
        // Dead from then on.
        QVERIFY(!stream.add(reinterpret_cast<const uchar *>(data.constData()), 10));
    }
}

QTEST_MAIN(TestZlibStream)
#include "tst_zlibstream.moc"
