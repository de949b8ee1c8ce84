#include "gif/GIFEncoder.h"

#include "gif/GIFRowOrder.h"

#include <array>
#include <memory>

namespace {

constexpr int kHashSize = 17777;
constexpr int kMaxCodeWidth = 12;
// A clear code follows as soon as this code has been given out, so that the table never fills.
constexpr int kLastCode = 4094;

// The whole of one encoding: string table (a hash of prefix code and pixel, probed linearly),
// bit buffer and the sub-block being filled.
struct TEncoder {
    explicit TEncoder(int minimumSize) : minimumSize(minimumSize) {}

    const int minimumSize;
    const int clearCode = 1 << minimumSize;
    const int endCode = clearCode + 1;
    int freeCode = 0;
    int codeWidth = minimumSize + 1;
    std::array<qint32, kHashSize> keys{};
    std::array<quint16, kHashSize> codes{};

    quint32 bitBuffer = 0;
    int bitCount = 0;
    std::array<char, 255> block{};
    int blockSize = 0;
    QByteArray out;

    void Put(int code);
    void PutByte(quint8 byte);
    void FlushBlock();
    void Clear();
    // The table entry for `prefix` followed by `pixel`, or -1 after making one.
    int Find(int prefix, int pixel);
    void Finish(int prefix);
};

void TEncoder::Put(int code) {
    bitBuffer |= static_cast<quint32>(code) << bitCount;
    bitCount += codeWidth;
    while (bitCount >= 8) {
        PutByte(static_cast<quint8>(bitBuffer));
        bitBuffer >>= 8;
        bitCount -= 8;
    }
}

void TEncoder::PutByte(quint8 byte) {
    block[blockSize++] = static_cast<char>(byte);
    if (blockSize == static_cast<int>(block.size()))
        FlushBlock();
}

void TEncoder::FlushBlock() {
    if (blockSize == 0)
        return;
    out.append(static_cast<char>(blockSize));
    out.append(block.data(), blockSize);
    blockSize = 0;
}

void TEncoder::Clear() {
    Put(clearCode);
    keys.fill(-1);
    freeCode = clearCode + 2;
    codeWidth = minimumSize + 1;
}

int TEncoder::Find(int prefix, int pixel) {
    const qint32 key = prefix << 8 | pixel;
    std::size_t slot = (static_cast<quint32>(key) * 2654435761u) % kHashSize;
    while (keys[slot] != -1) {
        if (keys[slot] == key)
            return codes[slot];
        slot = slot + 1 == kHashSize ? 0 : slot + 1;
    }
    Put(prefix);
    keys[slot] = key;
    codes[slot] = static_cast<quint16>(freeCode);
    // The decoder makes each entry one code later than we do, so the width grows once the
    // code after the free one no longer fits.
    if (freeCode++ == kLastCode)
        Clear();
    else if (freeCode > 1 << codeWidth)
        ++codeWidth;
    return -1;
}

void TEncoder::Finish(int prefix) {
    if (prefix >= 0)
        Put(prefix);
    // The decoder has made its entry for that last code by now, which may have widened it.
    if (freeCode == 1 << codeWidth && codeWidth < kMaxCodeWidth)
        ++codeWidth;
    Put(endCode);
    if (bitCount > 0)
        PutByte(static_cast<quint8>(bitBuffer));
    FlushBlock();
    out.append('\0');
}

} // namespace

QByteArray EncodeGIFImage(const QImage& indexed8, int colorBits, bool interlaced) {
    auto encoder = std::make_unique<TEncoder>(std::max(colorBits, 2));
    encoder->out.append(static_cast<char>(encoder->minimumSize));
    encoder->Clear();
    const int mask = (1 << colorBits) - 1;
    int prefix = -1;
    for (TGIFRowOrder rows(indexed8.height(), interlaced); !rows.Done(); rows.Next()) {
        const uchar* line = indexed8.constScanLine(rows.Row());
        for (int x = 0; x < indexed8.width(); ++x) {
            const int pixel = line[x] & mask;
            if (prefix < 0) {
                prefix = pixel;
                continue;
            }
            const int found = encoder->Find(prefix, pixel);
            prefix = found >= 0 ? found : pixel;
        }
    }
    encoder->Finish(prefix);
    return encoder->out;
}
