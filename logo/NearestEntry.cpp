#include "logo/NearestEntry.h"

#include <algorithm>
#include <bit>
#include <cmath>

TNearestEntry::TNearestEntry(std::vector<TColour> entries, std::size_t lookups)
    : entries_(std::move(entries)) {
    const std::size_t n = entries_.size();
    if (n < 2 || lookups / ScannedBelow < n)
        return;
    // Each row sorted as whole numbers: the distance as a float's bits (which order as the
    // floats do, none being negative) above the index.
    kept_ = std::min(n - 1, Kept);
    std::vector<std::uint64_t> keys(n - 1);
    neighbours_.reserve(n * kept_);
    for (std::size_t i = 0; i < n; ++i) {
        keys.clear();
        for (std::size_t j = 0; j < n; ++j)
            if (j != i)
                keys.push_back(std::uint64_t(std::bit_cast<std::uint32_t>(
                                   float(SquaredDistance(entries_[i], entries_[j]))))
                                   << 32 |
                               j);
        const auto last = keys.begin() + std::ptrdiff_t(kept_);
        std::nth_element(keys.begin(), last - 1, keys.end());
        std::sort(keys.begin(), last);
        for (std::size_t k = 0; k < kept_; ++k) {
            const auto j = std::uint32_t(keys[k]);
            neighbours_.push_back({SquaredDistance(entries_[i], entries_[j]), j});
        }
    }
}

std::size_t TNearestEntry::Find(const TColour& colour, std::size_t guess) const {
    std::size_t best = guess;
    double bestDistance = SquaredDistance(colour, entries_[guess]);
    const auto tryEntry = [&](std::size_t i) {
        if (const double d = SquaredDistance(colour, entries_[i]); d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    };
    // Each walk that runs past the neighbours kept starts again from the nearest found so far,
    // whose neighbours lie closer around the colour; only when that finds nothing nearer may
    // another beyond them all still be.
    for (std::size_t from = guess;; from = best) {
        const double fromDistance = bestDistance;
        const TNeighbour* row = neighbours_.data() + from * kept_;
        std::size_t k = 0;
        for (; k < kept_ && row[k].apart < 4 * fromDistance; ++k)
            tryEntry(row[k].index);
        if (k < kept_ || kept_ + 1 >= entries_.size())
            return best;
        if (best == from)
            break;
    }
    return Scan(colour, best);
}

std::size_t TNearestEntry::Scan(const TColour& colour, std::size_t guess) const {
    std::size_t best = guess;
    double bestDistance = SquaredDistance(colour, entries_[guess]);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (const double d = SquaredDistance(colour, entries_[i]); d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    return best;
}

double TNearestEntry::Gap(std::size_t i) const {
    const TNeighbour* row = neighbours_.data() + i * kept_;
    for (std::size_t k = 0; k < kept_; ++k)
        if (row[k].apart > 0)
            return std::sqrt(row[k].apart);
    double gap = 0;
    for (const TColour& other : entries_)
        if (const double d = SquaredDistance(entries_[i], other); d > 0 && (gap == 0 || d < gap))
            gap = d;
    return std::sqrt(gap);
}
