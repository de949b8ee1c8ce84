#ifndef VARNEL_RUNTIME_PNGREADER_H
#define VARNEL_RUNTIME_PNGREADER_H

#include "runtime/RgbPicture.h"

#include <QByteArrayView>
#include <optional>

// The plainest PNG pictures read on Qt Core and zlib alone, so that a command that only needs
// their pixels starts without Qt Gui. It is a short cut beside Qt's reader, never a second
// opinion: it answers only for files whose pixels it knows Qt's reader (as TDecodedBitmap drives
// it) draws the same, and leaves every other file to that reader.
namespace PngReader {

// The pixels of `file`, opaque, when it is a whole PNG whose chunks all carry their right
// checksums, of grey (1, 2, 4 or 8 bits), 8-bit RGB or a palette (1 to 8 bits) whose every pixel
// names an entry it has, not interlaced, with no transparency, and with image data that
// inflates to exactly its rows; chunks other than the header, palette and image data are
// skipped, bytes after the end chunk ignored. None for anything else, and for a picture wider
// than `maxWidth` or taller than `maxHeight`, refused on its header alone: memory stays within
// what the limits' pixels take, whatever a file claims.
std::optional<TRgbPicture> OpaquePixels(QByteArrayView file, int maxWidth, int maxHeight);

} // namespace PngReader

#endif
