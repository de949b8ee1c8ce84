#include "rom/Lh5Encoder.h"

#include "rom/BitWriter.h"
#include "rom/HuffmanCode.h"
#include "rom/Lh5Format.h"
#include "rom/LzMatcher.h"

#include <algorithm>
#include <bit>
#include <span>

using namespace Lh5Format;

namespace {

// The largest distance a match may have. One short of the window: a match from exactly one
// window back reads the byte a ring-buffer decoder is about to overwrite.
constexpr int MaxDistance = WindowSize - 1;

int DistanceClass(unsigned distance) {
    return std::bit_width(distance - 1);
}

struct TCode {
    std::vector<std::uint8_t> lengths;
    std::vector<std::uint16_t> codes;
    int used = 0;   // symbols with a code
    int single = 0; // the one used symbol, when used <= 1
};

TCode MakeCode(const std::vector<std::uint32_t>& counts) {
    TCode code;
    for (std::size_t s = 0; s < counts.size(); ++s)
        if (counts[s] > 0) {
            ++code.used;
            code.single = int(s);
        }
    code.lengths = HuffmanCode::Lengths(counts, 16);
    code.codes = HuffmanCode::Codes(code.lengths);
    return code;
}

void PutSymbol(TBitWriter& bits, const TCode& code, unsigned symbol) {
    if (code.used > 1)
        bits.Put(code.codes[symbol], code.lengths[symbol]);
}

int UsedLength(const std::vector<std::uint8_t>& lengths) {
    int n = int(lengths.size());
    while (n > 0 && lengths[std::size_t(n) - 1] == 0)
        --n;
    return n;
}

// A code of the code lengths or of the distances, as ReadShortCode in the decoder reads it.
void PutShortCode(TBitWriter& bits, const TCode& code, int countBits, int skipAfter) {
    if (code.used <= 1) {
        bits.Put(0, countBits);
        bits.Put(unsigned(code.single), countBits);
        return;
    }
    const int n = UsedLength(code.lengths);
    bits.Put(unsigned(n), countBits);
    int i = 0;
    while (i < n) {
        const int length = code.lengths[std::size_t(i++)];
        if (length < LongLength)
            bits.Put(unsigned(length), 3);
        else {
            bits.Put(LongLength, 3);
            bits.Put(((1u << (length - LongLength)) - 1) << 1, length - LongLength + 1);
        }
        if (i == skipAfter) {
            int unused = 0;
            while (unused < 3 && i < n && code.lengths[std::size_t(i)] == 0)
                ++unused, ++i;
            bits.Put(unsigned(unused), 2);
        }
    }
}

// The literal/length code's lengths as symbols of the code-length code: runs of unused symbols
// shortened, each with its extra bits.
struct TLengthSymbol {
    std::uint8_t symbol;
    std::uint16_t extra;
};

std::vector<TLengthSymbol> LengthSymbolsOf(const std::vector<std::uint8_t>& lengths) {
    std::vector<TLengthSymbol> out;
    const int n = UsedLength(lengths);
    for (int i = 0; i < n;) {
        if (lengths[std::size_t(i)] != 0) {
            out.push_back({std::uint8_t(lengths[std::size_t(i++)] + 2), 0});
            continue;
        }
        int run = 0;
        while (i < n && lengths[std::size_t(i)] == 0)
            ++run, ++i;
        if (run <= 2)
            out.insert(out.end(), std::size_t(run), TLengthSymbol{0, 0});
        else if (run <= 18)
            out.push_back({1, std::uint16_t(run - 3)});
        else if (run == 19)
            out.insert(out.end(), {TLengthSymbol{0, 0}, TLengthSymbol{1, 15}});
        else
            out.push_back({2, std::uint16_t(run - 20)});
    }
    return out;
}

void PutLiteralLengthCode(TBitWriter& bits, const TCode& literals) {
    if (literals.used <= 1) {
        bits.Put(0, LengthCountBits);
        bits.Put(0, LengthCountBits);
        bits.Put(0, LiteralLengthCountBits);
        bits.Put(unsigned(literals.single), LiteralLengthCountBits);
        return;
    }
    const std::vector<TLengthSymbol> symbols = LengthSymbolsOf(literals.lengths);
    std::vector<std::uint32_t> counts(LengthSymbols);
    for (const TLengthSymbol& s : symbols)
        ++counts[s.symbol];
    const TCode lengthCode = MakeCode(counts);
    PutShortCode(bits, lengthCode, LengthCountBits, LengthSkipAfter);
    bits.Put(unsigned(UsedLength(literals.lengths)), LiteralLengthCountBits);
    for (const TLengthSymbol& s : symbols) {
        PutSymbol(bits, lengthCode, s.symbol);
        if (s.symbol == 1)
            bits.Put(s.extra, 4);
        else if (s.symbol == 2)
            bits.Put(s.extra, 9);
    }
}

unsigned SymbolOf(const TLzToken& token) {
    return token.length == 0 ? token.value : 256u + token.length - MinMatch;
}

void PutBlock(TBitWriter& bits, std::span<const TLzToken> tokens) {
    std::vector<std::uint32_t> literalCounts(LiteralLengthSymbols);
    std::vector<std::uint32_t> distanceCounts(DistanceSymbols);
    for (const TLzToken& token : tokens) {
        ++literalCounts[SymbolOf(token)];
        if (token.length > 0)
            ++distanceCounts[std::size_t(DistanceClass(token.value))];
    }
    const TCode literals = MakeCode(literalCounts);
    const TCode distances = MakeCode(distanceCounts);
    bits.Put(unsigned(tokens.size()), 16);
    PutLiteralLengthCode(bits, literals);
    PutShortCode(bits, distances, DistanceCountBits, -1);
    for (const TLzToken& token : tokens) {
        PutSymbol(bits, literals, SymbolOf(token));
        if (token.length == 0)
            continue;
        const int distanceClass = DistanceClass(token.value);
        PutSymbol(bits, distances, unsigned(distanceClass));
        if (distanceClass > 1)
            bits.Put(token.value - 1u - (1u << (distanceClass - 1)), distanceClass - 1);
    }
}

} // namespace

QByteArray Lh5Encode(const QByteArray& data) {
    const std::vector<TLzToken> tokens = TLzMatcher(data, MaxDistance, MinMatch, MaxMatch).Parse();
    TBitWriter bits;
    const std::span<const TLzToken> all(tokens);
    for (std::size_t start = 0; start < all.size(); start += MaxBlockCodes)
        PutBlock(bits,
                 all.subspan(start, std::min<std::size_t>(MaxBlockCodes, all.size() - start)));
    return bits.Finish();
}
