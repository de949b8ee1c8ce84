#ifndef VARNEL_PICTURES_DIB_H
#define VARNEL_PICTURES_DIB_H

#include "runtime/ByteView.h"

#include <QImage>

// Device-independent bitmaps as metafile records and icon files hold them: a header (the 12-byte
// core header or an info header of 40 bytes or more), a colour table, then the pixel rows,
// uncompressed (1, 4, 8, 16, 24 or 32 bits, with or without bit-field masks) or a whole PNG or
// JPEG file. Every function gives a null image for a bitmap it cannot read: an unknown depth or
// compression, rows missing, or more than MaxPixels pixels.
namespace Dib {

inline constexpr qint64 MaxPixels = qint64(1) << 24;

// The pixels the header in `info` declares, before anything is decoded; 0 for a header it
// cannot read.
qint64 DeclaredPixels(TByteView info);
// The header and colours in `info`, the rows in `bits`: an opaque RGB32 image.
QImage Decode(TByteView info, TByteView bits);
// Header, colours and rows in one piece: an opaque RGB32 image.
QImage DecodePacked(TByteView dib);
// An icon entry: a header of twice the picture's height, the colour rows, then the 1-bit mask
// rows (a set bit is see-through). A 32-bit entry with any alpha keeps its alpha instead. ARGB32.
QImage DecodeIcon(TByteView dib);
// A PNG or JPEG file held whole, no larger than MaxPixels: ARGB32. A file cut short, or a PNG
// whose chunks do not lie within it (PngChunks), gives a null image.
QImage DecodeImageFile(QByteArrayView file);

} // namespace Dib

#endif
