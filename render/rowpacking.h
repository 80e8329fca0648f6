#ifndef ROWPACKING_H
#define ROWPACKING_H

#include <QRgb>

// Rows of 32-bit pixels (RGB32, ARGB32, premultiplied or not) as the bytes
// files hold them: R, G, B, and alpha after them for four bytes a pixel.
// Four pixels a step by one shuffle where the processor has SSSE3, else as
// whole words; Qt's own conversion to RGB888 goes a byte at a time.
namespace RowPacking {

// Packs width pixels into out, three or four (bytesPerPixel) bytes each.
// Three-byte rows may be written up to four bytes past their end. out may
// be pixels itself, or any place before them: each step reads its pixels
// before it writes.
void pack(const QRgb *pixels, int width, int bytesPerPixel, uchar *out);

} // namespace RowPacking

#endif // ROWPACKING_H
