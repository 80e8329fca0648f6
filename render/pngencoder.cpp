#include "pngencoder.h"

#include <QByteArray>
#include <QColorSpace>
#include <QIODevice>
#include <QList>
#include <QtEndian>

#include <libdeflate.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

enum ColourType : uchar { Grey = 0, Rgb = 2, Palette = 3, RgbAlpha = 6 };

struct Compressor
{
    explicit Compressor(int level) : handle(libdeflate_alloc_compressor(level)) {}
    ~Compressor() { libdeflate_free_compressor(handle); }
    Compressor(const Compressor &) = delete;
    Compressor &operator=(const Compressor &) = delete;
    libdeflate_compressor *handle;
};

// Buffers of a page's size, left uninitialised: every byte is written before
// it is read, and clearing 100 MB would cost as much as filling it.
using Bytes = std::unique_ptr<uchar[]>;

Bytes allocate(size_t size)
{
    return Bytes(new (std::nothrow) uchar[qMax<size_t>(size, 1)]);
}

void appendBigEndian(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// A chunk: its length, its type, its data and the CRC-32 of type and data.
QByteArray chunk(const char type[4], const uchar *data, size_t size)
{
    QByteArray out;
    out.reserve(qsizetype(size) + 12);
    appendBigEndian(out, quint32(size));
    out.append(type, 4);
    out.append(reinterpret_cast<const char *>(data), qsizetype(size));
    appendBigEndian(out, libdeflate_crc32(0, out.constData() + 4, size + 4));
    return out;
}

QByteArray chunk(const char type[4], const QByteArray &data)
{
    return chunk(type, reinterpret_cast<const uchar *>(data.constData()), size_t(data.size()));
}

// A keyword as PNG takes it: 1 to 79 printable Latin-1 characters with
// single spaces between words. Anything else is mended the way libpng does
// (a character PNG refuses becomes a space), and a keyword left empty drops
// its text rather than the page.
QByteArray keyword(const QString &key)
{
    QByteArray out;
    for (const QChar c : key) {
        const ushort u = c.unicode();
        const bool printable = (u >= 0x21 && u <= 0x7e) || (u >= 0xa1 && u <= 0xff);
        if (printable)
            out.append(char(u));
        else if (!out.isEmpty() && !out.endsWith(' '))
            out.append(' ');
        if (out.size() == 79)
            break;
    }
    while (out.endsWith(' '))
        out.chop(1);
    return out;
}

// Latin-1 text as tEXt, any other as UTF-8 iTXt, uncompressed as Qt's writer
// has them. PNG text holds no NUL: it would end the text for every reader.
QByteArray textChunk(const QString &key, QString value)
{
    const QByteArray name = keyword(key);
    if (name.isEmpty())
        return QByteArray();
    value.remove(QChar(0));
    QByteArray data = name;
    data.append('\0');
    const QByteArray latin = value.toLatin1();
    if (value == QString::fromLatin1(latin)) {
        data.append(latin);
        return chunk("tEXt", data);
    }
    // No compression, method 0, no language tag, no translated keyword.
    data.append("\0\0\0\0", 4);
    data.append(value.toUtf8());
    return chunk("iTXt", data);
}

// Writes the image's row y as the file's pixels: RGB32 loses its unused
// byte, and both 32-bit formats go from the machine's word order to PNG's
// R, G, B(, A).
void pixelRow(const QImage &image, int y, int bytesPerPixel, uchar *out)
{
    const uchar *in = image.constScanLine(y);
    const int width = image.width();
    if (bytesPerPixel == 1) {
        std::memcpy(out, in, size_t(width));
        return;
    }
    const auto *pixels = reinterpret_cast<const QRgb *>(in);
    if (bytesPerPixel == 3) {
        for (int x = 0; x < width; ++x, out += 3) {
            const QRgb p = pixels[x];
            out[0] = uchar(p >> 16);
            out[1] = uchar(p >> 8);
            out[2] = uchar(p);
        }
    } else {
        for (int x = 0; x < width; ++x, out += 4) {
            const QRgb p = pixels[x];
            out[0] = uchar(p >> 16);
            out[1] = uchar(p >> 8);
            out[2] = uchar(p);
            out[3] = uchar(p >> 24);
        }
    }
}

uchar paeth(int left, int up, int upLeft)
{
    const int p = left + up - upLeft;
    const int pa = std::abs(p - left);
    const int pb = std::abs(p - up);
    const int pc = std::abs(p - upLeft);
    if (pa <= pb && pa <= pc)
        return uchar(left);
    return uchar(pb <= pc ? up : upLeft);
}

// Filters one row of `size` bytes by the PNG filter `type` (1 SUB, 2 UP,
// 3 AVERAGE, 4 PAETH); prior is the row above, all zeros on the first.
void filterRow(int type, const uchar *row, const uchar *prior, size_t size, int bpp, uchar *out)
{
    for (size_t i = 0; i < size; ++i) {
        const int left = i >= size_t(bpp) ? row[i - bpp] : 0;
        const int upLeft = i >= size_t(bpp) ? prior[i - bpp] : 0;
        int predicted = 0;
        switch (type) {
        case 1:
            predicted = left;
            break;
        case 2:
            predicted = prior[i];
            break;
        case 3:
            predicted = (left + prior[i]) / 2;
            break;
        default:
            predicted = paeth(left, prior[i], upLeft);
            break;
        }
        out[i] = uchar(row[i] - predicted);
    }
}

// The sum of a filtered row's bytes taken as signed: small for rows the
// compressor finds little new in.
quint64 cost(const uchar *bytes, size_t size)
{
    quint64 sum = 0;
    for (size_t i = 0; i < size; ++i)
        sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
    return sum;
}

} // namespace

bool PngEncoder::write(const QImage &source, QIODevice *device)
{
    m_error.clear();
    QImage image = source;
    switch (image.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Indexed8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        break;
    default:
        image = image.convertToFormat(QImage::Format_ARGB32);
        break;
    }
    if (image.isNull() || !device || !device->isWritable()) {
        m_error = QStringLiteral("nothing to write, or nowhere to write it");
        return false;
    }

    ColourType colourType = RgbAlpha;
    int bytesPerPixel = 4;
    switch (image.format()) {
    case QImage::Format_Grayscale8:
        colourType = Grey;
        bytesPerPixel = 1;
        break;
    case QImage::Format_Indexed8:
        colourType = Palette;
        bytesPerPixel = 1;
        break;
    case QImage::Format_RGB32:
        colourType = Rgb;
        bytesPerPixel = 3;
        break;
    default:
        break;
    }

    QByteArray head("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendBigEndian(header, quint32(image.width()));
    appendBigEndian(header, quint32(image.height()));
    // 8 bits a sample; compression, filter method and interlacing all 0.
    header.append(char(8)).append(char(colourType)).append("\0\0\0", 3);
    head += chunk("IHDR", header);

    // Qt's colour spaces are all RGB ones, which PNG allows on colour pixels
    // only: a page compacted to grey goes without. The profile is small;
    // it is compressed at zlib's usual level.
    const QByteArray icc = image.colorSpace().isValid() && colourType != Grey
                               ? image.colorSpace().iccProfile()
                               : QByteArray();
    if (!icc.isEmpty()) {
        Compressor profileCompressor(6);
        const size_t bound = profileCompressor.handle
                                 ? libdeflate_zlib_compress_bound(profileCompressor.handle, size_t(icc.size()))
                                 : 0;
        QByteArray profile("ICC profile\0\0", 13); // the name, its end, method 0
        const qsizetype start = profile.size();
        profile.resize(start + qsizetype(bound));
        const size_t packed = bound ? libdeflate_zlib_compress(profileCompressor.handle, icc.constData(),
                                                               size_t(icc.size()), profile.data() + start, bound)
                                    : 0;
        if (packed == 0) {
            m_error = QStringLiteral("out of memory");
            return false;
        }
        profile.truncate(start + qsizetype(packed));
        head += chunk("iCCP", profile);
    }

    if (colourType == Palette) {
        const QList<QRgb> colours = image.colorTable();
        QByteArray palette;
        QByteArray alphas;
        int lastClear = -1;
        for (int i = 0; i < colours.size() && i < 256; ++i) {
            const QRgb colour = colours.at(i);
            palette.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
            alphas.append(char(qAlpha(colour)));
            if (qAlpha(colour) != 255)
                lastClear = i;
        }
        head += chunk("PLTE", palette);
        // The alphas after the last clear colour are opaque, as PNG reads a
        // missing one.
        if (lastClear >= 0)
            head += chunk("tRNS", alphas.left(lastClear + 1));
    }

    if (image.dotsPerMeterX() > 0 || image.dotsPerMeterY() > 0) {
        QByteArray resolution;
        appendBigEndian(resolution, quint32(qMax(0, image.dotsPerMeterX())));
        appendBigEndian(resolution, quint32(qMax(0, image.dotsPerMeterY())));
        resolution.append(char(1)); // the unit is the metre
        head += chunk("pHYs", resolution);
    }

    const QStringList keys = image.textKeys();
    for (const QString &key : keys)
        head += textChunk(key, image.text(key));

    // The image data: each row after its filter's byte, compressed as one
    // zlib stream. The filtered page is freed as soon as it is compressed,
    // the compressed one as soon as it is written.
    const size_t rowBytes = size_t(image.width()) * size_t(bytesPerPixel);
    const size_t filteredSize = (rowBytes + 1) * size_t(image.height());
    Bytes filtered = allocate(filteredSize);
    const bool filtering = m_filter != RowFilter::None;
    // The current and the previous row as pixels, then one row per filter
    // tried: only a filtered page needs them.
    Bytes scratch = filtering ? allocate(rowBytes * 7) : nullptr;
    Compressor compressor(m_level);
    if (!filtered || (filtering && !scratch) || !compressor.handle) {
        m_error = QStringLiteral("out of memory");
        return false;
    }
    uchar *row = scratch.get();
    uchar *prior = filtering ? row + rowBytes : nullptr;
    uchar *tries = filtering ? row + 2 * rowBytes : nullptr;
    if (filtering)
        std::memset(prior, 0, rowBytes);
    for (int y = 0; y < image.height(); ++y) {
        uchar *out = filtered.get() + size_t(y) * (rowBytes + 1);
        if (!filtering) {
            out[0] = 0;
            pixelRow(image, y, bytesPerPixel, out + 1);
            continue;
        }
        pixelRow(image, y, bytesPerPixel, row);
        int type = m_filter == RowFilter::Sub ? 1 : m_filter == RowFilter::Up ? 2 : 4;
        if (m_filter == RowFilter::Adaptive) {
            quint64 best = cost(row, rowBytes);
            type = 0;
            for (int t = 1; t <= 4; ++t) {
                uchar *tried = tries + size_t(t) * rowBytes;
                filterRow(t, row, prior, rowBytes, bytesPerPixel, tried);
                const quint64 c = cost(tried, rowBytes);
                if (c < best) {
                    best = c;
                    type = t;
                }
            }
            std::memcpy(out + 1, type == 0 ? row : tries + size_t(type) * rowBytes, rowBytes);
        } else {
            filterRow(type, row, prior, rowBytes, bytesPerPixel, out + 1);
        }
        out[0] = uchar(type);
        std::swap(row, prior);
    }
    scratch.reset();

    // A page compresses to a small part of its pixels: a buffer of a quarter
    // of them is nearly always enough, and only a page that does not fit is
    // compressed again into one of the worst case's size.
    const size_t bound = libdeflate_zlib_compress_bound(compressor.handle, filteredSize);
    size_t capacity = qMin(bound, filteredSize / 4 + (size_t(1) << 16));
    Bytes packed;
    size_t packedSize = 0;
    for (;;) {
        packed = allocate(capacity);
        if (!packed) {
            m_error = QStringLiteral("out of memory");
            return false;
        }
        packedSize = libdeflate_zlib_compress(compressor.handle, filtered.get(), filteredSize, packed.get(), capacity);
        if (packedSize > 0 || capacity == bound)
            break;
        packed.reset();
        capacity = bound;
    }
    filtered.reset();
    if (packedSize == 0) {
        m_error = QStringLiteral("the image could not be compressed");
        return false;
    }

    const auto put = [device](const QByteArray &bytes) { return device->write(bytes) == bytes.size(); };
    bool written = put(head);
    for (size_t at = 0; written && at < packedSize; at += maxChunkBytes)
        written = put(chunk("IDAT", packed.get() + at, qMin<size_t>(maxChunkBytes, packedSize - at)));
    packed.reset();
    if (written)
        written = put(chunk("IEND", nullptr, 0));
    if (!written)
        m_error = QStringLiteral("the file could not be written");
    return written;
}
