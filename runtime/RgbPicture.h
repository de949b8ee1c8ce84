#ifndef VARNEL_RUNTIME_RGBPICTURE_H
#define VARNEL_RUNTIME_RGBPICTURE_H

#include "runtime/RgbRows.h"

#include <cstdint>
#include <vector>

// An opaque true-colour picture that holds its own pixels, 0xFFRRGGBB row by row from the
// top-left with no gap between rows.
struct TRgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    TRgbRows Rows() const { return {width, height, pixels.data(), width}; }
};

#endif
