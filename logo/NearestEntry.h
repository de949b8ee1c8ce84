#ifndef VARNEL_LOGO_NEARESTENTRY_H
#define VARNEL_LOGO_NEARESTENTRY_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

using TColour = std::array<double, 3>;

inline double SquaredDistance(const TColour& a, const TColour& b) {
    const double r = a[0] - b[0], g = a[1] - b[1], b2 = a[2] - b[2];
    return r * r + g * g + b2 * b2;
}

// The nearest of a few hundred colours to any colour, found from a guess: the others are tried
// in order of their distance from the guess, and one twice as far from the guess as the colour
// is cannot be nearer, so a good guess (a neighbouring pixel's entry, last round's owner) spares
// almost every distance.
class TNearestEntry {
public:
    // `lookups`: about how many colours will be looked up. For fewer than `ScannedBelow` an
    // entry, as in a logo of flat colours, every entry is tried for each: ordering each entry's
    // neighbours would cost more than it spares.
    explicit TNearestEntry(std::vector<TColour> entries,
                           std::size_t lookups = std::numeric_limits<std::size_t>::max());

    std::size_t Find(const TColour& colour, std::size_t guess) const;
    const TColour& Entry(std::size_t i) const { return entries_[i]; }
    // How far entry `i` lies from the nearest entry of another colour; 0 when there is none.
    double Gap(std::size_t i) const;
    std::size_t Size() const { return entries_.size(); }

private:
    struct TNeighbour {
        double apart; // squared
        std::uint32_t index;
    };

    // The neighbours kept for each entry: enough for almost every search, which stops at the
    // first twice as far as the guess; ordering all of them would cost most of a k-means round
    // over a large palette.
    static constexpr std::size_t Kept = 32;
    static constexpr std::size_t ScannedBelow = 4;

    // The nearest entry by trying them all; `guess` wins a tie.
    std::size_t Scan(const TColour& colour, std::size_t guess) const;

    std::vector<TColour> entries_;
    std::size_t kept_ = 0;
    // For each entry its `kept_` nearest others, nearest first: row i starts at i * kept_.
    std::vector<TNeighbour> neighbours_;
};

#endif
