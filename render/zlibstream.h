#ifndef ZLIBSTREAM_H
#define ZLIBSTREAM_H

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

// Data compressed into a zlib stream (header, deflated data, Adler-32
// checksum) and handed on in pieces of one size, the last one shorter: at
// levels 1 to 9, the very bytes zlib's own deflate() makes with the same
// level and strategy, a 32K window and memory level 8, however the data
// comes in. (At level 0 zlib sizes its stored blocks by the room it is
// given, so the bytes depend on the pieces; they are a valid stream all the
// same.) zlib deflates
// here without its wrapper and the checksum is summed many bytes a step:
// zlib sums it one byte at a time, which took a tenth of a 300-dpi page's
// PNG encoding (bench_imageexport).
class ZlibStream
{
public:
    // Takes each piece in turn; false stops the stream.
    using Sink = std::function<bool(const uchar *data, qsizetype size)>;

    // level as zlib's (0 to 9, or -1 for its default), strategy as zlib's
    // Z_DEFAULT_STRATEGY, Z_FILTERED, Z_RLE and the like.
    ZlibStream(int level, int strategy, qsizetype pieceSize, Sink sink);
    ~ZlibStream();
    ZlibStream(const ZlibStream &) = delete;
    ZlibStream &operator=(const ZlibStream &) = delete;

    // Compresses data, handing on every piece that fills. False, with the
    // reason in error(), when zlib or the sink fails; the stream is dead
    // from then on.
    bool add(const uchar *data, qsizetype size);
    // Ends the stream and hands on the rest.
    bool finish();

    QString error() const { return m_error; }

    // The Adler-32 checksum of data after that of the data before, which
    // was adler (1 for none).
    static quint32 adler32(quint32 adler, const uchar *data, qsizetype size);

private:
    bool fail(const QString &reason);
    bool deflateInto(int flush, int *result);
    bool put(const uchar *data, qsizetype size);
    bool handOn();

    struct Deflater;
    std::unique_ptr<Deflater> m_deflater;
    std::vector<uchar> m_piece;
    qsizetype m_used = 0;
    quint32 m_adler = 1;
    Sink m_sink;
    QString m_error;
};

#endif // ZLIBSTREAM_H
