#include "pngencoder.h"

#include "rowpacking.h"
#include "zlibstream.h"

#include <QByteArray>
#include <QColorSpace>
#include <QIODevice>
#include <QList>
#include <QtEndian>

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <vector>

namespace {

// The size of libpng's compression buffer, which is the size of every IDAT
// chunk but the last.
constexpr qsizetype compressionBufferSize = 1 << 16;
// At most this many bytes of rows libpng compresses in a smaller window,
// which its header then names: such an image is left to libpng whole.
constexpr qsizetype smallImageData = 16384;

// libpng reports errors by a longjmp back into encodeRows(), across its own
// C frames and these callbacks only: nothing between holds a destructor.
struct Sink
{
    QIODevice *device = nullptr;
    char message[256] = {};
};

void onError(png_structp png, png_const_charp message)
{
    auto *sink = static_cast<Sink *>(png_get_error_ptr(png));
    std::strncpy(sink->message, message, sizeof sink->message - 1);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp)
{
}

void onWrite(png_structp png, png_bytep data, size_t length)
{
    auto *sink = static_cast<Sink *>(png_get_io_ptr(png));
    if (sink->device->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
        png_error(png, "the file could not be written");
}

void onFlush(png_structp)
{
}

// Everything encodeRows() needs, prepared beforehand in plain memory.
struct Page
{
    int width = 0;
    int height = 0;
    int colourType = 0;
    const uchar *bits = nullptr;
    qsizetype bytesPerLine = 0;
    const png_color *palette = nullptr;
    int paletteSize = 0;
    const png_byte *alphas = nullptr;
    int alphaCount = 0;
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
    const char *iccProfile = nullptr;
    int iccSize = 0;
    png_text *texts = nullptr;
    int textCount = 0;
    int filters = PNG_FILTER_NONE;
    int level = 1;
    int strategy = Z_DEFAULT_STRATEGY;
    bool bgr = false;
    bool swapAlpha = false;
    int filler = -1; // PNG_FILLER_BEFORE or PNG_FILLER_AFTER: a byte each pixel to drop
    // libpng writes the header chunks only; writeImageData() the rest.
    bool headerOnly = false;
    int bytesPerPixel = 1; // in the file
};

bool writeChunk(QIODevice *device, const char *type, const uchar *data, qsizetype size)
{
    uchar head[8];
    qToBigEndian<quint32>(quint32(size), head);
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0, head + 4, 4);
    if (size > 0)
        crc = crc32(crc, data, uInt(size));
    uchar tail[4];
    qToBigEndian<quint32>(quint32(crc), tail);
    return device->write(reinterpret_cast<const char *>(head), 8) == 8
           && (size == 0 || device->write(reinterpret_cast<const char *>(data), size) == size)
           && device->write(reinterpret_cast<const char *>(tail), 4) == 4;
}

// The rows and the end of the file, byte for byte as libpng writes them
// without a row filter (each row a filter byte of 0 and the pixels), but
// with the pixels packed and summed many at a step: libpng's own packing
// and zlib's checksum, a byte at a time, took a fifth of a page's encoding.
bool writeImageData(const Page &page, QIODevice *device, QString *error)
{
    ZlibStream stream(page.level, page.strategy, compressionBufferSize,
                      [device](const uchar *data, qsizetype size) { return writeChunk(device, "IDAT", data, size); });
    // The row, and room for RowPacking::pack() to write past it.
    const qsizetype rowSize = 1 + qsizetype(page.width) * page.bytesPerPixel;
    std::vector<uchar> row(size_t(rowSize + 4));
    row[0] = PNG_FILTER_VALUE_NONE;
    for (int y = 0; y < page.height; ++y) {
        const uchar *pixels = page.bits + y * page.bytesPerLine;
        if (page.bytesPerPixel == 1)
            std::memcpy(row.data() + 1, pixels, size_t(page.width));
        else
            RowPacking::pack(reinterpret_cast<const QRgb *>(pixels), page.width, page.bytesPerPixel, row.data() + 1);
        if (!stream.add(row.data(), rowSize)) {
            *error = stream.error();
            return false;
        }
    }
    if (!stream.finish()) {
        *error = stream.error();
        return false;
    }
    if (!writeChunk(device, "IEND", nullptr, 0)) {
        *error = QStringLiteral("the file could not be written");
        return false;
    }
    return true;
}

int filterBits(PngEncoder::RowFilter filter)
{
    switch (filter) {
    case PngEncoder::RowFilter::None:
        return PNG_FILTER_NONE;
    case PngEncoder::RowFilter::Sub:
        return PNG_FILTER_SUB;
    case PngEncoder::RowFilter::Up:
        return PNG_FILTER_UP;
    case PngEncoder::RowFilter::Paeth:
        return PNG_FILTER_PAETH;
    case PngEncoder::RowFilter::Adaptive:
    default:
        return PNG_ALL_FILTERS;
    }
}

bool encodeRows(png_structp png, png_infop info, const Page &page)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(page.width), png_uint_32(page.height), 8, page.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (page.paletteSize > 0)
        png_set_PLTE(png, info, page.palette, page.paletteSize);
    if (page.alphaCount > 0)
        png_set_tRNS(png, info, page.alphas, page.alphaCount, nullptr);
    if (page.dotsPerMeterX > 0 || page.dotsPerMeterY > 0)
        png_set_pHYs(png, info, png_uint_32(qMax(0, page.dotsPerMeterX)),
                     png_uint_32(qMax(0, page.dotsPerMeterY)), PNG_RESOLUTION_METER);
    if (page.iccSize > 0)
        png_set_iCCP(png, info, "ICC profile", PNG_COMPRESSION_TYPE_BASE,
                     reinterpret_cast<png_const_bytep>(page.iccProfile), png_uint_32(page.iccSize));
    if (page.textCount > 0)
        png_set_text(png, info, page.texts, page.textCount);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, page.filters);
    png_set_compression_level(png, page.level);
    png_set_compression_strategy(png, page.strategy);
    // Fewer, larger IDAT chunks and device writes.
    png_set_compression_buffer_size(png, 1 << 16);
    png_write_info(png, info);
    if (page.headerOnly)
        return true;
    if (page.bgr)
        png_set_bgr(png);
    if (page.swapAlpha)
        png_set_swap_alpha(png);
    if (page.filler >= 0)
        png_set_filler(png, 0, page.filler);
    for (int y = 0; y < page.height; ++y)
        png_write_row(png, const_cast<png_bytep>(page.bits + y * page.bytesPerLine));
    png_write_end(png, info);
    return true;
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

    Page page;
    page.width = image.width();
    page.height = image.height();
    page.bits = image.constBits();
    page.bytesPerLine = image.bytesPerLine();
    page.dotsPerMeterX = image.dotsPerMeterX();
    page.dotsPerMeterY = image.dotsPerMeterY();
    page.filters = filterBits(m_filter);
    page.level = m_level;
    page.strategy = m_strategy == Strategy::Rle        ? Z_RLE
                    : m_strategy == Strategy::Filtered ? Z_FILTERED
                                                       : Z_DEFAULT_STRATEGY;

    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    const bool littleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
    switch (image.format()) {
    case QImage::Format_Grayscale8:
        page.colourType = PNG_COLOR_TYPE_GRAY;
        break;
    case QImage::Format_Indexed8: {
        page.colourType = PNG_COLOR_TYPE_PALETTE;
        const QList<QRgb> colours = image.colorTable();
        int lastClear = -1;
        for (int i = 0; i < colours.size(); ++i) {
            const QRgb colour = colours.at(i);
            palette.push_back(png_color{png_byte(qRed(colour)), png_byte(qGreen(colour)), png_byte(qBlue(colour))});
            alphas.push_back(png_byte(qAlpha(colour)));
            if (qAlpha(colour) != 255)
                lastClear = i;
        }
        page.palette = palette.data();
        page.paletteSize = int(palette.size());
        // The alphas after the last clear colour are opaque, as PNG reads a
        // missing one.
        page.alphas = alphas.data();
        page.alphaCount = lastClear + 1;
        break;
    }
    case QImage::Format_RGB32:
        // In memory B, G, R, unused (little-endian) or unused, R, G, B.
        page.colourType = PNG_COLOR_TYPE_RGB;
        page.bytesPerPixel = 3;
        page.bgr = littleEndian;
        page.filler = littleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE;
        break;
    default:
        // In memory B, G, R, A (little-endian) or A, R, G, B.
        page.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
        page.bytesPerPixel = 4;
        page.bgr = littleEndian;
        page.swapAlpha = !littleEndian;
        break;
    }

    // Qt's colour spaces are all RGB ones, which PNG allows on colour
    // pixels only: a page compacted to grey goes without.
    const QByteArray icc = image.colorSpace().isValid() && page.colourType != PNG_COLOR_TYPE_GRAY
                               ? image.colorSpace().iccProfile()
                               : QByteArray();
    page.iccProfile = icc.constData();
    page.iccSize = int(icc.size());

    // The text keys, Latin-1 text as tEXt and any other as UTF-8 iTXt.
    const QStringList keys = image.textKeys();
    std::vector<QByteArray> textBytes;
    std::vector<png_text> texts(size_t(keys.size()));
    textBytes.reserve(size_t(2 * keys.size()));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        // A NUL would end the text for every reader: it is left out.
        QString value = image.text(keys.at(i));
        value.remove(QChar(0));
        const bool latin = value == QString::fromLatin1(value.toLatin1());
        textBytes.push_back(keys.at(i).left(79).toLatin1());
        textBytes.push_back(latin ? value.toLatin1() : value.toUtf8());
        png_text &text = texts[size_t(i)];
        text.compression = latin ? PNG_TEXT_COMPRESSION_NONE : PNG_ITXT_COMPRESSION_NONE;
        text.key = textBytes[textBytes.size() - 2].data();
        text.text = textBytes.back().data();
        (latin ? text.text_length : text.itxt_length) = size_t(textBytes.back().size());
    }
    page.texts = texts.data();
    page.textCount = int(texts.size());

    // Without a row filter the rows are compressed here, unless the image is
    // so small that libpng would shrink zlib's window for it, or stored
    // uncompressed, whose blocks zlib sizes by libpng's buffer.
    page.headerOnly = m_filter == RowFilter::None && m_level > 0
                      && (1 + qsizetype(page.width) * page.bytesPerPixel) * page.height > smallImageData;

    Sink sink;
    sink.device = device;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info) {
        png_set_write_fn(png, &sink, onWrite, onFlush);
        written = encodeRows(png, info, page);
    } else {
        std::strncpy(sink.message, "out of memory", sizeof sink.message - 1);
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (!written) {
        m_error = QString::fromLatin1(sink.message);
        return false;
    }
    return !page.headerOnly || writeImageData(page, device, &m_error);
}
