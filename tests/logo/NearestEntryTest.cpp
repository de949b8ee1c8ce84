#include "logo/NearestEntry.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

TColour RandomColour(QRandomGenerator& random, int spread) {
    return {double(random.bounded(spread)), double(random.bounded(spread)),
            double(random.bounded(spread))};
}

} // namespace

// From any guess, however far off, the entry found is as near as the nearest of all: palettes
// of 16 and 256 entries, some of them alike, colours all over and close to the entries.
TEST(NearestEntry, FindsTheNearestFromAnyGuess) {
    QRandomGenerator random(5);
    for (const int size : {1, 2, 16, 256}) {
        std::vector<TColour> entries;
        for (int i = 0; i < size; ++i)
            entries.push_back(i % 7 == 3 ? entries[std::size_t(i / 2)] : RandomColour(random, 256));
        const TNearestEntry nearest(entries);
        for (int k = 0; k < 4000; ++k) {
            TColour colour = RandomColour(random, 256);
            if (k % 2)
                for (int c = 0; c < 3; ++c)
                    colour[c] =
                        entries[std::size_t(random.bounded(size))][c] + random.bounded(-3, 4);
            double best = 1e18;
            for (const TColour& entry : entries)
                best = std::min(best, SquaredDistance(colour, entry));
            const std::size_t guess = std::size_t(random.bounded(size));
            ASSERT_EQ(SquaredDistance(colour, entries[nearest.Find(colour, guess)]), best)
                << size << " entries, guess " << guess;
        }
    }
}

TEST(NearestEntry, GapIsTheDistanceToTheNearestOtherColour) {
    const TNearestEntry nearest({{0, 0, 0}, {0, 0, 0}, {3, 4, 0}, {100, 0, 0}});
    EXPECT_EQ(nearest.Gap(0), 5);
    EXPECT_EQ(nearest.Gap(1), 5);
    EXPECT_EQ(nearest.Gap(3), std::sqrt(97.0 * 97 + 16));
    EXPECT_EQ(TNearestEntry({{1, 2, 3}, {1, 2, 3}}).Gap(0), 0);
    // More copies of one colour than the neighbours an entry keeps in order.
    std::vector<TColour> copies(60, TColour{9, 9, 9});
    copies.push_back({9, 12, 13});
    const TNearestEntry many(copies);
    EXPECT_EQ(many.Gap(0), 5);
    EXPECT_EQ(many.Find({9, 12, 12}, 0), 60u);
}
