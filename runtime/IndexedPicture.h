#ifndef VARNEL_RUNTIME_INDEXEDPICTURE_H
#define VARNEL_RUNTIME_INDEXEDPICTURE_H

#include <cstdint>
#include <vector>

// A picture of palette indices, one byte a pixel row by row from the top-left, and its palette
// as 0xAARRGGBB (a QRgb, kept as its plain type so that what only reads and writes pictures
// needs no Qt Gui). Every index is below the palette's size.
struct TIndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;

    std::uint8_t& At(int x, int y) { return indices[std::size_t(y) * std::size_t(width) + x]; }
    std::uint8_t At(int x, int y) const { return indices[std::size_t(y) * std::size_t(width) + x]; }
    // The bits a pixel takes in a file: 4 for at most 16 colours, else 8.
    int BitsPerPixel() const { return palette.size() <= 16 ? 4 : 8; }
};

// Packs `width` indices into a file's row of `bits` (4 or 8) a pixel, the leftmost pixel in
// the highest bits; the bits past the last pixel stay as they are.
inline void PackIndices(const std::uint8_t* indices, int width, int bits, std::uint8_t* row) {
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        row[x / perByte] = std::uint8_t(row[x / perByte] | (indices[x] & mask) << shift);
    }
}

#endif
