#ifndef VARNEL_RUNTIME_BMPFILE_H
#define VARNEL_RUNTIME_BMPFILE_H

#include "runtime/IndexedPicture.h"

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <vector>

// The one BMP writer: bitmaps, the editor's saves and epatool's pictures all come out of it. An
// uncompressed Windows BMP with a 40-byte header, rows bottom-up, each padded with zero bits to
// whole four bytes: the bytes Qt's own BMP writer makes of the same picture, on Qt Core alone.
namespace BmpFile {

// The resolution Qt gives a picture made where there is no screen (100 dpi): what epatool's
// pictures have always said.
inline constexpr int ScreenlessDotsPerMeter = 3937;
// The file header, and the Windows info header that follows it.
inline constexpr int FileHeaderSize = 14;
inline constexpr int InfoHeaderSize = 40;

struct TLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24; // 1, 4, 8 with `palette`, or 24 without
    std::vector<std::uint32_t> palette;
    int dotsPerMeterX = ScreenlessDotsPerMeter;
    int dotsPerMeterY = ScreenlessDotsPerMeter;
};

// Fills picture row `y` (0 the top) into `row`, which holds the row's bytes, all zero.
using TRowFill = std::function<void(int y, std::uint8_t* row)>;

QByteArray Write(const TLayout& layout, const TRowFill& fill);
// At 4 bits a pixel for at most 16 colours, else 8.
QByteArray Indexed(const TIndexedPicture& picture);

} // namespace BmpFile

#endif
