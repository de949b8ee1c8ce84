#include "gif/GIFEncoder.h"

#include "gif/GIFRowOrder.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

constexpr int kMaxCodeWidth = 12;
// A clear code follows as soon as this code has been given out, so that the table never fills.
constexpr int kLastCode = 4094;
// The string table: a hash of prefix code and pixel, probed linearly. A slot holds only the
// entry's code, in 16 bits, so that the slots and the keys beside them stay in the first-level
// cache; the code's key is checked in `keys`. No entry has code 0, so a slot of 0 is empty. At most
// about 3,840 entries keep the table under a quarter full.
constexpr int kHashBits = 14;
constexpr quint32 kHashMask = (1u << kHashBits) - 1;
constexpr quint16 kEmpty = 0;

// The whole of one encoding: string table, bit buffer and the code bytes written so far, which
// are cut into sub-blocks at the end.
struct TEncoder {
    TEncoder(int minimumSize, qsizetype pixels)
        : minimumSize(minimumSize), clearCode(1 << minimumSize), endCode(clearCode + 1),
          codeWidth(minimumSize + 1),
          // Each pixel makes at most one code and one clear, of at most 12 bits each.
          bytes(std::make_unique_for_overwrite<quint8[]>(pixels * 3 + 16)) {}

    const int minimumSize;
    const int clearCode;
    const int endCode;
    int freeCode = 0;
    int codeWidth;
    std::array<quint16, 1 << kHashBits> table;
    // Each entry's prefix code and pixel, by code.
    std::array<quint32, 1 << kMaxCodeWidth> keys;

    quint64 bitBuffer = 0;
    int bitCount = 0;
    std::unique_ptr<quint8[]> bytes;
    qsizetype used = 0;

    // Stores the whole buffer every time and keeps only the bits of a byte not yet complete:
    // no branch for the pipeline to guess wrong on the path that already missed the table.
    void Put(int code) {
        Q_ASSERT(code >= 0 && code < 1 << codeWidth);
        bitBuffer |= static_cast<quint64>(code) << bitCount;
        bitCount += codeWidth;
        qToLittleEndian(bitBuffer, bytes.get() + used);
        used += bitCount >> 3;
        bitBuffer >>= bitCount & ~7;
        bitCount &= 7;
    }
    void Clear();
    // Follows `prefix` with each pixel of the line, emitting a code wherever the string ends;
    // returns the prefix the line leaves open.
    int EncodeLine(const uchar* line, int width, int mask, int prefix);
    void AddEntry(int prefix, quint32 key, quint32 slot);
    void Finish(int prefix);
    QByteArray Blocks() const;
};

void TEncoder::Clear() {
    Put(clearCode);
    table.fill(kEmpty);
    freeCode = clearCode + 2;
    codeWidth = minimumSize + 1;
}

int TEncoder::EncodeLine(const uchar* line, int width, int mask, int prefix) {
    for (int x = 0; x < width; ++x) {
        const int pixel = line[x] & mask;
        if (prefix < 0) {
            prefix = pixel;
            continue;
        }
        const quint32 key = static_cast<quint32>(prefix) << 8 | static_cast<quint32>(pixel);
        // The lookup waits on the previous one through the prefix, so the prefix only meets a
        // xor; the pixel, known early, is mixed off that path.
        quint32 slot =
            (static_cast<quint32>(prefix) ^ (static_cast<quint32>(pixel) * 2654435761u >> 18)) &
            kHashMask;
        for (;;) {
            const quint16 code = table[slot];
            if (code == kEmpty) {
                AddEntry(prefix, key, slot);
                prefix = pixel;
                break;
            }
            Q_ASSERT(code > endCode && code < freeCode);
            if (keys[code] == key) {
                prefix = code;
                break;
            }
            slot = (slot + 1) & kHashMask;
        }
    }
    return prefix;
}

void TEncoder::AddEntry(int prefix, quint32 key, quint32 slot) {
    Q_ASSERT(freeCode > endCode && freeCode <= kLastCode && codeWidth <= kMaxCodeWidth);
    Put(prefix);
    table[slot] = static_cast<quint16>(freeCode);
    keys[freeCode] = key;
    // The decoder makes each entry one code later than we do, so the width grows once the
    // code after the free one no longer fits.
    if (freeCode++ == kLastCode)
        Clear();
    else if (freeCode > 1 << codeWidth)
        ++codeWidth;
}

void TEncoder::Finish(int prefix) {
    if (prefix >= 0)
        Put(prefix);
    // The decoder has made its entry for that last code by now, which may have widened it.
    if (freeCode == 1 << codeWidth && codeWidth < kMaxCodeWidth)
        ++codeWidth;
    Put(endCode);
    for (; bitCount > 0; bitCount -= 8, bitBuffer >>= 8)
        bytes[used++] = static_cast<quint8>(bitBuffer);
}

// The minimum code size byte, the code bytes in sub-blocks of up to 255 and the closing block.
QByteArray TEncoder::Blocks() const {
    QByteArray out(1 + used + (used + 254) / 255 + 1, Qt::Uninitialized);
    char* to = out.data();
    *to++ = static_cast<char>(minimumSize);
    for (qsizetype from = 0; from < used;) {
        const qsizetype length = std::min<qsizetype>(255, used - from);
        *to++ = static_cast<char>(length);
        std::memcpy(to, bytes.get() + from, length);
        to += length;
        from += length;
    }
    *to = '\0';
    return out;
}

} // namespace

QByteArray EncodeGIFImage(const QImage& indexed8, int colorBits, bool interlaced) {
    const int width = indexed8.width();
    auto encoder =
        std::make_unique<TEncoder>(std::max(colorBits, 2), qsizetype(width) * indexed8.height());
    encoder->Clear();
    const int mask = (1 << colorBits) - 1;
    int prefix = -1;
    for (TGIFRowOrder rows(indexed8.height(), interlaced); !rows.Done(); rows.Next())
        prefix = encoder->EncodeLine(indexed8.constScanLine(rows.Row()), width, mask, prefix);
    encoder->Finish(prefix);
    return encoder->Blocks();
}
