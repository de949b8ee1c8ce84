#include "rom/HuffmanCode.h"

#include <algorithm>
#include <functional>
#include <queue>

namespace {

// Plain Huffman lengths, without a limit.
std::vector<std::uint8_t> TreeLengths(const std::vector<std::uint32_t>& counts) {
    struct Node {
        std::uint64_t weight;
        int index;
        bool operator>(const Node& other) const {
            return weight != other.weight ? weight > other.weight : index > other.index;
        }
    };
    const int symbols = int(counts.size());
    std::vector<int> parent(counts.size() * 2, -1);
    std::priority_queue<Node, std::vector<Node>, std::greater<>> queue;
    for (int s = 0; s < symbols; ++s)
        if (counts[std::size_t(s)] > 0)
            queue.push({counts[std::size_t(s)], s});
    int next = symbols;
    while (queue.size() > 1) {
        const Node a = queue.top();
        queue.pop();
        const Node b = queue.top();
        queue.pop();
        parent[std::size_t(a.index)] = parent[std::size_t(b.index)] = next;
        queue.push({a.weight + b.weight, next++});
    }
    std::vector<std::uint8_t> lengths(counts.size());
    for (int s = 0; s < symbols; ++s) {
        if (counts[std::size_t(s)] == 0)
            continue;
        int depth = 0;
        for (int n = s; parent[std::size_t(n)] >= 0; n = parent[std::size_t(n)])
            ++depth;
        lengths[std::size_t(s)] = std::uint8_t(std::clamp(depth, 1, 255));
    }
    return lengths;
}

} // namespace

std::vector<std::uint8_t> HuffmanCode::Lengths(const std::vector<std::uint32_t>& counts,
                                               int maxLength) {
    // Flattening the counts shortens the longest codes; rare symbols keep a count of one so that
    // they keep a code.
    std::vector<std::uint32_t> scaled = counts;
    for (;;) {
        std::vector<std::uint8_t> lengths = TreeLengths(scaled);
        if (*std::max_element(lengths.begin(), lengths.end()) <= maxLength)
            return lengths;
        for (std::uint32_t& count : scaled)
            if (count > 0)
                count = count / 2 + 1;
    }
}

std::vector<std::uint16_t> HuffmanCode::Codes(const std::vector<std::uint8_t>& lengths) {
    std::vector<std::uint16_t> codes(lengths.size());
    std::uint32_t next = 0;
    const int longest = lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
    for (int length = 1; length <= longest; ++length) {
        for (std::size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] == length)
                codes[s] = std::uint16_t(next++);
        next <<= 1;
    }
    return codes;
}
