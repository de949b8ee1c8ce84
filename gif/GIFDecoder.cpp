#include "gif/GIFDecoder.h"

#include "gif/GIFItem.h"
#include "gif/GIFRowOrder.h"
#include "gif/GIFSettings.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/ReadError.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kTableSize = 4096;
constexpr int kMaxCodeWidth = 12;

int DepthForBits(int bits) {
    if (bits == 1)
        return 1;
    if (bits >= 2 && bits <= 4)
        return 4;
    if (bits >= 5 && bits <= 8)
        return 8;
    throw EInvalidGraphic(QStringLiteral("Wrong number of colors; must be a power of 2"));
}

QImage MakeImage(const TGIFItem& item, int depth) {
    if (qint64(item.Width) * item.Height > GIFLargestFrame)
        throw EInvalidGraphic(QStringLiteral("GIF image is too large"));
    QImage image(item.Width, item.Height,
                 depth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    if (image.isNull())
        throw std::bad_alloc();
    QList<QRgb> palette(1 << depth, qRgb(128, 128, 128));
    for (int i = 0; i < std::min<int>(item.Colors.Count, palette.size()); ++i)
        palette[i] = ToQRgb(item.Colors.Colors[i]);
    image.setColorTable(palette);
    return image;
}

// The sub-blocks after the minimum code size byte, gathered into one run of bytes with zeros
// behind it, so that codes are read with whole 8-byte loads and no block boundaries. A block
// of length 0 or the end of the data ends the run.
struct TCodeStream {
    explicit TCodeStream(QByteArrayView blocks)
        : bytes(std::make_unique_for_overwrite<quint8[]>(blocks.size() + kLoadSlack)) {
        const auto* data = reinterpret_cast<const quint8*>(blocks.constData());
        const qsizetype size = blocks.size();
        quint8* to = bytes.get();
        for (qsizetype pos = 1; pos < size && data[pos] != 0;) {
            const qsizetype length = std::min<qsizetype>(data[pos], size - pos - 1);
            std::memcpy(to, data + pos + 1, length);
            to += length;
            pos += length + 1;
        }
        std::memset(to, 0, kLoadSlack);
        at = bytes.get();
        end = to;
    }

    static constexpr int kLoadSlack = 8;
    std::unique_ptr<quint8[]> bytes;
    const quint8* at = nullptr;
    const quint8* end = nullptr;
    quint64 bitBuffer = 0;
    int bitCount = 0;

    // The next code of `width` bits, or -1 when the data has run out.
    int Next(int width) {
        if (bitCount < width) {
            // Whole bytes up to 56 bits at once; the bits of the next byte that come along are
            // the same when that byte is read. Zeros loaded from past the end do not count.
            bitBuffer |= qFromLittleEndian<quint64>(at) << bitCount;
            const int taken = std::min<qsizetype>((63 - bitCount) >> 3, end - at);
            at += taken;
            bitCount += taken * 8;
            if (bitCount < width)
                return -1;
        }
        const int code = static_cast<int>(bitBuffer & ((1u << width) - 1));
        bitBuffer >>= width;
        bitCount -= width;
        return code;
    }

    int PercentRead() const {
        const qsizetype total = end - bytes.get();
        return total > 0 ? static_cast<int>((at - bytes.get()) * 100 / total) : 100;
    }
};

// The whole of one decoding. The frame's pixels are decoded into one linear run, in the order
// the data stores them, so that every string already decoded stands in it whole: a table entry
// is just where its string starts and how long it is, and a new string is copied from there.
// The table is never cleared; only entries below the free code are ever read.
struct TDecoder {
    TDecoder(QByteArrayView blocks, bool tolerant, int colorBits, quint8* pixels, qsizetype count,
             qsizetype capacity)
        : codes(blocks), tolerant(tolerant), mask((1 << colorBits) - 1), pixels(pixels),
          count(count), capacity(capacity) {}

    TCodeStream codes;
    const bool tolerant;
    const int mask;
    // Where the decoded pixels go: `count` of them, with room for `capacity` bytes to be written.
    quint8* const pixels;
    const qsizetype count;
    const qsizetype capacity;
    qsizetype written = 0;

    // Where each entry's string starts in the pixels and how long it is.
    std::array<quint32, kTableSize> start;
    std::array<quint16, kTableSize> length;
    int minimumSize = 0;
    int clearCode = 0;
    int endCode = 0;
    int freeCode = 0;
    int codeWidth = 0;
    bool hasPrevious = false;
    qsizetype previousAt = 0;
    int previousLength = 0;
    bool corrupted = false;
    bool finished = false;

    void SetUp(int minimumCodeSize);
    void ResetTable();
    // Decodes until `stop` pixels are written or the data ends.
    void Run(qsizetype stop);
    void CopyString(qsizetype from, int size);
    void Damaged(const char* message);
};

void TDecoder::SetUp(int minimumCodeSize) {
    minimumSize = minimumCodeSize;
    if (minimumSize < 2 || minimumSize > 9) {
        if (!tolerant)
            throw EInvalidGraphic(QStringLiteral("GIF code size not in range 2 to 9"));
        corrupted = true;
        minimumSize = std::clamp(minimumSize, 2, 9);
    }
    clearCode = 1 << minimumSize;
    endCode = clearCode + 1;
    ResetTable();
}

void TDecoder::ResetTable() {
    freeCode = clearCode + 2;
    codeWidth = minimumSize + 1;
    hasPrevious = false;
}

// Copies a string written earlier to the end of the pixels, as far as they go. Short strings
// move as one block of 16 bytes where there is room: the bytes past the string are written
// over later.
void TDecoder::CopyString(qsizetype from, int size) {
    quint8* out = pixels + written;
    if (size <= 16 && capacity - written >= 16) {
        std::array<quint8, 16> block;
        std::memcpy(block.data(), pixels + from, block.size());
        std::memcpy(out, block.data(), block.size());
    } else {
        std::memcpy(out, pixels + from, std::min<qsizetype>(size, count - written));
    }
}

void TDecoder::Run(qsizetype stop) {
    while (written < stop) {
        const int code = codes.Next(codeWidth);
        if (code < 0) {
            if (!tolerant)
                throw EReadError();
            corrupted = finished = true;
            return;
        }
        if (code == clearCode) {
            ResetTable();
            continue;
        }
        if (code == endCode) {
            finished = true;
            return;
        }
        int size = 1;
        if (code < clearCode) {
            // Single pixels, masked to the frame's colour bits so that every index stays inside
            // the palette.
            pixels[written] = static_cast<quint8>(code & mask);
        } else if (code < freeCode) {
            size = length[code];
            CopyString(start[code], size);
        } else {
            // The one code not yet in the table, the next entry, is the previous string plus
            // its own first pixel; any code past it is damage.
            if (code > freeCode || !hasPrevious) {
                Damaged("GIF encoded data is corrupt");
                finished = true;
                return;
            }
            size = previousLength + 1;
            CopyString(previousAt, previousLength);
            if (previousLength < count - written)
                pixels[written + previousLength] = pixels[previousAt];
        }
        // The new entry is the previous string and the first pixel of this one, which follows
        // it in the pixels.
        if (hasPrevious && freeCode < kTableSize) {
            start[freeCode] = static_cast<quint32>(previousAt);
            length[freeCode] = static_cast<quint16>(previousLength + 1);
            if (++freeCode == 1 << codeWidth && codeWidth < kMaxCodeWidth)
                ++codeWidth;
        }
        hasPrevious = true;
        previousAt = written;
        previousLength = size;
        written = std::min<qsizetype>(written + size, count);
    }
}

void TDecoder::Damaged(const char* message) {
    if (!tolerant)
        throw EInvalidGraphic(QString::fromLatin1(message));
    corrupted = true;
}

// Decodes the whole frame into `pixels` (count bytes, `capacity` writable), reporting progress
// about every 64 KB of pixels. Pixels the data never reaches are index 0.
bool DecodeInto(const TGIFItem& item, quint8* pixels, qsizetype count, qsizetype capacity,
                const std::function<void(int)>& progress) {
    const QByteArrayView data = item.Data();
    auto decoder =
        std::make_unique<TDecoder>(data, TolerateCorruptData, item.Bits, pixels, count, capacity);
    decoder->SetUp(static_cast<quint8>(data.front()));
    constexpr qsizetype kProgressStep = 65536;
    while (!decoder->finished && decoder->written < count) {
        decoder->Run(progress ? std::min(count, decoder->written + kProgressStep) : count);
        if (progress)
            progress(decoder->codes.PercentRead());
    }
    std::memset(pixels + decoder->written, 0, count - decoder->written);
    return decoder->corrupted;
}

// Puts rows decoded in storage order into their places in the image, packing one-bit rows
// most significant bit first, and clears each row's padding.
void PlaceRows(const quint8* pixels, bool interlaced, QImage& image) {
    const int width = image.width();
    const bool mono = image.depth() == 1;
    for (TGIFRowOrder rows(image.height(), interlaced); !rows.Done(); rows.Next()) {
        quint8* line = image.scanLine(rows.Row());
        if (mono) {
            std::fill(line, line + image.bytesPerLine(), quint8(0));
            for (int i = 0; i < width; ++i)
                line[i >> 3] |= static_cast<quint8>((pixels[i] & 1) << (7 - (i & 7)));
        } else {
            std::memcpy(line, pixels, width);
            std::fill(line + width, line + image.bytesPerLine(), quint8(0));
        }
        pixels += width;
    }
}

} // namespace

TGIFDecoded DecodeGIFImage(const TGIFItem& item, bool interlaced,
                           const std::function<void(int percent)>& progress) {
    const int depth = DepthForBits(item.Bits);
    TGIFDecoded result;
    if (item.Width <= 0 || item.Height <= 0 || item.Size == 0)
        return result;
    result.Image = MakeImage(item, depth);
    QImage& image = result.Image;
    const qsizetype count = qsizetype(item.Width) * item.Height;
    // Rows stored top to bottom without padding are the image's own bytes; otherwise the rows
    // are decoded apart, with room behind them for whole-block copies, and placed afterwards.
    if (!interlaced && depth == 8 && image.bytesPerLine() == item.Width) {
        result.Corrupted = DecodeInto(item, image.bits(), count, count, progress);
        return result;
    }
    constexpr qsizetype kCopySlack = 16;
    const auto pixels = std::make_unique_for_overwrite<quint8[]>(count + kCopySlack);
    result.Corrupted = DecodeInto(item, pixels.get(), count, count + kCopySlack, progress);
    PlaceRows(pixels.get(), interlaced, image);
    return result;
}
