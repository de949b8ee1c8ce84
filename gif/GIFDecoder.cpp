#include "gif/GIFDecoder.h"

#include "gif/GIFItem.h"
#include "gif/GIFRowOrder.h"
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

QImage MakeImage(const TGIFItem& item, int depth) {
    QImage image(item.Width, item.Height,
                 depth == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
    if (image.isNull())
        throw std::bad_alloc();
    QList<QRgb> palette(1 << depth, qRgb(128, 128, 128));
    for (int i = 0; i < std::min<int>(item.Colors.Count, palette.size()); ++i)
        palette[i] = ToQRgb(item.Colors.Colors[i]);
    image.setColorTable(palette);
    image.fill(0);
    return image;
}

// The whole of one decoding: input, string table and output position. Allocated once per frame;
// nothing is allocated while codes are read.
struct TDecoder {
    TDecoder(bool interlaced, bool tolerant, QImage& image,
             const std::function<void(int)>& progress)
        : tolerant(tolerant), image(image), progress(progress), width(image.width()),
          rows(image.height(), interlaced) {}

    // Input: the sub-blocks' bytes joined, and a bit buffer filled least significant bit first.
    std::vector<quint8> data;
    std::size_t pos = 0;
    quint64 bitBuffer = 0;
    int bitCount = 0;

    // String table: each entry is its prefix entry plus one pixel; lengths let a string be
    // written back to front straight into its place.
    std::array<quint16, kTableSize> prefix{};
    std::array<quint8, kTableSize> suffix{};
    std::array<quint16, kTableSize> length{};
    std::array<quint8, kMaxString + 1> stack{};
    int minimumSize = 0;
    int clearCode = 0;
    int endCode = 0;
    int freeCode = 0;
    int codeWidth = 0;
    int previous = -1;
    quint8 previousFirst = 0;

    // Output.
    const bool tolerant;
    QImage& image;
    const std::function<void(int)>& progress;
    const int width;
    TGIFRowOrder rows;
    std::vector<quint8> monoRow;
    quint8* row = nullptr;
    int x = 0;
    int lastPercent = -1;
    bool corrupted = false;

    void Join(const QByteArray& blocks);
    void SetUp(int colorBits);
    void ResetTable();
    int NextCode();
    void Run();
    void WriteString(quint8* out, int code, int count) const;
    void Emit(const quint8* pixels, int count);
    void NextRow();
    void StartRow();
    void PackMonoRow(int count);
    void Damaged(const char* message);
};

void TDecoder::Join(const QByteArray& blocks) {
    const auto* bytes = reinterpret_cast<const quint8*>(blocks.constData());
    const qsizetype size = blocks.size();
    data.reserve(size);
    qsizetype at = 1;
    while (at < size && bytes[at] != 0) {
        const qsizetype count = std::min<qsizetype>(bytes[at], size - at - 1);
        data.insert(data.end(), bytes + at + 1, bytes + at + 1 + count);
        at += 1 + bytes[at];
    }
}

void TDecoder::SetUp(int colorBits) {
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
}

// The next code, or -1 when the data has run out.
int TDecoder::NextCode() {
    if (bitCount < codeWidth) {
        if (data.size() - pos >= 8) {
            bitBuffer |= qFromLittleEndian<quint64>(data.data() + pos) << bitCount;
            pos += (63 - bitCount) >> 3;
            bitCount |= 56;
        } else {
            while (bitCount <= 56 && pos < data.size()) {
                bitBuffer |= quint64(data[pos++]) << bitCount;
                bitCount += 8;
            }
            if (bitCount < codeWidth)
                return -1;
        }
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
        if (known) {
            WriteString(out, code, count);
        } else {
            out[count - 1] = previousFirst;
            WriteString(out, previous, count - 1);
        }
        if (previous >= 0 && freeCode < kTableSize) {
            prefix[freeCode] = static_cast<quint16>(previous);
            suffix[freeCode] = out[0];
            length[freeCode] = static_cast<quint16>(length[previous] + 1);
            if (++freeCode == 1 << codeWidth && codeWidth < kMaxCodeWidth)
                ++codeWidth;
        }
        previous = code;
        previousFirst = out[0];
        if (!direct) {
            Emit(out, count);
        } else if ((x += count) == width) {
            NextRow();
        }
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

void TDecoder::NextRow() {
    PackMonoRow(width);
    rows.Next();
    StartRow();
    if (progress) {
        const int percent = data.empty() ? 100 : static_cast<int>(pos * 100 / data.size());
        if (percent != lastPercent)
            progress(lastPercent = percent);
    }
}

void TDecoder::StartRow() {
    x = 0;
    if (rows.Done())
        return;
    row = image.depth() == 1 ? monoRow.data() : image.scanLine(rows.Row());
}

// One-bit rows are gathered a byte a pixel and packed, most significant bit first, when done.
void TDecoder::PackMonoRow(int count) {
    if (image.depth() != 1 || rows.Done())
        return;
    quint8* bits = image.scanLine(rows.Row());
    for (int i = 0; i < count; ++i)
        bits[i >> 3] |= static_cast<quint8>((monoRow[i] & 1) << (7 - (i & 7)));
}

void TDecoder::Damaged(const char* message) {
    if (!tolerant)
        throw EInvalidGraphic(QString::fromLatin1(message));
    corrupted = true;
}

} // namespace

TGIFDecoded DecodeGIFImage(const TGIFItem& item, bool interlaced, bool tolerant,
                           const std::function<void(int percent)>& progress) {
    const int depth = DepthForBits(item.Bits);
    TGIFDecoded result;
    if (item.Width <= 0 || item.Height <= 0 || item.Data.isEmpty())
        return result;
    result.Image = MakeImage(item, depth);
    auto decoder = std::make_unique<TDecoder>(interlaced, tolerant, result.Image, progress);
    decoder->minimumSize = quint8(item.Data[0]);
    decoder->Join(item.Data);
    decoder->SetUp(item.Bits);
    decoder->Run();
    // A row the data ended inside keeps what it got.
    decoder->PackMonoRow(decoder->x);
    result.Corrupted = decoder->corrupted;
    return result;
}
