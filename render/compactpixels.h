#ifndef COMPACTPIXELS_H
#define COMPACTPIXELS_H

#include <QImage>

// The smallest of Qt's pixel formats that holds a page's pixels exactly, so
// that a PNG encoder filters and compresses less data for the same picture:
// an opaque page in shades of grey needs one byte a pixel, a page of at most
// 256 colours one byte and a palette, any other opaque page three bytes.
// Read back, every pixel is the one painted.
namespace CompactPixels {

// image in Format_Grayscale8, Format_Indexed8 or Format_RGB32 when one of
// them holds every pixel exactly, tried in that order; otherwise image
// itself. Only Format_ARGB32 and Format_RGB32 images are looked at.
QImage compact(QImage image);
// Whether every pixel of image is opaque: in ARGB32, premultiplied or not,
// the pixels are looked at; another format is opaque when it has no alpha.
bool isOpaque(const QImage &image);
// As compact(), without copying an opaque ARGB32 image: that comes back as
// an RGB32 image on the same pixels, to be read only and only while image
// lives unchanged. For a canvas that is painted again after its page is
// written.
QImage compactView(const QImage &image);

// image's colours as RGB888, packed into image's own memory: a view on it
// with image's metadata, to be read only and only while image lives
// unchanged; image itself is left holding no page. Alpha is dropped as it
// is, unpremultiplied or not. For a writer that copies RGB888 rows as they
// are but converts 32-bit ones a byte at a time, as Qt's JPEG writer does.
// Only RGB32 and ARGB32 images, premultiplied or not, are packed; any other
// comes back as it is.
QImage rgbInPlace(QImage &image);

} // namespace CompactPixels

#endif // COMPACTPIXELS_H
