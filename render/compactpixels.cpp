#include "compactpixels.h"

#include <QColorSpace>
#include <QHash>

namespace {

// What a scan of every pixel found.
struct Survey
{
    bool opaque = true;
    bool grey = true;
    // Every colour, in the order met, while there are at most 256.
    QList<QRgb> colours;
    bool fewColours = true;
};

// Whether every pixel from line `from` on is opaque.
bool allOpaque(const QImage &image, QRgb alphaFill, int from)
{
    for (int y = from; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QRgb alphas = 0xff000000u;
        for (int x = 0; x < image.width(); ++x)
            alphas &= row[x] | alphaFill;
        if (alphas != 0xff000000u)
            return false;
    }
    return true;
}

Survey survey(const QImage &image, QRgb alphaFill)
{
    Survey found;
    QHash<QRgb, int> seen;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        // A page is mostly runs of one colour: each run is looked at once.
        QRgb last = ~row[0];
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = row[x] | alphaFill;
            if (colour == last)
                continue;
            last = colour;
            found.opaque = found.opaque && qAlpha(colour) == 255;
            found.grey = found.grey && qRed(colour) == qGreen(colour) && qGreen(colour) == qBlue(colour);
            if (found.fewColours && !seen.contains(colour)) {
                if (found.colours.size() == 256) {
                    found.fewColours = false;
                    found.colours.clear();
                } else {
                    seen.insert(colour, int(found.colours.size()));
                    found.colours.append(colour);
                }
            }
            if (!found.fewColours && !found.grey) {
                // Only opacity is left to learn: the rest of the page is
                // scanned for it alone.
                if (found.opaque)
                    found.opaque = allOpaque(image, alphaFill, y);
                return found;
            }
        }
    }
    return found;
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
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *out = result.scanLine(y);
        QRgb last = ~(row[0] | alphaFill);
        uchar lastIndex = 0;
        for (int x = 0; x < image.width(); ++x) {
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

} // namespace

namespace CompactPixels {

QImage compact(QImage image)
{
    if (image.isNull()
        || (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32))
        return image;
    // RGB32 keeps an undefined byte where ARGB32 keeps alpha: it reads as
    // opaque whatever that byte holds.
    const QRgb alphaFill = image.format() == QImage::Format_RGB32 ? 0xff000000u : 0u;
    const Survey found = survey(image, alphaFill);
    QImage result;
    if (found.opaque && found.grey)
        result = image.convertToFormat(QImage::Format_Grayscale8);
    else if (found.fewColours)
        result = indexed(image, alphaFill, found.colours);
    else if (found.opaque && image.format() == QImage::Format_ARGB32) {
        // Every alpha byte is 255 already: the same bytes read as RGB32.
        image.reinterpretAsFormat(QImage::Format_RGB32);
        return image;
    }
    if (result.isNull())
        return image;
    result.setDotsPerMeterX(image.dotsPerMeterX());
    result.setDotsPerMeterY(image.dotsPerMeterY());
    result.setColorSpace(image.colorSpace());
    for (const QString &key : image.textKeys())
        result.setText(key, image.text(key));
    return result;
}

} // namespace CompactPixels
