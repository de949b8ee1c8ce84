#ifndef VARNEL_LOGO_DACLEVELS_H
#define VARNEL_LOGO_DACLEVELS_H

#include <array>

// The 64 levels a channel of the VGA DAC shows, widened to eight bits as the BIOS widens them
// (63 becomes 255), looked up by an 8-bit value: the nearest level, and the nearest at or below
// and at or above it.
class TDacLevels {
public:
    static const TDacLevels& Get() {
        static const TDacLevels levels;
        return levels;
    }
    static constexpr int Widen(int level) { return level << 2 | level >> 4; }

    // The six-bit level whose widened value lies nearest `value`.
    int Nearest(int value) const { return nearest_[std::size_t(value)]; }
    double Below(int value) const { return below_[std::size_t(value)]; }
    double Above(int value) const { return above_[std::size_t(value)]; }

private:
    TDacLevels() {
        for (int value = 0, level = 0; value < 256; ++value) {
            while (level < 63 && Widen(level + 1) <= value)
                ++level;
            const int up = Widen(level) < value ? level + 1 : level;
            below_[std::size_t(value)] = Widen(level);
            above_[std::size_t(value)] = Widen(up);
            nearest_[std::size_t(value)] = value - Widen(level) <= Widen(up) - value ? level : up;
        }
    }

    std::array<int, 256> nearest_{};
    std::array<double, 256> below_{};
    std::array<double, 256> above_{};
};

#endif
