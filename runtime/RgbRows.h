#ifndef VARNEL_RUNTIME_RGBROWS_H
#define VARNEL_RUNTIME_RGBROWS_H

#include <cstddef>
#include <cstdint>

// Opaque true-colour pixels as 0xFFRRGGBB (a QRgb, kept as its plain type so that what reads a
// picture and makes a logo of it needs no Qt Gui), seen row by row from the top-left: `stride`
// pixels from one row's start to the next. Whoever holds the pixels keeps them while this is used.
struct TRgbRows {
    int width = 0;
    int height = 0;
    const std::uint32_t* first = nullptr;
    std::ptrdiff_t stride = 0;

    const std::uint32_t* Row(int y) const { return first + std::ptrdiff_t(y) * stride; }

    static int Red(std::uint32_t rgb) { return int(rgb >> 16 & 0xFF); }
    static int Green(std::uint32_t rgb) { return int(rgb >> 8 & 0xFF); }
    static int Blue(std::uint32_t rgb) { return int(rgb & 0xFF); }
};

#endif
