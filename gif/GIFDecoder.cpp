#include "gif/GIFDecoder.h"

#include "gif/GIFColorTable.h"
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

// The image palette of a colour table, padded with grey to 1 << depth entries. The frames of an
// animation mostly share one table: the last palette made is kept and handed out again, shared.
QList<QRgb> Palette(const TGIFColorTable& colors, int depth) {
    struct TLast {
        TGIFColorTable colors;
        int depth = 0;
        QList<QRgb> palette;
    };
    thread_local TLast last;
    const int used = std::min(colors.Count, 1 << depth);
    if (last.depth == depth && last.colors.Count == colors.Count &&
        std::equal(colors.Colors.begin(), colors.Colors.begin() + used, last.colors.Colors.begin()))
        return last.palette;
    QList<QRgb> palette(1 << depth, qRgb(128, 128, 128));
    for (int i = 0; i < used; ++i)
        palette[i] = ToQRgb(colors.Colors[i]);
    last = {colors, depth, palette};
    return palette;
}

QImage MakeImage(const TGIFItem& item, int depth, qint64 largestFrame) {
    // Rows are held as the image will hold them: a bit a pixel for one colour bit, else a byte,
    // each row padded to 32 bits. Decoding goes through a byte a pixel, so a one-bit frame takes
    // that much while it is decoded.
    const qint64 rowBytes = (qint64(item.Width) * 8 + 31) / 32 * 4;
    if (rowBytes * item.Height > largestFrame)
        throw EInvalidGraphic(QStringLiteral("GIF image is too large"));
    QImage image(item.Width, item.Height,
                 depth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    if (image.isNull())
        throw std::bad_alloc();
    image.setColorTable(Palette(item.Colors, depth));
    return image;
}

// Reads codes least significant bit first from bytes with at least 8 readable bytes past `end`.
struct TBitReader {
    const quint8* at = nullptr;
    const quint8* end = nullptr;
    quint64 buffer = 0;
    int count = 0;

    // Whole bytes up to 56 bits at once; the bits of the next byte that come along are the same
    // when that byte is read. Bytes loaded from past the end do not count.
    void Fill() {
        buffer |= qFromLittleEndian<quint64>(at) << count;
        const int taken = static_cast<int>(std::min<qsizetype>((63 - count) >> 3, end - at));
        at += taken;
        count += taken * 8;
    }

    int Take(int width) {
        Q_ASSERT(width > 0 && width <= count);
        const int code = static_cast<int>(buffer & ((1u << width) - 1));
        buffer >>= width;
        count -= width;
        return code;
    }
};

// The sub-blocks after the minimum code size byte, gathered a few kilobytes at a time into one
// run of bytes, so that codes are read with whole 8-byte loads across block boundaries. A block
// of length 0 or the end of the data ends them.
class TCodeStream {
public:
    explicit TCodeStream(QByteArrayView blocks)
        : data_(reinterpret_cast<const quint8*>(blocks.constData())), size_(blocks.size()) {
        reader.at = reader.end = chunk_.data();
        reader = Gathered(reader);
    }

    // The next code of `width` bits from `in` (a copy of `reader` the caller keeps), or -1 when
    // the data has run out. The reader goes by value to the gathering, so that the caller's
    // copy never has its address taken and stays in registers while pixels are stored.
    int Next(TBitReader& in, int width) {
        if (in.count < width) [[unlikely]] {
            if (in.end - in.at < 8)
                in = Gathered(in);
            in.Fill();
            if (in.count < width)
                return -1;
        }
        return in.Take(width);
    }

    int PercentRead() const { return size_ > 0 ? static_cast<int>(pos_ * 100 / size_) : 100; }

    TBitReader reader;

private:
    static constexpr int kChunk = 4096;
    static constexpr int kLoadSlack = 8;

    // `in` with the bytes not yet read moved to the front and blocks added behind them.
    [[gnu::noinline]] TBitReader Gathered(TBitReader in) {
        const qsizetype left = in.end - in.at;
        std::memmove(chunk_.data(), in.at, left);
        quint8* to = chunk_.data() + left;
        while (pos_ < size_ && data_[pos_] != 0 && to - chunk_.data() <= kChunk - 255) {
            const qsizetype length = std::min<qsizetype>(data_[pos_], size_ - pos_ - 1);
            std::memcpy(to, data_ + pos_ + 1, length);
            to += length;
            pos_ += length + 1;
        }
        std::memset(to, 0, kLoadSlack);
        in.at = chunk_.data();
        in.end = to;
        return in;
    }

    const quint8* const data_;
    const qsizetype size_;
    qsizetype pos_ = 1;
    std::array<quint8, kChunk + kLoadSlack> chunk_;
};

// Where the decoding stands between runs.
struct TDecodeState {
    qsizetype written = 0;
    int freeCode = 0;
    int codeWidth = 0;
    bool hasPrevious = false;
    qsizetype previousAt = 0;
    int previousLength = 0;
};

// A string moves 16 bytes at a step, so that most take one load and one store.
constexpr qsizetype kBlock = 16;
// No string is longer than the table has entries.
constexpr qsizetype kLongestString = kTableSize;

// Copies `size` pixels from `from`, which ends at or before `out` or lies apart from it, writing
// up to kBlock - 1 bytes past them: bytes that are written over later. A block read from beyond
// the string may take bytes this copy has just stored, which only ever land past the string too.
inline void CopyBlocks(quint8* out, const quint8* from, qsizetype size) {
    do {
        std::array<quint8, kBlock> block;
        std::memcpy(block.data(), from, block.size());
        std::memcpy(out, block.data(), block.size());
        out += kBlock;
        from += kBlock;
        size -= kBlock;
    } while (size > 0);
}

// Copies `size` pixels from `from` to `out`, no more than `room` of them, in blocks where
// `slack` leaves room for the bytes the last block writes past the string.
inline void CopyString(quint8* out, const quint8* from, qsizetype size, qsizetype room,
                       qsizetype slack) {
    if (size + kBlock - 1 <= slack)
        CopyBlocks(out, from, size);
    else
        std::memcpy(out, from, std::min(size, room));
}

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
    TDecodeState state;

    // Where each entry's string starts and how long it is. The single pixels' entries point
    // into `alphabet`, so that every code below the free code but the clear and end codes is
    // copied alike, without a branch to mispredict on the kind of code.
    std::array<const quint8*, kTableSize> from;
    std::array<quint16, kTableSize> length;
    // Each single pixel's index, masked to the frame's colour bits so that every index stays
    // inside the palette, with room behind for a whole block's load.
    std::array<quint8, (1 << 9) + kBlock> alphabet;
    int minimumSize = 0;
    int clearCode = 0;
    bool corrupted = false;
    bool finished = false;

    void SetUp(int minimumCodeSize);
    // Decodes until `stop` pixels are written or the data ends.
    void Run(qsizetype stop);
    // Decodes with the state in `s` and the reader in `in`, which the compiler can keep in
    // registers: pixel stores may alias any member. With kRoomy the caller stops it a longest
    // string and a block short of the end, so that no string is cut or copied with care.
    template <bool kRoomy> void RunCodes(TDecodeState& s, TBitReader& in, qsizetype stop);
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
    for (int code = 0; code < clearCode; ++code) {
        alphabet[code] = static_cast<quint8>(code & mask);
        from[code] = &alphabet[code];
        length[code] = 1;
    }
    std::fill_n(alphabet.begin() + clearCode, kBlock, quint8(0));
    state.freeCode = clearCode + 2;
    state.codeWidth = minimumSize + 1;
}

void TDecoder::Run(qsizetype stop) {
    TDecodeState s = state;
    TBitReader in = codes.reader;
    const qsizetype roomyStop = std::min(stop, capacity - kLongestString - kBlock);
    if (s.written < roomyStop)
        RunCodes<true>(s, in, roomyStop);
    if (!finished)
        RunCodes<false>(s, in, stop);
    state = s;
    codes.reader = in;
}

template <bool kRoomy> void TDecoder::RunCodes(TDecodeState& s, TBitReader& in, qsizetype stop) {
    // Members copied to locals, which pixel stores cannot change.
    quint8* const out = pixels;
    const int clear = clearCode;
    const qsizetype total = count;
    const qsizetype room = capacity;
    while (s.written < stop) {
        const int code = codes.Next(in, s.codeWidth);
        if (code < 0) [[unlikely]] {
            if (!tolerant)
                throw EReadError();
            corrupted = finished = true;
            return;
        }
        int size;
        if (code < s.freeCode && code != clear && code != clear + 1) {
            size = length[code];
            if constexpr (kRoomy)
                CopyBlocks(out + s.written, from[code], size);
            else
                CopyString(out + s.written, from[code], size, total - s.written, room - s.written);
        } else if (code == s.freeCode && s.hasPrevious) {
            // The one code not yet in the table, the next entry, is the previous string plus
            // its own first pixel.
            size = s.previousLength + 1;
            if constexpr (kRoomy) {
                CopyBlocks(out + s.written, out + s.previousAt, s.previousLength);
                out[s.written + s.previousLength] = out[s.previousAt];
            } else {
                CopyString(out + s.written, out + s.previousAt, s.previousLength, total - s.written,
                           room - s.written);
                if (s.previousLength < total - s.written)
                    out[s.written + s.previousLength] = out[s.previousAt];
            }
        } else if (code == clear) {
            s = {s.written, clear + 2, minimumSize + 1};
            continue;
        } else {
            // The end code, or damage: a code past the next entry, or the next entry with no
            // string before it.
            if (code != clear + 1)
                Damaged("GIF encoded data is corrupt");
            finished = true;
            return;
        }
        // The new entry is the previous string and the first pixel of this one, which follows
        // it in the pixels.
        Q_ASSERT(s.codeWidth <= kMaxCodeWidth && s.freeCode <= kTableSize);
        if (s.hasPrevious && s.freeCode < kTableSize) {
            from[s.freeCode] = out + s.previousAt;
            length[s.freeCode] = static_cast<quint16>(s.previousLength + 1);
            if (++s.freeCode == 1 << s.codeWidth && s.codeWidth < kMaxCodeWidth)
                ++s.codeWidth;
        }
        s.hasPrevious = true;
        s.previousAt = s.written;
        s.previousLength = size;
        s.written = kRoomy ? s.written + size : std::min<qsizetype>(s.written + size, total);
    }
}

void TDecoder::Damaged(const char* message) {
    if (!tolerant)
        throw EInvalidGraphic(QString::fromLatin1(message));
    corrupted = true;
}

// Decodes the whole frame into `pixels` (count bytes, `capacity` writable), reporting progress
// about every 64 KB of pixels. Pixels the data never reaches are index 0.
bool DecodeInto(const TGIFItem& item, bool tolerant, quint8* pixels, qsizetype count,
                qsizetype capacity, const std::function<void(int)>& progress) {
    const QByteArrayView data = item.Data();
    auto decoder = std::make_unique<TDecoder>(data, tolerant, item.Bits, pixels, count, capacity);
    decoder->SetUp(static_cast<quint8>(data.front()));
    constexpr qsizetype kProgressStep = 65536;
    while (!decoder->finished && decoder->state.written < count) {
        decoder->Run(progress ? std::min(count, decoder->state.written + kProgressStep) : count);
        if (progress)
            progress(decoder->codes.PercentRead());
    }
    std::memset(pixels + decoder->state.written, 0, count - decoder->state.written);
    return decoder->corrupted;
}

// Packs a row of one-bit pixels (a byte each) most significant bit first, eight at a step: one
// multiplication gathers bit 0 of eight bytes into the top byte, the first pixel highest.
void PackBits(const quint8* pixels, int width, quint8* line, qsizetype lineBytes) {
    int i = 0;
    for (; i + 8 <= width; i += 8) {
        const quint64 bits = qFromLittleEndian<quint64>(pixels + i) & 0x0101010101010101u;
        line[i >> 3] = static_cast<quint8>((bits * 0x8040201008040201u) >> 56);
    }
    std::fill(line + (i >> 3), line + lineBytes, quint8(0));
    for (; i < width; ++i)
        line[i >> 3] |= static_cast<quint8>((pixels[i] & 1) << (7 - (i & 7)));
}

// Puts rows decoded in storage order into their places in the image, packing one-bit rows
// most significant bit first, and clears each row's padding.
void PlaceRows(const quint8* pixels, bool interlaced, QImage& image) {
    const int width = image.width();
    const bool mono = image.depth() == 1;
    for (TGIFRowOrder rows(image.height(), interlaced); !rows.Done(); rows.Next()) {
        quint8* line = image.scanLine(rows.Row());
        if (mono) {
            PackBits(pixels, width, line, image.bytesPerLine());
        } else {
            std::memcpy(line, pixels, width);
            std::fill(line + width, line + image.bytesPerLine(), quint8(0));
        }
        pixels += width;
    }
}

// The buffer frames are decoded into before their rows are placed, kept by each thread from one
// frame to the next: an animation, or a large interlaced picture decoded again, then neither
// allocates it anew nor faults its pages in again. One larger than kKept is let go after use; a
// decoding started from a progress report while the kept one is in use gets its own.
class TScratch {
public:
    explicit TScratch(qsizetype size) {
        Buffer& kept = Kept();
        if (kept.inUse) {
            own_ = std::make_unique_for_overwrite<quint8[]>(size);
            bytes_ = own_.get();
            return;
        }
        if (kept.size < size) {
            kept.bytes.reset();
            kept.bytes = std::make_unique_for_overwrite<quint8[]>(size);
            kept.size = size;
        }
        kept.inUse = true;
        bytes_ = kept.bytes.get();
    }
    ~TScratch() {
        if (own_)
            return;
        Buffer& kept = Kept();
        kept.inUse = false;
        if (kept.size > kKept) {
            kept.bytes.reset();
            kept.size = 0;
        }
    }
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    quint8* Bytes() const { return bytes_; }

private:
    static constexpr qsizetype kKept = qsizetype(8) << 20;
    struct Buffer {
        std::unique_ptr<quint8[]> bytes;
        qsizetype size = 0;
        bool inUse = false;
    };
    static Buffer& Kept() {
        thread_local Buffer kept;
        return kept;
    }

    std::unique_ptr<quint8[]> own_;
    quint8* bytes_ = nullptr;
};

} // namespace

TGIFDecoded DecodeGIFImage(const TGIFItem& item, bool interlaced, const TGIFSettings& settings,
                           const std::function<void(int percent)>& progress) {
    const int depth = DepthForBits(item.Bits);
    TGIFDecoded result;
    if (item.Width <= 0 || item.Height <= 0 || item.Size == 0)
        return result;
    result.Image = MakeImage(item, depth, settings.LargestFrame);
    QImage& image = result.Image;
    const qsizetype count = qsizetype(item.Width) * item.Height;
    // Rows stored top to bottom without padding are the image's own bytes; otherwise the rows
    // are decoded apart, with room behind them for whole-block copies, and placed afterwards.
    if (!interlaced && depth == 8 && image.bytesPerLine() == item.Width) {
        result.Corrupted =
            DecodeInto(item, settings.TolerateCorruptData, image.bits(), count, count, progress);
        return result;
    }
    const TScratch pixels(count + kBlock);
    result.Corrupted = DecodeInto(item, settings.TolerateCorruptData, pixels.Bytes(), count,
                                  count + kBlock, progress);
    PlaceRows(pixels.Bytes(), interlaced, image);
    return result;
}
