#include "zlibstream.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr quint32 adlerBase = 65521;
// The most bytes whose sums fit 32 bits before they are reduced modulo
// adlerBase (zlib's NMAX).
constexpr qsizetype adlerRun = 5552;

#if defined(__SSE2__)
quint64 laneSum(__m128i lanes)
{
    alignas(16) quint32 values[4];
    _mm_store_si128(reinterpret_cast<__m128i *>(values), lanes);
    return quint64(values[0]) + values[1] + values[2] + values[3];
}
#endif

} // namespace

struct ZlibStream::Deflater
{
    z_stream stream{};
    bool open = false;
};

quint32 ZlibStream::adler32(quint32 adler, const uchar *data, qsizetype size)
{
    quint32 s1 = adler & 0xffffu;
    quint32 s2 = adler >> 16;
#if defined(__SSE2__)
    // Sixteen bytes a step. A block of bytes b0…b15 adds their sum to s1 and
    // 16·s1 + 16·b0 + 15·b1 + … + 1·b15 to s2, s1 as it was before the block.
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstWeights = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
    const __m128i lastWeights = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
    while (size >= 16) {
        const qsizetype blocks = std::min<qsizetype>(size / 16, adlerRun / 16);
        __m128i sums = zero;     // of the bytes so far in this run
        __m128i sumsBefore = zero; // of sums, as each block began
        __m128i weighted = zero;
        for (qsizetype block = 0; block < blocks; ++block, data += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data));
            sumsBefore = _mm_add_epi32(sumsBefore, sums);
            sums = _mm_add_epi32(sums, _mm_sad_epu8(bytes, zero));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), firstWeights));
            weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), lastWeights));
        }
        size -= blocks * 16;
        const quint64 newS2 = s2 + quint64(blocks) * 16 * s1 + 16 * laneSum(sumsBefore) + laneSum(weighted);
        s1 = quint32((s1 + laneSum(sums)) % adlerBase);
        s2 = quint32(newS2 % adlerBase);
    }
#endif
    while (size > 0) {
        const qsizetype run = std::min(size, adlerRun);
        for (qsizetype i = 0; i < run; ++i) {
            s1 += data[i];
            s2 += s1;
        }
        data += run;
        size -= run;
        s1 %= adlerBase;
        s2 %= adlerBase;
    }
    return (s2 << 16) | s1;
}

ZlibStream::ZlibStream(int level, int strategy, qsizetype pieceSize, Sink sink)
    : m_deflater(std::make_unique<Deflater>())
    , m_piece(size_t(qMax<qsizetype>(pieceSize, 16)))
    , m_sink(std::move(sink))
{
    // Raw deflate: the header and the checksum are written here.
    if (deflateInit2(&m_deflater->stream, level, Z_DEFLATED, -MAX_WBITS, 8, strategy) != Z_OK) {
        m_error = QStringLiteral("the compressor could not be set up");
        return;
    }
    m_deflater->open = true;
    // The header zlib writes: deflate with a 32K window, and the level in
    // two bits of the flags.
    const int zlibLevel = level == Z_DEFAULT_COMPRESSION ? 6 : level;
    const quint32 levelFlags = strategy >= Z_HUFFMAN_ONLY || zlibLevel < 2 ? 0
                               : zlibLevel < 6                             ? 1
                               : zlibLevel == 6                            ? 2
                                                                           : 3;
    quint32 header = (Z_DEFLATED + ((MAX_WBITS - 8) << 4)) << 8 | levelFlags << 6;
    header += 31 - header % 31;
    const uchar bytes[2] = {uchar(header >> 8), uchar(header)};
    put(bytes, 2);
}

ZlibStream::~ZlibStream()
{
    if (m_deflater->open)
        deflateEnd(&m_deflater->stream);
}

bool ZlibStream::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    if (m_deflater->open) {
        deflateEnd(&m_deflater->stream);
        m_deflater->open = false;
    }
    return false;
}

bool ZlibStream::handOn()
{
    const qsizetype used = std::exchange(m_used, 0);
    if (!m_sink(m_piece.data(), used))
        return fail(QStringLiteral("the compressed data could not be written"));
    return true;
}

// Copies bytes past the deflated data, as zlib would write them.
bool ZlibStream::put(const uchar *data, qsizetype size)
{
    while (size > 0) {
        const qsizetype room = qsizetype(m_piece.size()) - m_used;
        const qsizetype taken = std::min(room, size);
        std::copy(data, data + taken, m_piece.begin() + m_used);
        m_used += taken;
        data += taken;
        size -= taken;
        if (m_used == qsizetype(m_piece.size()) && !handOn())
            return false;
    }
    return true;
}

// One call of deflate() into the room left in the piece, which is handed on
// when it fills.
bool ZlibStream::deflateInto(int flush, int *result)
{
    z_stream &stream = m_deflater->stream;
    stream.next_out = m_piece.data() + m_used;
    stream.avail_out = uInt(qsizetype(m_piece.size()) - m_used);
    *result = deflate(&stream, flush);
    m_used = qsizetype(m_piece.size()) - stream.avail_out;
    if (*result != Z_OK && *result != Z_STREAM_END && *result != Z_BUF_ERROR)
        return fail(QString::fromLatin1(stream.msg ? stream.msg : "the data could not be compressed"));
    if (m_used == qsizetype(m_piece.size()))
        return handOn();
    return true;
}

bool ZlibStream::add(const uchar *data, qsizetype size)
{
    if (!m_deflater->open)
        return fail(QStringLiteral("the stream is closed"));
    m_adler = adler32(m_adler, data, size);
    z_stream &stream = m_deflater->stream;
    while (size > 0) {
        const qsizetype taken = std::min<qsizetype>(size, UINT_MAX);
        stream.next_in = const_cast<uchar *>(data);
        stream.avail_in = uInt(taken);
        while (stream.avail_in > 0) {
            int result = Z_OK;
            if (!deflateInto(Z_NO_FLUSH, &result))
                return false;
        }
        data += taken;
        size -= taken;
    }
    return true;
}

bool ZlibStream::finish()
{
    if (!m_deflater->open)
        return fail(QStringLiteral("the stream is closed"));
    int result = Z_OK;
    do {
        if (!deflateInto(Z_FINISH, &result))
            return false;
        if (result == Z_BUF_ERROR)
            return fail(QStringLiteral("the data could not be compressed"));
    } while (result != Z_STREAM_END);
    deflateEnd(&m_deflater->stream);
    m_deflater->open = false;
    const uchar checksum[4] = {uchar(m_adler >> 24), uchar(m_adler >> 16), uchar(m_adler >> 8), uchar(m_adler)};
    if (!put(checksum, 4))
        return false;
    return m_used == 0 || handOn();
}
