#include "logo/OneBit.h"

#include "logo/Conversion.h"
#include "logo/Otsu.h"
#include "logo/PictureArea.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"

#include <array>
#include <vector>

namespace {

// The picture's luminances over its place in the logo, row by row.
struct TLevels {
    QRect place;
    std::vector<int> values;
    int At(int x, int y) const { return values[std::size_t(y * place.width() + x)]; }
};

using TLit = std::vector<bool>;

TLevels Levels(const TPictureArea& area, bool invert) {
    TLevels levels{area.picture, {}};
    levels.values.reserve(std::size_t(area.picture.width()) * area.picture.height());
    for (int y = area.picture.top(); y <= area.picture.bottom(); ++y)
        for (int x = area.picture.left(); x <= area.picture.right(); ++x) {
            const int level = Luminance(area.pixels.Canvas().Pixel(x, y));
            levels.values.push_back(invert ? 255 - level : level);
        }
    return levels;
}

int Level(const TLevels& levels, const TImportOptions& options) {
    if (options.threshold != TThreshold::Otsu)
        return options.level;
    TLevelHistogram histogram{};
    for (const int value : levels.values)
        ++histogram[std::size_t(value)];
    return OtsuLevel(histogram);
}

TLit Thresholded(const TLevels& levels, int level) {
    TLit lit(levels.values.size());
    for (std::size_t i = 0; i < lit.size(); ++i)
        lit[i] = levels.values[i] >= level;
    return lit;
}

// Error diffusion in raster order: 7/16 right, 3/16 below left, 5/16 below, 1/16 below right.
// Levels are kept in sixteenths of a step, and every sixteenth of an error goes somewhere.
TLit FloydSteinberg(const TLevels& levels, int level) {
    const int width = levels.place.width();
    const int height = levels.place.height();
    std::vector<int> work(levels.values.begin(), levels.values.end());
    for (int& value : work)
        value *= 16;
    TLit lit(work.size());
    const auto spread = [&](int x, int y, int share) {
        if (x >= 0 && x < width && y < height)
            work[std::size_t(y * width + x)] += share;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = std::size_t(y * width + x);
            lit[i] = work[i] >= level * 16;
            const int error = work[i] - (lit[i] ? 255 * 16 : 0);
            const int right = error * 7 / 16;
            const int belowLeft = error * 3 / 16;
            const int below = error * 5 / 16;
            spread(x + 1, y, right);
            spread(x - 1, y + 1, belowLeft);
            spread(x, y + 1, below);
            spread(x + 1, y + 1, error - right - belowLeft - below);
        }
    return lit;
}

// The 8 × 8 Bayer matrix, 0..63: the lowest bits of a position weigh most.
constexpr std::array<std::array<int, 8>, 8> BayerMatrix = [] {
    std::array<std::array<int, 8>, 8> matrix{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            int value = 0;
            for (int bit = 0; bit < 3; ++bit)
                value = value << 2 | ((x ^ y) >> bit & 1) << 1 | (y >> bit & 1);
            matrix[y][x] = value;
        }
    return matrix;
}();

// The matrix follows the logo's own pixels, so that a cell shows the same pattern wherever the
// picture lies. At level 128 a luminance L lights (L / 4) of every 64 pixels, rounded.
TLit Bayer(const TLevels& levels, int level) {
    TLit lit(levels.values.size());
    std::size_t i = 0;
    for (int y = levels.place.top(); y <= levels.place.bottom(); ++y)
        for (int x = levels.place.left(); x <= levels.place.right(); ++x, ++i)
            lit[i] = levels.values[i] + 128 - level >= 4 * BayerMatrix[y % 8][x % 8] + 2;
    return lit;
}

TLit NonBlack(const TPictureArea& area, bool invert) {
    TLit lit;
    lit.reserve(std::size_t(area.picture.width()) * area.picture.height());
    for (int y = area.picture.top(); y <= area.picture.bottom(); ++y)
        for (int x = area.picture.left(); x <= area.picture.right(); ++x)
            lit.push_back(IsLit(area.pixels.Canvas().Pixel(x, y)) != invert);
    return lit;
}

TLit LitPixels(const TPictureArea& area, const TImportOptions& options) {
    if (options.threshold == TThreshold::NonBlack && options.dither == TDither::None)
        return NonBlack(area, options.invert);
    const TLevels levels = Levels(area, options.invert);
    const int level = Level(levels, options);
    switch (options.dither) {
    case TDither::FloydSteinberg:
        return FloydSteinberg(levels, level);
    case TDither::Bayer:
        return Bayer(levels, level);
    case TDither::None:
        break;
    }
    return Thresholded(levels, level);
}

} // namespace

int Luminance(TColor color) {
    return (299 * int(color & 0xFF) + 587 * int(color >> 8 & 0xFF) + 114 * int(color >> 16 & 0xFF) +
            500) /
           1000;
}

TBitmap OneBitDrawing(const TPictureArea& area, const TImportOptions& options) {
    const TLit lit = LitPixels(area, options);
    std::vector<TCanvas::TPixelAt> pixels;
    std::size_t i = 0;
    for (int y = area.picture.top(); y <= area.picture.bottom(); ++y)
        for (int x = area.picture.left(); x <= area.picture.right(); ++x, ++i)
            if (lit[i])
                pixels.push_back({x, y, clWhite});
    TBitmap drawing = Templates::BlankDrawing();
    drawing.Canvas().SetPixels(pixels);
    return drawing;
}
