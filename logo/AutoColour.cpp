#include "logo/AutoColour.h"

#include "logo/ColorTable.h"
#include "logo/LogoGeometry.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"

#include <array>
#include <limits>
#include <vector>

namespace {

using namespace LogoGeometry;

constexpr int Colours = 16;
// The text mode's backgrounds: bit 7 of an attribute blinks.
constexpr int Backgrounds = 8;
constexpr int Pixels = CellWidth * CellHeight;

// Each pixel's squared distance to each text-mode colour.
using TDistances = std::array<std::array<int, Colours>, Pixels>;

TDistances Distances(const TBitmap& area, int column, int row) {
    const QList<QRgb>& palette = VgaTextPalette();
    TDistances distances{};
    for (int i = 0; i < Pixels; ++i) {
        const QRgb pixel = ToQRgb(area.Canvas().Pixel(column * CellWidth + i % CellWidth,
                                                      row * CellHeight + i / CellWidth));
        for (int k = 0; k < Colours; ++k) {
            const int red = qRed(pixel) - qRed(palette[k]);
            const int green = qGreen(pixel) - qGreen(palette[k]);
            const int blue = qBlue(pixel) - qBlue(palette[k]);
            distances[std::size_t(i)][std::size_t(k)] = red * red + green * green + blue * blue;
        }
    }
    return distances;
}

struct TPair {
    int foreground = 15;
    int background = 0;
};

// Every pair is tried; one that already errs more than the best is given up early.
TPair BestPair(const TDistances& distances, int backgrounds) {
    TPair best;
    long bestError = std::numeric_limits<long>::max();
    for (int bg = 0; bg < backgrounds; ++bg)
        for (int fg = 0; fg < Colours; ++fg) {
            long error = 0;
            for (int i = 0; i < Pixels && error < bestError; ++i)
                error += std::min(distances[std::size_t(i)][std::size_t(fg)],
                                  distances[std::size_t(i)][std::size_t(bg)]);
            if (error < bestError) {
                bestError = error;
                best = {fg, bg};
            }
        }
    return best;
}

} // namespace

TBitmap AutoColour(const TBitmap& area, TColorTable& colors, bool background) {
    TBitmap drawing = Templates::BlankDrawing();
    std::vector<TCanvas::TPixelAt> lit;
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            const TDistances distances = Distances(area, column, row);
            const TPair pair = BestPair(distances, background ? Backgrounds : 1);
            const std::size_t before = lit.size();
            for (int i = 0; i < Pixels; ++i) {
                const auto& d = distances[std::size_t(i)];
                if (d[std::size_t(pair.foreground)] < d[std::size_t(pair.background)])
                    lit.push_back({column * CellWidth + i % CellWidth,
                                   row * CellHeight + i / CellWidth, clWhite});
            }
            const int foreground = lit.size() == before ? 15 : pair.foreground;
            colors.Set(column, row, pair.background << 4 | foreground);
        }
    drawing.Canvas().SetPixels(lit);
    return drawing;
}
