#include "bench/AverageAutoColour.h"

#include "logo/ColorTable.h"
#include "logo/LogoGeometry.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"

#include <array>
#include <optional>

namespace {

using namespace LogoGeometry;

// Below an eighth of full brightness in every channel a pixel is background: the noise a
// compressed photo leaves around black must not pull a cell's colour towards grey.
constexpr int DarkLimit = 32;

using Rgb = std::array<int, 3>;
using Cell = std::array<Rgb, CellWidth * CellHeight>;

Rgb Channels(TColor color) {
    return {int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF)};
}

int Distance(const Rgb& a, const Rgb& b) {
    int sum = 0;
    for (std::size_t c = 0; c < 3; ++c)
        sum += (a[c] - b[c]) * (a[c] - b[c]);
    return sum;
}

bool Dark(const Rgb& pixel) {
    return pixel[0] < DarkLimit && pixel[1] < DarkLimit && pixel[2] < DarkLimit;
}

// The average of the cell's pixels that pass `counts`; none when no pixel does.
template <typename Predicate> std::optional<Rgb> Average(const Cell& cell, Predicate counts) {
    Rgb sum{};
    int n = 0;
    for (const Rgb& pixel : cell)
        if (counts(pixel)) {
            for (std::size_t c = 0; c < 3; ++c)
                sum[c] += pixel[c];
            ++n;
        }
    if (n == 0)
        return std::nullopt;
    for (int& s : sum)
        s = (s + n / 2) / n;
    return sum;
}

// Black is left out: a lit pixel is always meant to show.
int NearestTextColour(const Rgb& color) {
    const QList<QRgb>& palette = VgaTextPalette();
    int best = 1;
    for (int i = 2; i < palette.size(); ++i)
        if (Distance(color, Channels(FromQRgb(palette[i]))) <
            Distance(color, Channels(FromQRgb(palette[best]))))
            best = i;
    return best;
}

Cell ReadCell(const TBitmap& area, int column, int row) {
    Cell cell{};
    for (int y = 0; y < CellHeight; ++y)
        for (int x = 0; x < CellWidth; ++x) {
            const TColor color = area.Canvas().Pixel(column * CellWidth + x, row * CellHeight + y);
            cell[std::size_t(y * CellWidth + x)] = color == clInvalid ? Rgb{} : Channels(color);
        }
    return cell;
}

} // namespace

TBitmap AverageAutoColour(const TBitmap& area, TColorTable& colors) {
    TBitmap drawing = Templates::BlankDrawing();
    const Rgb black{};
    for (int row = 0; row < Rows; ++row)
        for (int column = 0; column < Columns; ++column) {
            const Cell cell = ReadCell(area, column, row);
            colors.Set(column, row, 15);
            const std::optional<Rgb> colour =
                Average(cell, [](const Rgb& pixel) { return !Dark(pixel); });
            if (!colour)
                continue;
            const auto lit = [&](const Rgb& pixel) {
                return Distance(pixel, *colour) < Distance(pixel, black);
            };
            for (std::size_t i = 0; i < cell.size(); ++i)
                if (lit(cell[i]))
                    drawing.Canvas().SetPixel(column * CellWidth + int(i) % CellWidth,
                                              row * CellHeight + int(i) / CellWidth, clWhite);
            if (const std::optional<Rgb> shown = Average(cell, lit))
                colors.Set(column, row, NearestTextColour(*shown));
        }
    return drawing;
}
