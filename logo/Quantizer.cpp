#include "logo/Quantizer.h"

#include "logo/DacLevels.h"
#include "logo/PaletteChoice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The nearest entry is remembered for each colour at seven bits a channel: finer than the DAC,
// so that neighbouring entries of a full palette are told apart.
constexpr int Keys = 128 * 128 * 128;

// The share of the error carried on: the whole of it doubles the noise in smooth shading for
// little gain seen from afar; four fifths keeps the shades with less noise.
constexpr double CarriedShare = 0.8;

using Centre = std::array<double, 3>;

int Key(QRgb rgb) {
    return (qRed(rgb) >> 1) << 14 | (qGreen(rgb) >> 1) << 7 | qBlue(rgb) >> 1;
}

double SquaredDistance(const Centre& a, const Centre& b) {
    double sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += (a[c] - b[c]) * (a[c] - b[c]);
    return sum;
}

std::size_t Nearest(const std::vector<Centre>& centres, const Centre& color) {
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (const double distance = SquaredDistance(color, centres[i]); distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    return best;
}

// Each pixel's nearest palette entry, the error carried on to its neighbours when dithering.
class TMapper {
public:
    explicit TMapper(const std::vector<TAwbmColor>& palette) {
        for (const TAwbmColor entry : palette) {
            const QRgb rgb = TAwbmLogo::ToRgb(entry);
            widened_.push_back({double(qRed(rgb)), double(qGreen(rgb)), double(qBlue(rgb))});
        }
        for (const Centre& entry : widened_) {
            double gap = std::numeric_limits<double>::max();
            for (const Centre& other : widened_)
                if (const double d = std::sqrt(SquaredDistance(entry, other)); d > 0)
                    gap = std::min(gap, d);
            reach_.push_back(gap / 2);
        }
    }

    std::vector<std::uint8_t> Map(const QImage& picture, bool dither) {
        const int width = picture.width();
        std::vector<std::uint8_t> indices(std::size_t(width) * picture.height());
        // Errors of this row and the next, one pixel of margin either side.
        std::vector<Centre> here(std::size_t(width) + 2), next(here.size());
        for (int y = 0; y < picture.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                const Centre own = {double(qRed(row[x])), double(qGreen(row[x])),
                                    double(qBlue(row[x]))};
                const Centre wanted = Wanted(own, here[std::size_t(x) + 1]);
                const std::uint8_t index = Lookup(wanted);
                indices[std::size_t(y) * width + x] = index;
                if (dither)
                    Spread(here, next, std::size_t(x) + 1, wanted, widened_[index]);
            }
            std::swap(here, next);
            std::fill(next.begin(), next.end(), Centre{});
        }
        return indices;
    }

private:
    // The pixel's own colour with the error carried to it, kept within half the gap between
    // the pixel's nearest entry and the entry nearest that: error from across an edge or built
    // up over a flat area then cannot make a far-off entry win.
    Centre Wanted(const Centre& own, const Centre& carried) {
        const double reach = reach_[Lookup(own)];
        const double drift = std::sqrt(SquaredDistance(carried, Centre{}));
        const double scale = drift > reach ? reach / drift : 1.0;
        Centre wanted;
        for (int c = 0; c < 3; ++c)
            wanted[c] = std::clamp(own[c] + carried[c] * scale, 0.0, 255.0);
        return wanted;
    }

    std::uint8_t Lookup(const Centre& wanted) {
        const int key = Key(qRgb(int(wanted[0]), int(wanted[1]), int(wanted[2])));
        std::int16_t& cached = cache_[std::size_t(key)];
        if (cached < 0)
            cached = std::int16_t(Nearest(widened_, wanted));
        return std::uint8_t(cached);
    }

    static void Spread(std::vector<Centre>& here, std::vector<Centre>& next, std::size_t at,
                       const Centre& wanted, const Centre& shown) {
        for (int c = 0; c < 3; ++c) {
            const double error = Carried(wanted[c], shown[c]);
            here[at + 1][c] += error * 7 / 16;
            next[at - 1][c] += error * 3 / 16;
            next[at][c] += error * 5 / 16;
            next[at + 1][c] += error * 1 / 16;
        }
    }

    // What of the miss is carried on. A wanted value between two of the DAC's levels shown as
    // one of them is as near as it gets: carrying that rest would build up, pixel after pixel,
    // over a flat area until a far-off entry wins.
    static double Carried(double wanted, double shown) {
        const TDacLevels& levels = TDacLevels::Get();
        if (shown == levels.Above(int(std::ceil(wanted))) || shown == levels.Below(int(wanted)))
            return 0;
        return (wanted - shown) * CarriedShare;
    }

    std::vector<Centre> widened_;
    // How far the error carried may move a pixel whose nearest entry this is.
    std::vector<double> reach_;
    // The nearest entry by the wanted colour's six bits a channel; -1 until asked.
    std::vector<std::int16_t> cache_ = std::vector<std::int16_t>(Keys, -1);
};

} // namespace

TAwbmLogo Quantize(const QImage& picture, int colors, bool dither) {
    TAwbmLogo::CheckSize(picture.width(), picture.height());
    const QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<TAwbmColor> palette = ChoosePalette(pixels, colors);
    std::vector<std::uint8_t> indices = TMapper(palette).Map(pixels, dither);
    return TAwbmLogo(picture.width(), picture.height(), colors, std::move(palette),
                     std::move(indices));
}
