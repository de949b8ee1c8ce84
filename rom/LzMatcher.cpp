#include "rom/LzMatcher.h"

#include <algorithm>

namespace {

constexpr int HashBits = 15;
// How many earlier positions a search looks at: enough for the small modules of a BIOS image to
// pack as tightly as the usual LHA packers do, few enough to stay quick on a 1 MiB module.
constexpr int ChainLimit = 2048;

} // namespace

TLzMatcher::TLzMatcher(const QByteArray& data, int window, int minMatch, int maxMatch)
    : data_(data), window_(window), minMatch_(minMatch), maxMatch_(maxMatch),
      head_(std::size_t(1) << HashBits, -1), previous_(std::size_t(data.size()), -1) {}

std::uint32_t TLzMatcher::Hash(qint64 position) const {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data_.constData()) + position;
    const std::uint32_t key = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
    return (key * 2654435761u) >> (32 - HashBits);
}

void TLzMatcher::Insert(qint64 position) {
    if (position + minMatch_ > data_.size())
        return;
    const std::uint32_t hash = Hash(position);
    previous_[std::size_t(position)] = head_[hash];
    head_[hash] = std::int32_t(position);
}

TLzMatcher::Match TLzMatcher::Longest(qint64 position) const {
    Match best;
    if (position + minMatch_ > data_.size())
        return best;
    const char* bytes = data_.constData();
    const int limit = int(std::min<qint64>(maxMatch_, data_.size() - position));
    std::int32_t candidate = head_[Hash(position)];
    for (int steps = 0; candidate >= 0 && steps < ChainLimit; ++steps) {
        const qint64 distance = position - candidate;
        if (distance > window_)
            break;
        if (bytes[candidate + best.length] == bytes[position + best.length]) {
            int length = 0;
            while (length < limit && bytes[candidate + length] == bytes[position + length])
                ++length;
            if (length > best.length) {
                best = {length, int(distance)};
                if (length == limit)
                    break;
            }
        }
        candidate = previous_[std::size_t(candidate)];
    }
    if (best.length < minMatch_)
        return {};
    return best;
}

std::vector<TLzToken> TLzMatcher::Parse() {
    std::vector<TLzToken> tokens;
    tokens.reserve(std::size_t(data_.size() / 2 + 1));
    qint64 position = 0;
    Match match = Longest(position);
    while (position < data_.size()) {
        Insert(position);
        const Match next = Longest(position + 1);
        if (match.length == 0 || next.length > match.length) {
            tokens.push_back({0, std::uint8_t(data_[position])});
            ++position;
            match = next;
            continue;
        }
        tokens.push_back({std::uint16_t(match.length), std::uint16_t(match.distance)});
        for (qint64 end = position + match.length; ++position < end;)
            Insert(position);
        match = Longest(position);
    }
    return tokens;
}
