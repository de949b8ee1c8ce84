#ifndef VARNEL_RUNTIME_PNGFILE_H
#define VARNEL_RUNTIME_PNGFILE_H

#include "runtime/IndexedPicture.h"

#include <QByteArray>
#include <QByteArrayView>

// An indexed picture as a PNG on Qt Core and zlib alone: the signature, a header for a palette
// picture of 4 bits a pixel (at most 16 colours) or 8, the palette, the rows unfiltered in one
// compressed chunk, and the end.
namespace PngFile {

// The eight bytes every PNG file begins with.
inline constexpr QByteArrayView Signature("\x89PNG\r\n\x1a\n", 8);

// Raises an error when zlib cannot compress the rows (it has no memory for them).
QByteArray Indexed(const TIndexedPicture& picture);

} // namespace PngFile

#endif
