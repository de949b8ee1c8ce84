#include "logo/PaletteChoice.h"

#include "logo/ColourBlocks.h"
#include "logo/DacLevels.h"
#include "logo/NearestEntry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>

namespace {

// Rounds of k-means at most, for 16 entries and for 256; they stop early once no colour changes
// its entry. A round over few entries costs little, and few entries go on moving further.
constexpr int SmallPaletteRounds = 40;
constexpr int LargePaletteRounds = 8;
// Rounds after those against the colours the entries will show, at the DAC's levels.
constexpr int LevelRounds = 4;
// An entry holding less than this share of an even split of the pixels is moved to where the
// error is largest: the few pixels it held are shown almost as well by their next entry.
constexpr double NearlyEmptyShare = 1.0 / 16;
// What an entry moved to the colour shown worst removes, as a multiple of that colour's own
// error: the next rounds give it the colours around it too, along a gradient or an edge.
constexpr double Gathered = 8;

// The pixels of one six-bit colour: how many, and their exact mean.
struct TBin {
    TColour mean{};
    double count = 0;
};

struct TBox {
    std::size_t begin = 0;
    std::size_t end = 0;
    double error = 0; // what splitting it at its best place would remove
    std::size_t at = 0;
    int channel = 0;
};

std::vector<TBin> Histogram(const QImage& picture) {
    struct TSum {
        std::array<quint32, 3> sum{};
        quint32 count = 0;
    };
    TColourBlocks<TSum, 6, 2> sums;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb rgb = row[x];
            TSum& s = sums.At(unsigned(qRed(rgb)) >> 2, unsigned(qGreen(rgb)) >> 2,
                              unsigned(qBlue(rgb)) >> 2);
            s.sum[0] += quint32(qRed(rgb));
            s.sum[1] += quint32(qGreen(rgb));
            s.sum[2] += quint32(qBlue(rgb));
            ++s.count;
        }
    }
    std::vector<TBin> bins;
    sums.ForEach([&bins](const TSum& s) {
        if (s.count)
            bins.push_back({{double(s.sum[0]) / s.count, double(s.sum[1]) / s.count,
                             double(s.sum[2]) / s.count},
                            double(s.count)});
    });
    return bins;
}

TColour Mean(const std::vector<TBin>& bins, std::size_t begin, std::size_t end) {
    TColour sum{};
    double count = 0;
    for (std::size_t i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c)
            sum[c] += bins[i].mean[c] * bins[i].count;
        count += bins[i].count;
    }
    for (double& s : sum)
        s /= count;
    return sum;
}

// Running sums along sorted bins, from which the squared error of any run follows at once.
struct TRunningSums {
    double count = 0;
    TColour sum{};
    double squares = 0;

    void Add(const TBin& bin) {
        count += bin.count;
        for (int c = 0; c < 3; ++c) {
            sum[c] += bin.mean[c] * bin.count;
            squares += bin.mean[c] * bin.mean[c] * bin.count;
        }
    }
    double Error() const {
        double error = squares;
        for (int c = 0; c < 3; ++c)
            error -= sum[c] * sum[c] / count;
        return error;
    }
    TRunningSums Less(const TRunningSums& part) const {
        TRunningSums rest = *this;
        rest.count -= part.count;
        rest.squares -= part.squares;
        for (int c = 0; c < 3; ++c)
            rest.sum[c] -= part.sum[c];
        return rest;
    }
};

// Finds, along each channel, the split of the box that removes the most squared error.
void PlanSplit(std::vector<TBin>& bins, TBox& box) {
    box.error = 0;
    if (box.end - box.begin < 2)
        return;
    const auto first = bins.begin() + std::ptrdiff_t(box.begin);
    const auto last = bins.begin() + std::ptrdiff_t(box.end);
    TRunningSums all;
    std::for_each(first, last, [&](const TBin& bin) { all.Add(bin); });
    for (int channel = 0; channel < 3; ++channel) {
        std::sort(first, last, [channel](const TBin& a, const TBin& b) {
            return a.mean[channel] < b.mean[channel];
        });
        TRunningSums low;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            low.Add(bins[i]);
            const double removed = all.Error() - low.Error() - all.Less(low).Error();
            if (removed > box.error) {
                box.error = removed;
                box.at = i + 1;
                box.channel = channel;
            }
        }
    }
}

std::vector<TColour> SplitBoxes(std::vector<TBin>& bins, int colors) {
    std::vector<TBox> boxes{{0, bins.size()}};
    PlanSplit(bins, boxes[0]);
    while (int(boxes.size()) < colors) {
        const auto best =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const TBox& a, const TBox& b) { return a.error < b.error; });
        if (best->error <= 0)
            break;
        const int channel = best->channel;
        std::sort(
            bins.begin() + std::ptrdiff_t(best->begin), bins.begin() + std::ptrdiff_t(best->end),
            [channel](const TBin& a, const TBin& b) { return a.mean[channel] < b.mean[channel]; });
        TBox high{best->at, best->end};
        best->end = best->at;
        PlanSplit(bins, *best);
        PlanSplit(bins, high);
        boxes.push_back(high);
    }
    std::vector<TColour> centres;
    for (const TBox& box : boxes)
        centres.push_back(Mean(bins, box.begin, box.end));
    return centres;
}

// What the picture's squared error grows by, for each entry that holds almost nothing, were it
// gone and its pixels shown by their next nearest entry; cheapest first.
std::vector<std::pair<double, std::size_t>>
NearlyEmpty(const std::vector<TBin>& bins, const std::vector<std::size_t>& owner,
            const std::vector<double>& held, double pixels, const std::vector<TColour>& centres) {
    const double least = NearlyEmptyShare * pixels / double(centres.size());
    std::vector<double> cost(centres.size());
    for (std::size_t b = 0; b < bins.size(); ++b) {
        const std::size_t own = owner[b];
        if (held[own] >= least)
            continue;
        double next = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < centres.size(); ++i)
            if (i != own)
                next = std::min(next, SquaredDistance(bins[b].mean, centres[i]));
        cost[own] += bins[b].count * (next - SquaredDistance(bins[b].mean, centres[own]));
    }
    std::vector<std::pair<double, std::size_t>> empty;
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (held[i] < least)
            empty.emplace_back(cost[i], i);
    std::sort(empty.begin(), empty.end());
    return empty;
}

// Gives each entry that holds almost nothing one of the colours shown worst, weighed by their
// pixels, where that removes more error than losing the entry adds: a few pixels of a strong
// colour far from every other keep theirs. Returns whether any moved.
bool MoveNearlyEmpty(const std::vector<TBin>& bins, const std::vector<std::size_t>& owner,
                     const std::vector<double>& held, double pixels,
                     std::vector<TColour>& centres) {
    const auto empty = NearlyEmpty(bins, owner, held, pixels, centres);
    std::vector<std::pair<double, std::size_t>> worst;
    for (std::size_t b = 0; b < bins.size(); ++b)
        if (const double error = bins[b].count * SquaredDistance(bins[b].mean, centres[owner[b]]);
            error > 0)
            worst.emplace_back(error, b);
    const std::size_t moving = std::min(empty.size(), worst.size());
    std::partial_sort(worst.begin(), worst.begin() + std::ptrdiff_t(moving), worst.end(),
                      std::greater<>());
    std::size_t moved = 0;
    for (; moved < moving && empty[moved].first < Gathered * worst[moved].first; ++moved)
        centres[empty[moved].second] = bins[worst[moved].second].mean;
    return moved > 0;
}

TColour AtLevels(const TColour& colour) {
    const TDacLevels& levels = TDacLevels::Get();
    TColour shown;
    for (int c = 0; c < 3; ++c)
        shown[c] = TDacLevels::Widen(levels.Nearest(int(std::lround(colour[c]))));
    return shown;
}

// One round of k-means: each colour to the entry nearest it (`owner`, which holds last round's
// guesses), each entry to the mean of what it holds. With `atLevels` the colours are given to
// the entries as the DAC will show them. Gives whether any colour changed its entry, and what
// each entry holds in `held`.
bool KMeansRound(const std::vector<TBin>& bins, std::vector<TColour>& centres,
                 std::vector<std::size_t>& owner, std::vector<double>& held, bool atLevels) {
    std::vector<TColour> shown = centres;
    if (atLevels)
        std::transform(shown.begin(), shown.end(), shown.begin(), AtLevels);
    const TNearestEntry nearest(std::move(shown));
    std::vector<TColour> sums(centres.size());
    held.assign(centres.size(), 0);
    bool changed = false;
    for (std::size_t b = 0; b < bins.size(); ++b) {
        const std::size_t i = nearest.Find(bins[b].mean, owner[b]);
        changed = changed || i != owner[b];
        owner[b] = i;
        for (int c = 0; c < 3; ++c)
            sums[i][c] += bins[b].mean[c] * bins[b].count;
        held[i] += bins[b].count;
    }
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (held[i] > 0)
            for (int c = 0; c < 3; ++c)
                centres[i][c] = sums[i][c] / held[i];
    return changed;
}

void Refine(const std::vector<TBin>& bins, std::vector<TColour>& centres) {
    std::vector<std::size_t> owner(bins.size());
    std::vector<double> held;
    double pixels = 0;
    for (const TBin& bin : bins)
        pixels += bin.count;
    const int rounds = centres.size() <= 16 ? SmallPaletteRounds : LargePaletteRounds;
    for (int round = 0; round < rounds; ++round) {
        const bool changed = KMeansRound(bins, centres, owner, held, false) || round == 0;
        const bool moved =
            round + 2 < rounds && MoveNearlyEmpty(bins, owner, held, pixels, centres);
        if (!changed && !moved)
            break;
    }
    for (int round = 0; round < LevelRounds; ++round)
        if (!KMeansRound(bins, centres, owner, held, true) && round > 0)
            break;
}

} // namespace

std::vector<TAwbmColor> ChoosePalette(const QImage& picture, int colors) {
    std::vector<TBin> bins = Histogram(picture);
    std::vector<TColour> centres = SplitBoxes(bins, colors);
    Refine(bins, centres);
    const TDacLevels& levels = TDacLevels::Get();
    std::vector<TAwbmColor> palette(static_cast<std::size_t>(colors));
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const auto level = [&](int c) {
            return std::uint8_t(levels.Nearest(int(std::lround(centres[i][c]))));
        };
        palette[i] = {level(0), level(1), level(2)};
    }
    return palette;
}
