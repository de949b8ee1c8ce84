#ifndef VARNEL_LOGO_COLOURBLOCKS_H
#define VARNEL_LOGO_COLOURBLOCKS_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A value for every colour of `ChannelBits` bits a channel, kept in blocks of the colours that
// share their top bits, each block made (its values default) when one of its colours is first
// asked for: a picture pays in memory and in time only for the colours near its own, where a
// whole table of them all would cost megabytes to clear.
template <typename T, int ChannelBits, int BlockBits> class TColourBlocks {
    static constexpr int Top = ChannelBits - BlockBits;
    static constexpr std::size_t BlockSize = std::size_t(1) << 3 * BlockBits;

public:
    T& At(unsigned red, unsigned green, unsigned blue) {
        constexpr unsigned low = (1u << BlockBits) - 1;
        std::int32_t& block = blocks_[(red >> BlockBits) << 2 * Top | (green >> BlockBits) << Top |
                                      blue >> BlockBits];
        if (block < 0) {
            block = std::int32_t(made_.size());
            made_.push_back(std::make_unique<T[]>(BlockSize));
        }
        return made_[std::size_t(block)]
                    [(red & low) << 2 * BlockBits | (green & low) << BlockBits | (blue & low)];
    }

    // Calls `visit` with every value of the blocks made, in the order they were made.
    template <typename F> void ForEach(F visit) const {
        for (const std::unique_ptr<T[]>& block : made_)
            std::for_each(block.get(), block.get() + BlockSize, visit);
    }

private:
    std::vector<std::int32_t> blocks_ = std::vector<std::int32_t>(std::size_t(1) << 3 * Top, -1);
    // Each block on its own: one made later moves none made before.
    std::vector<std::unique_ptr<T[]>> made_;
};

#endif
