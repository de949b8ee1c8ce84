#include "logo/Quantizer.h"

#include "logo/ColourBlocks.h"
#include "logo/DacLevels.h"
#include "logo/NearestEntry.h"
#include "logo/PaletteChoice.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The share of the error carried on. In smooth shading four fifths keeps the shades from afar
// with less noise than the whole; where the picture is busy (texture, grain, edges) the eye
// misses the shades less than the noise, and two fifths keeps closer to the picture pixel for
// pixel and in structure.
constexpr double SmoothShare = 0.8;
constexpr double BusyShare = 0.4;
// A pixel is busy when its channels differ from its left and upper neighbours' by more than
// this in all.
constexpr int BusyAt = 12;
// The step between two of the DAC's levels, widened to eight bits.
constexpr double DacStep = TDacLevels::Widen(1);
// With more than 16 entries a pixel this near its nearest entry is shown by it, whatever error
// reaches it, and carries nothing on: so many entries leave few colours further off, and dithering
// the rest, within two of the DAC's steps, would add noise for a shade the eye hardly tells apart.
constexpr double QuietNear = 2 * DacStep;

// Each pixel's nearest palette entry, the error carried on to its neighbours when dithering.
class TMapper {
public:
    explicit TMapper(const std::vector<TAwbmColor>& palette)
        : nearest_(Widened(palette)), quiet_(palette.size() > 16 ? QuietNear : 0) {
        for (std::size_t i = 0; i < nearest_.Size(); ++i) {
            const double gap = nearest_.Gap(i);
            reach_.push_back(gap > 0 ? gap / 2 : std::numeric_limits<double>::max());
        }
    }

    std::vector<std::uint8_t> Map(const TRgbRows& picture, bool dither) {
        const int width = picture.width;
        std::vector<std::uint8_t> indices(std::size_t(width) * picture.height);
        // Errors of this row and the next, one pixel of margin either side.
        std::vector<TColour> here(std::size_t(width) + 2), next(here.size());
        for (int y = 0; y < picture.height; ++y) {
            const std::uint32_t* row = picture.Row(y);
            const std::uint32_t* above = picture.Row(std::max(y - 1, 0));
            for (int x = 0; x < width; ++x) {
                const TColour own = Channels(row[x]);
                const std::uint8_t nearest = NearestOwn(row[x], own);
                std::uint8_t& index = indices[std::size_t(y) * width + x];
                index = nearest;
                if (!dither || SquaredDistance(own, nearest_.Entry(nearest)) < quiet_ * quiet_)
                    continue;
                const TColour wanted = Wanted(own, nearest, here[std::size_t(x) + 1]);
                const bool busy = Busy(row[x], row[std::max(x - 1, 0)], above[x]);
                index = busy ? Within(own, nearest, Lookup(wanted)) : Lookup(wanted);
                Spread(here, next, std::size_t(x) + 1, wanted, nearest_.Entry(index),
                       busy ? BusyShare : SmoothShare);
            }
            std::swap(here, next);
            std::fill(next.begin(), next.end(), TColour{});
        }
        return indices;
    }

private:
    static TColour Channels(std::uint32_t rgb) {
        return {double(TRgbRows::Red(rgb)), double(TRgbRows::Green(rgb)),
                double(TRgbRows::Blue(rgb))};
    }
    static std::vector<TColour> Widened(const std::vector<TAwbmColor>& palette) {
        std::vector<TColour> widened;
        for (const TAwbmColor entry : palette) {
            widened.push_back(Channels(TAwbmLogo::ToRgb(entry)));
        }
        return widened;
    }

    // The pixel's own colour with the error carried to it, kept within half the gap between
    // the pixel's nearest entry and the entry nearest that: error from across an edge or built
    // up over a flat area then cannot make a far-off entry win.
    TColour Wanted(const TColour& own, std::uint8_t nearest, const TColour& carried) const {
        const double reach = reach_[nearest];
        const double drift = std::sqrt(SquaredDistance(carried, TColour{}));
        const double scale = drift > reach ? reach / drift : 1.0;
        TColour wanted;
        for (int c = 0; c < 3; ++c)
            wanted[c] = std::clamp(own[c] + carried[c] * scale, 0.0, 255.0);
        return wanted;
    }

    // The entry chosen for the wanted colour, unless it lies further from the pixel's own colour
    // than twice the pixel's nearest entry and a DAC step: at an edge that is no shade between
    // the entries around the colour but the other side's error, which the first rows of a flat
    // area would otherwise show now and then. Smooth shading is left its whole range.
    std::uint8_t Within(const TColour& own, std::uint8_t nearest, std::uint8_t chosen) const {
        const double limit = 2 * std::sqrt(SquaredDistance(own, nearest_.Entry(nearest))) + DacStep;
        return SquaredDistance(own, nearest_.Entry(chosen)) > limit * limit ? nearest : chosen;
    }

    // The entry nearest the wanted colour rounded to eight bits a channel, found once for each
    // such colour, starting from the last one found: neighbouring pixels mostly share entries.
    // The channels lie within 0 to 255, where adding a half and cutting rounds as lround does,
    // without a library call for each channel of each pixel.
    std::uint8_t Lookup(const TColour& wanted) {
        const int red = int(wanted[0] + 0.5);
        const int green = int(wanted[1] + 0.5);
        const int blue = int(wanted[2] + 0.5);
        std::uint16_t& cached = cache_.At(unsigned(red), unsigned(green), unsigned(blue));
        if (cached == 0) {
            last_ = nearest_.Find({double(red), double(green), double(blue)}, last_);
            cached = std::uint16_t(last_ + 1);
        }
        return std::uint8_t(cached - 1);
    }

    // The entry nearest a pixel's own colour, which a run of one colour asks for again and again.
    std::uint8_t NearestOwn(std::uint32_t rgb, const TColour& own) {
        if (rgb != lastOwn_) {
            lastOwn_ = rgb;
            lastOwnEntry_ = Lookup(own);
        }
        return lastOwnEntry_;
    }

    static void Spread(std::vector<TColour>& here, std::vector<TColour>& next, std::size_t at,
                       const TColour& wanted, const TColour& shown, double share) {
        for (int c = 0; c < 3; ++c) {
            const double error = Carried(wanted[c], shown[c]) * share;
            here[at + 1][c] += error * 7 / 16;
            next[at - 1][c] += error * 3 / 16;
            next[at][c] += error * 5 / 16;
            next[at + 1][c] += error * 1 / 16;
        }
    }

    // What of the miss is carried on. A wanted value between two of the DAC's levels shown as
    // one of them is as near as it gets: carrying that rest would build up, pixel after pixel,
    // over a flat area until a far-off entry wins. The wanted value is never negative: cutting it
    // gives its floor, and one more its ceiling unless it is whole, without a library call.
    static double Carried(double wanted, double shown) {
        const TDacLevels& levels = TDacLevels::Get();
        const int floor = int(wanted);
        const int ceiling = floor + (double(floor) < wanted);
        if (shown == levels.Above(ceiling) || shown == levels.Below(floor))
            return 0;
        return wanted - shown;
    }
    static bool Busy(std::uint32_t own, std::uint32_t left, std::uint32_t up) {
        const auto apart = [](std::uint32_t a, std::uint32_t b) {
            return std::abs(TRgbRows::Red(a) - TRgbRows::Red(b)) +
                   std::abs(TRgbRows::Green(a) - TRgbRows::Green(b)) +
                   std::abs(TRgbRows::Blue(a) - TRgbRows::Blue(b));
        };
        return apart(own, left) + apart(own, up) > BusyAt;
    }

    TNearestEntry nearest_;
    // How far the error carried may move a pixel whose nearest entry this is.
    std::vector<double> reach_;
    // How near its nearest entry a pixel is shown by it alone, carrying nothing on.
    double quiet_;
    // One more than the nearest entry to each 24-bit colour, 0 until asked.
    TColourBlocks<std::uint16_t, 8, 3> cache_;
    std::size_t last_ = 0;
    // The last pixel's colour and its nearest entry; no RGB32 pixel is transparent black.
    std::uint32_t lastOwn_ = 0;
    std::uint8_t lastOwnEntry_ = 0;
};

} // namespace

TAwbmLogo Quantize(const TRgbRows& picture, int colors, bool dither) {
    TAwbmLogo::CheckSize(picture.width, picture.height);
    std::vector<TAwbmColor> palette = ChoosePalette(picture, colors);
    std::vector<std::uint8_t> indices = TMapper(palette).Map(picture, dither);
    return TAwbmLogo(picture.width, picture.height, colors, std::move(palette), std::move(indices));
}
