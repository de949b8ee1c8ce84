#ifndef VARNEL_ROM_LH5FORMAT_H
#define VARNEL_ROM_LH5FORMAT_H

// The numbers of the "-lh5-" method: LZ77 over an 8 KiB window, its literals, match lengths and
// distances coded by static Huffman codes that every block states afresh.
namespace Lh5Format {

constexpr int WindowSize = 8192;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 256;
// Literals 0..255, then the match lengths MinMatch..MaxMatch.
constexpr int LiteralLengthSymbols = 256 + MaxMatch - MinMatch + 1;
constexpr int LiteralLengthCountBits = 9;
// The code lengths of the literal/length code are themselves coded: 0, 1 and 2 stand for runs of
// unused symbols, 3 + n for length n + 1.
constexpr int LengthSymbols = 19;
constexpr int LengthCountBits = 5;
// After this many lengths of that code, two bits tell how many unused ones follow.
constexpr int LengthSkipAfter = 3;
// Distance classes: class 0 is distance 1, class k > 0 is distances 2^(k-1) + 1 ... 2^k, the
// remainder in k - 1 extra bits.
constexpr int DistanceSymbols = 14;
constexpr int DistanceCountBits = 4;
// A code length of 7 or more is written as 7 followed by one 1 bit for each length above it.
constexpr int LongLength = 7;
constexpr int MaxBlockCodes = 65535;

} // namespace Lh5Format

#endif
