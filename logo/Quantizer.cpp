#include "logo/Quantizer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Colours are counted at the DAC's precision: finer differences cannot reach the screen.
constexpr int Levels = 64;
constexpr int Keys = Levels * Levels * Levels;
// Few rounds suffice: median cut leaves the centres close, and each round costs a pass over
// every distinct colour for every entry.
constexpr int RefineRounds = 3;

struct Bin {
    std::array<int, 3> color{}; // six bits a channel
    std::uint32_t count = 0;
};

struct Box {
    std::size_t begin = 0;
    std::size_t end = 0;
    double error = 0; // squared distance of its colours from their mean, summed
};

using Centre = std::array<double, 3>;

int Key(QRgb rgb) {
    return (qRed(rgb) >> 2) << 12 | (qGreen(rgb) >> 2) << 6 | qBlue(rgb) >> 2;
}

std::vector<Bin> Histogram(const QImage& picture) {
    std::vector<std::uint32_t> counts(Keys);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            ++counts[std::size_t(Key(row[x]))];
    }
    std::vector<Bin> bins;
    for (int key = 0; key < Keys; ++key)
        if (counts[std::size_t(key)])
            bins.push_back({{key >> 12, key >> 6 & 63, key & 63}, counts[std::size_t(key)]});
    return bins;
}

Centre Mean(const std::vector<Bin>& bins, std::size_t begin, std::size_t end) {
    Centre sum{};
    double count = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c)
            sum[c] += double(bins[i].color[c]) * bins[i].count;
        count += bins[i].count;
    }
    for (double& s : sum)
        s /= count;
    return sum;
}

// The error of a box, and the channel along which its colours spread most.
std::pair<double, int> Spread(const std::vector<Bin>& bins, const Box& box) {
    const Centre mean = Mean(bins, box.begin, box.end);
    Centre error{};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (int c = 0; c < 3; ++c) {
            const double d = bins[i].color[c] - mean[c];
            error[c] += d * d * bins[i].count;
        }
    const int channel = int(std::max_element(error.begin(), error.end()) - error.begin());
    return {error[0] + error[1] + error[2], channel};
}

// Splits the box at the median pixel along its widest channel; the halves are never empty.
std::pair<Box, Box> Split(std::vector<Bin>& bins, const Box& box) {
    const int channel = Spread(bins, box).second;
    std::sort(
        bins.begin() + std::ptrdiff_t(box.begin), bins.begin() + std::ptrdiff_t(box.end),
        [channel](const Bin& a, const Bin& b) { return a.color[channel] < b.color[channel]; });
    double total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i)
        total += bins[i].count;
    double below = 0;
    std::size_t middle = box.begin;
    while (middle < box.end - 1 && below + bins[middle].count <= total / 2)
        below += bins[middle++].count;
    middle = std::clamp(middle, box.begin + 1, box.end - 1);
    Box low{box.begin, middle};
    Box high{middle, box.end};
    low.error = Spread(bins, low).first;
    high.error = Spread(bins, high).first;
    return {low, high};
}

// Median cut: the box whose colours lie furthest from their mean is split next.
std::vector<Centre> MedianCut(std::vector<Bin>& bins, int colors) {
    std::vector<Box> boxes{{0, bins.size()}};
    boxes[0].error = Spread(bins, boxes[0]).first;
    while (int(boxes.size()) < colors) {
        const auto worst =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0)
            break;
        const auto [low, high] = Split(bins, *worst);
        *worst = low;
        boxes.push_back(high);
    }
    std::vector<Centre> centres;
    for (const Box& box : boxes)
        centres.push_back(Mean(bins, box.begin, box.end));
    return centres;
}

double SquaredDistance(const Centre& a, const Centre& b) {
    double sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += (a[c] - b[c]) * (a[c] - b[c]);
    return sum;
}

template <typename Color>
std::size_t Nearest(const std::vector<Centre>& centres, const Color& color) {
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < centres.size(); ++i) {
        double distance = 0;
        for (int c = 0; c < 3; ++c) {
            const double d = color[c] - centres[i][c];
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void Refine(const std::vector<Bin>& bins, std::vector<Centre>& centres) {
    for (int round = 0; round < RefineRounds; ++round) {
        std::vector<Centre> sums(centres.size());
        std::vector<double> counts(centres.size());
        for (const Bin& bin : bins) {
            const std::size_t i = Nearest(centres, bin.color);
            for (int c = 0; c < 3; ++c)
                sums[i][c] += double(bin.color[c]) * bin.count;
            counts[i] += bin.count;
        }
        for (std::size_t i = 0; i < centres.size(); ++i)
            if (counts[i] > 0)
                for (int c = 0; c < 3; ++c)
                    centres[i][c] = sums[i][c] / counts[i];
    }
}

std::vector<TAwbmColor> ChoosePalette(const QImage& picture, int colors) {
    std::vector<Bin> bins = Histogram(picture);
    std::vector<Centre> centres = MedianCut(bins, colors);
    Refine(bins, centres);
    std::vector<TAwbmColor> palette(static_cast<std::size_t>(colors));
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const auto level = [&](int c) { return std::uint8_t(std::lround(centres[i][c])); };
        palette[i] = {level(0), level(1), level(2)};
    }
    return palette;
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

    // What of the miss is carried on: only the part the DAC can show. A wanted value between two
    // of its levels is as near as it gets once the level on the shown side is reached; carrying
    // the rest would build up, pixel after pixel, over a flat area until a far-off entry wins.
    static double Carried(double wanted, double shown) {
        const auto& levels = DacLevels();
        if (shown > wanted)
            return std::min(levels.above[std::size_t(std::ceil(wanted))] - shown, 0.0);
        return std::max(levels.below[std::size_t(wanted)] - shown, 0.0);
    }

    // For each 8-bit value the nearest widened DAC level at or below it, and at or above it.
    struct TDacLevels {
        std::array<double, 256> below{};
        std::array<double, 256> above{};
    };
    static const TDacLevels& DacLevels() {
        static const TDacLevels levels = [] {
            TDacLevels made;
            for (int value = 0, level = 0; value < 256; ++value) {
                while (level < 63 && Widen(level + 1) <= value)
                    ++level;
                made.below[std::size_t(value)] = Widen(level);
                made.above[std::size_t(value)] = Widen(Widen(level) < value ? level + 1 : level);
            }
            return made;
        }();
        return levels;
    }
    static int Widen(int level) { return level << 2 | level >> 4; }

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
