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
#include <vector>

namespace {

constexpr int kTableSize = 4096;
constexpr int kMaxCodeWidth = 12;
// The longest string a sound table can hold; a longer one means a damaged table.
constexpr int kMaxString = 4096;

int DepthForBits(int bits) {
    if (bits == 1)
        return 1;
    if (bits >= 2 && bits <= 4)
        return 4;
    if (bits >= 5 && bits <= 8)
        return 8;
    throw EInvalidGraphic(QStringLiteral("Wrong number of colors; must be a power of 2"));
}

QImage MakeImage(const TGIFItem& item, int depth, qint64 largestFrame) {
    // Rows are held as the image will hold them: a bit a pixel for one colour bit, else a byte,
    // each row padded to 32 bits.
    const qint64 rowBytes = (qint64(item.Width) * (depth == 1 ? 1 : 8) + 31) / 32 * 4;
    if (rowBytes * item.Height > largestFrame)
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

// The whole of one decoding: input, string table and output position. Allocated once per frame;
// nothing is allocated while codes are read.
struct TDecoder {
    TDecoder(QByteArrayView blocks, bool interlaced, bool tolerant, QImage& image,
             const std::function<void(int)>& progress)
        : data(reinterpret_cast<const quint8*>(blocks.constData())), size(blocks.size()),
          tolerant(tolerant), image(image), progress(progress), width(image.width()),
          imageEnd(image.bits() + image.sizeInBytes()), rows(image.height(), interlaced) {}

    // Input: the sub-blocks after the minimum code size byte, read across their boundaries
    // through a bit buffer filled least significant bit first.
    const quint8* const data;
    const qsizetype size;
    qsizetype pos = 1;
    qsizetype blockLeft = 0;
    quint64 bitBuffer = 0;
    int bitCount = 0;

    // String table: each entry is its prefix entry plus one pixel; lengths let a string be
    // written back to front straight into its place.
    std::array<quint16, kTableSize> prefix{};
    std::array<quint8, kTableSize> suffix{};
    std::array<quint16, kTableSize> length{};
    // Where the image holds the string of each entry but its last pixel, or nullptr.
    std::array<const quint8*, kTableSize> source{};
    std::array<quint8, kMaxString + 1> stack{};
    int minimumSize = 0;
    int clearCode = 0;
    int endCode = 0;
    int freeCode = 0;
    int codeWidth = 0;
    int previous = -1;
    quint8 previousFirst = 0;
    const quint8* previousAt = nullptr;

    // Output.
    const bool tolerant;
    QImage& image;
    const std::function<void(int)>& progress;
    const int width;
    const quint8* const imageEnd;
    TGIFRowOrder rows;
    std::vector<quint8> monoRow;
    quint8* row = nullptr;
    int x = 0;
    int lastPercent = -1;
    bool corrupted = false;

    void SetUp(int colorBits);
    void ResetTable();
    void Refill();
    int NextCode();
    void Run();
    void WriteString(quint8* out, int code, int count) const;
    void CopyPixels(quint8* out, const quint8* from, int count, const quint8* limit) const;
    void Emit(const quint8* pixels, int count);
    void ClearRest();
    void NextRow();
    void StartRow();
    void PackMonoRow();
    void Damaged(const char* message);
};

void TDecoder::SetUp(int colorBits) {
    minimumSize = data[0];
    if (minimumSize < 2 || minimumSize > 9) {
        if (!tolerant)
            throw EInvalidGraphic(QStringLiteral("GIF code size not in range 2 to 9"));
        corrupted = true;
        minimumSize = std::clamp(minimumSize, 2, 9);
    }
    clearCode = 1 << minimumSize;
    endCode = clearCode + 1;
    // Codes below the clear code are single pixels, masked to the frame's colour bits so that
    // every index stays inside the palette.
    const int mask = (1 << colorBits) - 1;
    for (int code = 0; code < kTableSize; ++code) {
        suffix[code] = static_cast<quint8>(code < clearCode ? code & mask : 0);
        length[code] = 1;
    }
    if (image.depth() == 1)
        monoRow.resize(width);
    StartRow();
    ResetTable();
}

void TDecoder::ResetTable() {
    freeCode = clearCode + 2;
    codeWidth = minimumSize + 1;
    previous = -1;
    previousAt = nullptr;
}

// Tops the bit buffer up from the sub-blocks; the closing block or the end of the data leaves
// it as it is.
void TDecoder::Refill() {
    while (bitCount <= 56) {
        if (blockLeft == 0) {
            if (pos >= size || data[pos] == 0)
                return;
            blockLeft = data[pos++];
            blockLeft = std::min(blockLeft, size - pos);
            if (blockLeft == 0)
                return;
        } else if (blockLeft >= 8) {
            // Whole bytes up to 56 bits at once; the bits of the next byte that come along are
            // the same when that byte is read.
            bitBuffer |= qFromLittleEndian<quint64>(data + pos) << bitCount;
            const int taken = (63 - bitCount) >> 3;
            pos += taken;
            blockLeft -= taken;
            bitCount |= 56;
            return;
        } else {
            bitBuffer |= quint64(data[pos++]) << bitCount;
            bitCount += 8;
            --blockLeft;
        }
    }
}

// The next code, or -1 when the data has run out.
int TDecoder::NextCode() {
    if (bitCount < codeWidth) {
        Refill();
        if (bitCount < codeWidth)
            return -1;
    }
    const int code = static_cast<int>(bitBuffer & ((1u << codeWidth) - 1));
    bitBuffer >>= codeWidth;
    bitCount -= codeWidth;
    return code;
}

void TDecoder::Run() {
    while (!rows.Done()) {
        const int code = NextCode();
        if (code < 0) {
            if (!tolerant)
                throw EReadError();
            corrupted = true;
            return;
        }
        if (code == clearCode) {
            ResetTable();
            continue;
        }
        if (code == endCode)
            return;
        // A code not yet in the table is the previous string plus its own first pixel.
        const bool known = code < freeCode;
        if (!known && previous < 0)
            return Damaged("GIF encoded data is corrupt");
        const int count = known ? length[code] : length[previous] + 1;
        if (count > kMaxString)
            return Damaged("GIF encoded data is corrupt");
        const bool direct = count <= width - x;
        quint8* out = direct ? row + x : stack.data();
        // The string's head is the string of an earlier code, which often still stands in the
        // image where it was written; else it is unwound through the table.
        const quint8* head = known ? source[code] : previousAt;
        if (head)
            CopyPixels(out, head, count - 1, direct ? row + width : stack.data() + stack.size());
        else
            WriteString(out, known ? prefix[code] : previous, count - 1);
        out[count - 1] = known ? suffix[code] : previousFirst;
        if (previous >= 0 && freeCode < kTableSize) {
            prefix[freeCode] = static_cast<quint16>(previous);
            suffix[freeCode] = out[0];
            length[freeCode] = static_cast<quint16>(length[previous] + 1);
            source[freeCode] = previousAt;
            if (++freeCode == 1 << codeWidth && codeWidth < kMaxCodeWidth)
                ++codeWidth;
        }
        previous = code;
        previousFirst = out[0];
        // Only a whole string of the code's own length, in the image itself, can be copied later.
        previousAt = direct && monoRow.empty() && count == length[code] ? out : nullptr;
        if (!direct) {
            Emit(out, count);
        } else if ((x += count) == width) {
            NextRow();
        }
    }
}

// Copies `count` pixels that were written earlier. Short runs move as one block of 16 bytes
// where the source image and `limit` leave room: the bytes past `count` are written over later.
void TDecoder::CopyPixels(quint8* out, const quint8* from, int count, const quint8* limit) const {
    if (count <= 16 && limit - out >= 16 && imageEnd - from >= 16) {
        std::array<quint8, 16> block;
        std::memcpy(block.data(), from, block.size());
        std::memcpy(out, block.data(), block.size());
    } else {
        std::memcpy(out, from, count);
    }
}

// Writes the `count` pixels of string `code` back to front: the table knows a string's end first.
void TDecoder::WriteString(quint8* out, int code, int count) const {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = suffix[code];
        code = prefix[code];
    }
}

// Spreads pixels over as many rows as they fill; what lies past the last row is dropped.
void TDecoder::Emit(const quint8* pixels, int count) {
    while (count > 0 && !rows.Done()) {
        const int piece = std::min(count, width - x);
        std::memcpy(row + x, pixels, piece);
        pixels += piece;
        count -= piece;
        if ((x += piece) == width)
            NextRow();
    }
}

// Pixels the data never reached are index 0.
void TDecoder::ClearRest() {
    while (!rows.Done()) {
        std::fill(row + x, row + width, quint8(0));
        NextRow();
    }
}

void TDecoder::NextRow() {
    if (image.depth() == 1)
        PackMonoRow();
    rows.Next();
    StartRow();
    if (progress) {
        const int percent = static_cast<int>(pos * 100 / size);
        if (percent != lastPercent)
            progress(lastPercent = percent);
    }
}

void TDecoder::StartRow() {
    x = 0;
    if (rows.Done())
        return;
    if (image.depth() == 1) {
        row = monoRow.data();
        return;
    }
    // The image comes uninitialised: its padding is cleared here, its pixels by decoding.
    row = image.scanLine(rows.Row());
    std::fill(row + width, row + image.bytesPerLine(), quint8(0));
}

// One-bit rows are gathered a byte a pixel and packed, most significant bit first, when done.
void TDecoder::PackMonoRow() {
    quint8* bits = image.scanLine(rows.Row());
    std::fill(bits, bits + image.bytesPerLine(), quint8(0));
    for (int i = 0; i < width; ++i)
        bits[i >> 3] |= static_cast<quint8>((monoRow[i] & 1) << (7 - (i & 7)));
}

void TDecoder::Damaged(const char* message) {
    if (!tolerant)
        throw EInvalidGraphic(QString::fromLatin1(message));
    corrupted = true;
}

} // namespace

TGIFDecoded DecodeGIFImage(const TGIFItem& item, bool interlaced, const TGIFSettings& settings,
                           const std::function<void(int percent)>& progress) {
    const int depth = DepthForBits(item.Bits);
    TGIFDecoded result;
    if (item.Width <= 0 || item.Height <= 0 || item.Size == 0)
        return result;
    result.Image = MakeImage(item, depth, settings.LargestFrame);
    auto decoder = std::make_unique<TDecoder>(item.Data(), interlaced, settings.TolerateCorruptData,
                                              result.Image, progress);
    decoder->SetUp(item.Bits);
    decoder->Run();
    decoder->ClearRest();
    result.Corrupted = decoder->corrupted;
    return result;
}
