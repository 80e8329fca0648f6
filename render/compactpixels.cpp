#include "compactpixels.h"

#include "rowpacking.h"

#include <QColorSpace>
#include <QHash>

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Whether every pixel is opaque, and whether every one is a shade of grey.
void opacityAndGrey(const QImage &image, QRgb alphaFill, bool *opaque, bool *grey)
{
    *opaque = true;
    *grey = true;
    // RGB32 is opaque by its format: only its greys are looked for.
    const bool opaqueByFormat = alphaFill == 0xff000000u;
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height && ((*opaque && !opaqueByFormat) || *grey); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        // Without branches: alpha is 255 when the alphas ANDed together
        // are, and red, green and blue are equal when each byte of the
        // colour equals the one below it.
        QRgb alphas = 0xff000000u;
        QRgb notGrey = 0;
        int x = 0;
#if defined(__SSE2__)
        // Four pixels a step: the compiler does not vectorise the loop below
        // at the project's optimisation level.
        const __m128i fill = _mm_set1_epi32(int(alphaFill));
        const __m128i lowBytes = _mm_set1_epi32(0xffff);
        __m128i alphaLanes = _mm_set1_epi32(-1);
        __m128i notGreyLanes = _mm_setzero_si128();
        for (; x + 4 <= width; x += 4) {
            const __m128i colours = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x)), fill);
            alphaLanes = _mm_and_si128(alphaLanes, colours);
            notGreyLanes = _mm_or_si128(
                notGreyLanes, _mm_and_si128(_mm_xor_si128(colours, _mm_srli_epi32(colours, 8)), lowBytes));
        }
        alignas(16) QRgb lanes[8];
        _mm_store_si128(reinterpret_cast<__m128i *>(lanes), alphaLanes);
        _mm_store_si128(reinterpret_cast<__m128i *>(lanes + 4), notGreyLanes);
        for (int lane = 0; lane < 4; ++lane) {
            alphas &= lanes[lane];
            notGrey |= lanes[4 + lane];
        }
#endif
        for (; x < width; ++x) {
            const QRgb colour = row[x] | alphaFill;
            alphas &= colour;
            notGrey |= (colour ^ (colour >> 8)) & 0xffffu;
        }
        *opaque = *opaque && (alphas & 0xff000000u) == 0xff000000u;
        *grey = *grey && notGrey == 0;
    }
}

// Whether every pixel of a 32-bit image with alpha in its top byte is
// opaque, looking no further than the first row with one that is not.
bool allOpaque(const QImage &image)
{
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb alphas = 0xff000000u;
        int x = 0;
#if defined(__SSE2__)
        __m128i alphaLanes = _mm_set1_epi32(-1);
        for (; x + 4 <= width; x += 4)
            alphaLanes = _mm_and_si128(alphaLanes, _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x)));
        alignas(16) QRgb lanes[4];
        _mm_store_si128(reinterpret_cast<__m128i *>(lanes), alphaLanes);
        alphas &= lanes[0] & lanes[1] & lanes[2] & lanes[3];
#endif
        for (; x < width; ++x)
            alphas &= row[x];
        if ((alphas & 0xff000000u) != 0xff000000u)
            return false;
    }
    return true;
}

// A set of at most 256 colours, looked up without allocating: the scan
// asks it once for every run of pixels on the page.
class ColourSet
{
public:
    ColourSet() { m_used.fill(false); }

    // Adds colour; false when the set already held 256 others.
    bool insert(QRgb colour)
    {
        size_t slot = (colour * 2654435761u) >> (32 - bits);
        while (m_used[slot]) {
            if (m_keys[slot] == colour)
                return true;
            slot = (slot + 1) & (size - 1);
        }
        if (m_order.size() == 256)
            return false;
        m_used[slot] = true;
        m_keys[slot] = colour;
        m_order.append(colour);
        return true;
    }

    // The colours in the order they came.
    const QList<QRgb> &colours() const { return m_order; }

private:
    static constexpr int bits = 10;
    static constexpr size_t size = size_t(1) << bits;
    std::array<QRgb, size> m_keys{};
    std::array<bool, size> m_used;
    QList<QRgb> m_order;
};

// Every colour of the image in the order met, or none when there are more
// than 256.
QList<QRgb> fewColours(const QImage &image, QRgb alphaFill)
{
    ColourSet colours;
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        // A page is mostly runs of one colour: each run is looked at once.
        QRgb last = ~(row[0] | alphaFill);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] | alphaFill;
            if (colour == last)
                continue;
            last = colour;
            if (!colours.insert(colour))
                return {};
        }
    }
    return colours.colours();
}

// The pixels as indices into colours, which holds each of them.
QImage indexed(const QImage &image, QRgb alphaFill, const QList<QRgb> &colours)
{
    QHash<QRgb, uchar> index;
    for (int i = 0; i < colours.size(); ++i)
        index.insert(colours.at(i), uchar(i));
    QImage result(image.size(), QImage::Format_Indexed8);
    if (result.isNull())
        return result;
    result.setColorTable(colours);
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = result.scanLine(y);
        QRgb last = ~(row[0] | alphaFill);
        uchar lastIndex = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb colour = row[x] | alphaFill;
            if (colour != last) {
                last = colour;
                lastIndex = index.value(colour);
            }
            out[x] = lastIndex;
        }
    }
    return result;
}

// The metadata of image on result, as the encoder writes it.
QImage withMetadataOf(QImage result, const QImage &image)
{
    result.setDotsPerMeterX(image.dotsPerMeterX());
    result.setDotsPerMeterY(image.dotsPerMeterY());
    result.setColorSpace(image.colorSpace());
    for (const QString &key : image.textKeys())
        result.setText(key, image.text(key));
    return result;
}

// What compact() makes of an ARGB32 or RGB32 image: a new image in fewer
// bytes, or none when image is kept (as RGB32 when opaque).
struct Survey
{
    QImage made;
    bool opaqueArgb = false;
};

Survey survey(const QImage &image)
{
    // RGB32 keeps an undefined byte where ARGB32 keeps alpha: it reads as
    // opaque whatever that byte holds.
    const QRgb alphaFill = image.format() == QImage::Format_RGB32 ? 0xff000000u : 0u;
    bool opaque = true;
    bool grey = true;
    opacityAndGrey(image, alphaFill, &opaque, &grey);
    Survey survey;
    if (opaque && grey)
        survey.made = image.convertToFormat(QImage::Format_Grayscale8);
    else if (const QList<QRgb> colours = fewColours(image, alphaFill); !colours.isEmpty())
        survey.made = indexed(image, alphaFill, colours);
    else
        survey.opaqueArgb = opaque && image.format() == QImage::Format_ARGB32;
    if (!survey.made.isNull())
        survey.made = withMetadataOf(std::move(survey.made), image);
    return survey;
}

bool surveyed(const QImage &image)
{
    return !image.isNull()
           && (image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32);
}

} // namespace

namespace CompactPixels {

QImage compact(QImage image)
{
    if (!surveyed(image))
        return image;
    Survey found = survey(image);
    if (!found.made.isNull())
        return found.made;
    // Every alpha byte is 255 already: the same bytes read as RGB32.
    if (found.opaqueArgb)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

bool isOpaque(const QImage &image)
{
    switch (image.format()) {
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return allOpaque(image);
    default:
        return !image.hasAlphaChannel();
    }
}

QImage compactView(const QImage &image)
{
    if (!surveyed(image))
        return image;
    Survey found = survey(image);
    if (!found.made.isNull())
        return found.made;
    if (!found.opaqueArgb)
        return image;
    // Writable in type only, so that setting the metadata copies nothing;
    // the encoder reads the pixels.
    QImage view(const_cast<uchar *>(image.constBits()), image.width(), image.height(), image.bytesPerLine(),
                QImage::Format_RGB32);
    return withMetadataOf(std::move(view), image);
}

QImage rgbInPlace(QImage &image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        return image;
    }
    const int width = image.width();
    const int height = image.height();
    // Each row packed in order into the rows before it ends where the next
    // one begins, and RowPacking reads before it writes.
    const qsizetype bytesPerLine = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    uchar *bits = image.bits();
    for (int y = 0; y < height; ++y)
        RowPacking::pack(reinterpret_cast<const QRgb *>(bits + y * image.bytesPerLine()), width, 3,
                         bits + y * bytesPerLine);
    return withMetadataOf(QImage(bits, width, height, bytesPerLine, QImage::Format_RGB888), image);
}

} // namespace CompactPixels
