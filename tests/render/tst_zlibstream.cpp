// The zlib stream of the PNG encoder: the bytes zlib's own deflate() makes,
// checksum included, whatever the level (but 0), strategy and way the data
// comes in, cut into pieces of the size asked. (A sink that refuses is
// tried through the PNG encoder's failing devices.)

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
    // 0xff sums highest: the checksum's longest runs between reductions
    // must not overflow; 5553 bytes a call cross them with one byte over.
    QTest::addRow("0xff, beyond the window") << QByteArray(1 << 20, char(0xff)) << 5553;
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

QTEST_MAIN(TestZlibStream)
#include "tst_zlibstream.moc"
