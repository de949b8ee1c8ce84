#ifndef VARNEL_ROM_LZMATCHER_H
#define VARNEL_ROM_LZMATCHER_H

#include <QByteArray>
#include <cstdint>
#include <vector>

// One step of an LZ77 parse: a literal byte (length 0) or a match of `length` bytes starting
// `distance` bytes back.
struct TLzToken {
    std::uint16_t length = 0;
    std::uint16_t value = 0; // the literal, or the distance
};

// Finds the longest earlier copy of the bytes at each position through hash chains over the
// last `window` bytes, and parses lazily: a match is put off by one byte when the next position
// starts a longer one.
class TLzMatcher {
public:
    TLzMatcher(const QByteArray& data, int window, int minMatch, int maxMatch);

    std::vector<TLzToken> Parse();

private:
    struct Match {
        int length = 0;
        int distance = 0;
    };
    Match Longest(qint64 position) const;
    void Insert(qint64 position);
    std::uint32_t Hash(qint64 position) const;

    const QByteArray& data_;
    const int window_;
    const int minMatch_;
    const int maxMatch_;
    std::vector<std::int32_t> head_;
    std::vector<std::int32_t> previous_;
};

#endif
