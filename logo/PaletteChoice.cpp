#include "logo/PaletteChoice.h"

#include "logo/ColourBlocks.h"
#include "logo/DacLevels.h"
#include "logo/NearestEntry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

// A run of bins, the same run in each channel's order.
struct TBox {
    std::size_t begin = 0;
    std::size_t end = 0;
    double error = 0; // what splitting it at its best place would remove
    std::size_t at = 0;
    int channel = 0;
};

std::vector<TBin> Histogram(const TRgbRows& picture) {
    struct TSum {
        std::array<std::uint32_t, 3> sum{};
        std::uint32_t count = 0;
    };
    TColourBlocks<TSum, 6, 2> sums;
    // Counted a run of one colour at a time: a logo's flat areas are long runs.
    const int width = picture.width;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.Row(y);
        for (int x = 0; x < width;) {
            const std::uint32_t rgb = row[x];
            int run = 1;
            while (x + run < width && row[x + run] == rgb)
                ++run;
            const std::array<std::uint32_t, 3> channel = {std::uint32_t(TRgbRows::Red(rgb)),
                                                          std::uint32_t(TRgbRows::Green(rgb)),
                                                          std::uint32_t(TRgbRows::Blue(rgb))};
            TSum& s = sums.At(channel[0] >> 2, channel[1] >> 2, channel[2] >> 2);
            for (int c = 0; c < 3; ++c)
                s.sum[c] += channel[c] * std::uint32_t(run);
            s.count += std::uint32_t(run);
            x += run;
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

// Running sums along sorted bins. The squared error of a run is its sum of squares less
// |sum|² / count; splitting a run in two keeps the sum of squares, so what a split removes is
// told by the two parts' |sum|² / count alone.
struct TRunningSums {
    double count = 0;
    TColour sum{};

    void Add(const TBin& bin) {
        count += bin.count;
        for (int c = 0; c < 3; ++c)
            sum[c] += bin.mean[c] * bin.count;
    }
    double Weight() const { return (sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]) / count; }
    TRunningSums Less(const TRunningSums& part) const {
        TRunningSums rest = *this;
        rest.count -= part.count;
        for (int c = 0; c < 3; ++c)
            rest.sum[c] -= part.sum[c];
        return rest;
    }
};

// The bins in order of their mean along each channel. A box holds the same run of places in all
// three orders; a split divides that run in each order, keeping the order within both halves, so
// no box is sorted again.
class TChannelOrders {
public:
    explicit TChannelOrders(const std::vector<TBin>& bins) : bins_(bins), low_(bins.size()) {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed(bins.size());
        for (int channel = 0; channel < 3; ++channel) {
            for (std::uint32_t b = 0; b < bins.size(); ++b)
                keyed[b] = {Key(bins[b].mean, channel), b};
            std::sort(keyed.begin(), keyed.end());
            std::vector<std::uint32_t>& order = orders_[std::size_t(channel)];
            order.resize(bins.size());
            std::transform(keyed.begin(), keyed.end(), order.begin(),
                           [](const auto& k) { return k.second; });
        }
    }

    // Finds, along each channel, the split of the box that removes the most squared error.
    void PlanSplit(TBox& box) const {
        box.error = 0;
        if (box.end - box.begin < 2)
            return;
        TRunningSums all;
        for (std::size_t i = box.begin; i < box.end; ++i)
            all.Add(bins_[orders_[0][i]]);
        const double whole = all.Weight();
        for (int channel = 0; channel < 3; ++channel) {
            const std::vector<std::uint32_t>& order = orders_[std::size_t(channel)];
            TRunningSums low;
            for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
                low.Add(bins_[order[i]]);
                const double removed = low.Weight() + all.Less(low).Weight() - whole;
                if (removed > box.error) {
                    box.error = removed;
                    box.at = i + 1;
                    box.channel = channel;
                }
            }
        }
    }

    // Splits the box where it was planned: it keeps the lower part, the upper part is returned.
    TBox Split(TBox& box) {
        const std::vector<std::uint32_t>& along = orders_[std::size_t(box.channel)];
        for (std::size_t i = box.begin; i < box.end; ++i)
            low_[along[i]] = i < box.at;
        for (int channel = 0; channel < 3; ++channel)
            if (channel != box.channel) {
                std::vector<std::uint32_t>& order = orders_[std::size_t(channel)];
                std::stable_partition(order.begin() + std::ptrdiff_t(box.begin),
                                      order.begin() + std::ptrdiff_t(box.end),
                                      [this](std::uint32_t b) { return low_[b]; });
            }
        TBox high{box.at, box.end};
        box.end = box.at;
        return high;
    }

    // The mean of the box's bins, each of which is marked as held by entry `entry`.
    TColour Gather(const TBox& box, std::size_t entry, std::vector<std::size_t>& owner) const {
        TColour sum{};
        double count = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            owner[orders_[0][i]] = entry;
            const TBin& bin = bins_[orders_[0][i]];
            for (int c = 0; c < 3; ++c)
                sum[c] += bin.mean[c] * bin.count;
            count += bin.count;
        }
        for (double& s : sum)
            s /= count;
        return sum;
    }

private:
    // A mean ordered by the channel, then by the two after it, each to 1/8192 of a level: one
    // number to sort by, which orders bins alike in the channel by where they lie in the others.
    static std::uint64_t Key(const TColour& mean, int channel) {
        const auto fixed = [&](int c) { return std::uint64_t(std::lround(mean[c % 3] * 8192)); };
        return fixed(channel) << 42 | fixed(channel + 1) << 21 | fixed(channel + 2);
    }

    const std::vector<TBin>& bins_;
    std::array<std::vector<std::uint32_t>, 3> orders_;
    std::vector<bool> low_;
};

// An entry for each box, and in `owner` the box that holds each bin: k-means starts from both.
std::vector<TColour> SplitBoxes(const std::vector<TBin>& bins, int colors,
                                std::vector<std::size_t>& owner) {
    TChannelOrders orders(bins);
    std::vector<TBox> boxes{{0, bins.size()}};
    orders.PlanSplit(boxes[0]);
    while (int(boxes.size()) < colors) {
        const auto best =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const TBox& a, const TBox& b) { return a.error < b.error; });
        if (best->error <= 0)
            break;
        TBox high = orders.Split(*best);
        orders.PlanSplit(*best);
        orders.PlanSplit(high);
        boxes.push_back(high);
    }
    std::vector<TColour> centres;
    owner.resize(bins.size());
    for (const TBox& box : boxes)
        centres.push_back(orders.Gather(box, centres.size(), owner));
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
    if (empty.empty())
        return false;
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
    const TNearestEntry nearest(std::move(shown), bins.size());
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

void Refine(const std::vector<TBin>& bins, std::vector<TColour>& centres,
            std::vector<std::size_t> owner) {
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

std::vector<TAwbmColor> ChoosePalette(const TRgbRows& picture, int colors) {
    const std::vector<TBin> bins = Histogram(picture);
    std::vector<std::size_t> owner;
    std::vector<TColour> centres = SplitBoxes(bins, colors, owner);
    Refine(bins, centres, std::move(owner));
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
