#include "logo/PaletteChoice.h"

#include "logo/DacLevels.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>

namespace {

constexpr int Keys = 64 * 64 * 64;
// Rounds of k-means at most; they stop early once no colour changes its entry.
constexpr int RefineRounds = 16;
// An entry holding less than this share of the pixels is moved to where the error is largest.
constexpr double NearlyEmpty = 1.0 / 4096;

using TColour = std::array<double, 3>;

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

double SquaredDistance(const TColour& a, const TColour& b) {
    double sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += (a[c] - b[c]) * (a[c] - b[c]);
    return sum;
}

std::vector<TBin> Histogram(const QImage& picture) {
    struct TSum {
        std::array<quint32, 3> sum{};
        quint32 count = 0;
    };
    std::vector<TSum> sums(Keys);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb rgb = row[x];
            TSum& s = sums[std::size_t((qRed(rgb) >> 2) << 12 | (qGreen(rgb) >> 2) << 6 |
                                       qBlue(rgb) >> 2)];
            s.sum[0] += quint32(qRed(rgb));
            s.sum[1] += quint32(qGreen(rgb));
            s.sum[2] += quint32(qBlue(rgb));
            ++s.count;
        }
    }
    std::vector<TBin> bins;
    for (const TSum& s : sums)
        if (s.count)
            bins.push_back({{double(s.sum[0]) / s.count, double(s.sum[1]) / s.count,
                             double(s.sum[2]) / s.count},
                            double(s.count)});
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

// The nearest centre to `colour`, starting from `guess`: a centre twice as far from the guess
// as the colour is cannot be nearer, which spares most distances.
std::size_t Nearest(const std::vector<TColour>& centres, const std::vector<double>& apart,
                    const TColour& colour, std::size_t guess) {
    std::size_t best = guess;
    double bestDistance = SquaredDistance(colour, centres[guess]);
    const std::size_t n = centres.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i == guess || apart[guess * n + i] >= 4 * bestDistance)
            continue;
        const double distance = SquaredDistance(colour, centres[i]);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

std::vector<double> SquaredDistancesApart(const std::vector<TColour>& centres) {
    const std::size_t n = centres.size();
    std::vector<double> apart(n * n);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            apart[i * n + j] = SquaredDistance(centres[i], centres[j]);
    return apart;
}

// Gives each entry that holds almost nothing one of the colours shown worst, weighed by their
// pixels; returns whether any moved.
bool MoveNearlyEmpty(const std::vector<TBin>& bins, const std::vector<std::size_t>& owner,
                     const std::vector<double>& held, double pixels,
                     std::vector<TColour>& centres) {
    std::vector<std::size_t> empty;
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (held[i] < NearlyEmpty * pixels)
            empty.push_back(i);
    std::vector<std::pair<double, std::size_t>> worst;
    for (std::size_t b = 0; b < bins.size(); ++b)
        if (const double error = bins[b].count * SquaredDistance(bins[b].mean, centres[owner[b]]);
            error > 0)
            worst.emplace_back(error, b);
    const std::size_t moving = std::min(empty.size(), worst.size());
    std::partial_sort(worst.begin(), worst.begin() + std::ptrdiff_t(moving), worst.end(),
                      std::greater<>());
    for (std::size_t k = 0; k < moving; ++k)
        centres[empty[k]] = bins[worst[k].second].mean;
    return moving > 0;
}

void Refine(const std::vector<TBin>& bins, std::vector<TColour>& centres) {
    std::vector<std::size_t> owner(bins.size());
    double pixels = 0;
    for (const TBin& bin : bins)
        pixels += bin.count;
    for (int round = 0; round < RefineRounds; ++round) {
        const std::vector<double> apart = SquaredDistancesApart(centres);
        std::vector<TColour> sums(centres.size());
        std::vector<double> held(centres.size());
        bool changed = round == 0;
        for (std::size_t b = 0; b < bins.size(); ++b) {
            const std::size_t i = Nearest(centres, apart, bins[b].mean, owner[b]);
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
        const bool moved =
            round + 2 < RefineRounds && MoveNearlyEmpty(bins, owner, held, pixels, centres);
        if (!changed && !moved)
            break;
    }
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
