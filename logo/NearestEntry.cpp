#include "logo/NearestEntry.h"

#include <algorithm>
#include <bit>
#include <cmath>

TNearestEntry::TNearestEntry(std::vector<TColour> entries) : entries_(std::move(entries)) {
    const std::size_t n = entries_.size();
    if (n < 2)
        return;
    // Each row sorted as whole numbers: the distance as a float's bits (which order as the
    // floats do, none being negative) above the index.
    std::vector<std::uint64_t> keys(n - 1);
    neighbours_.reserve(n * (n - 1));
    for (std::size_t i = 0; i < n; ++i) {
        keys.clear();
        for (std::size_t j = 0; j < n; ++j)
            if (j != i)
                keys.push_back(std::uint64_t(std::bit_cast<std::uint32_t>(
                                   float(SquaredDistance(entries_[i], entries_[j]))))
                                   << 32 |
                               j);
        std::sort(keys.begin(), keys.end());
        for (const std::uint64_t key : keys) {
            const auto j = std::uint32_t(key);
            neighbours_.push_back({SquaredDistance(entries_[i], entries_[j]), j});
        }
    }
}

std::size_t TNearestEntry::Find(const TColour& colour, std::size_t guess) const {
    const double fromGuess = SquaredDistance(colour, entries_[guess]);
    std::size_t best = guess;
    double bestDistance = fromGuess;
    const std::size_t others = entries_.size() - 1;
    const TNeighbour* row = neighbours_.data() + guess * others;
    for (std::size_t k = 0; k < others && row[k].apart < 4 * fromGuess; ++k)
        if (const double d = SquaredDistance(colour, entries_[row[k].index]); d < bestDistance) {
            bestDistance = d;
            best = row[k].index;
        }
    return best;
}

double TNearestEntry::Gap(std::size_t i) const {
    const std::size_t others = entries_.size() - 1;
    const TNeighbour* row = neighbours_.data() + i * others;
    for (std::size_t k = 0; k < others; ++k)
        if (row[k].apart > 0)
            return std::sqrt(row[k].apart);
    return 0;
}
