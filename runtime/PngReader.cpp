#include "runtime/PngReader.h"

#include "runtime/PngChunks.h"
#include "runtime/PngFile.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <zlib.h>

namespace {

using PngChunks::Framing;
using PngChunks::TChunk;
using PngFile::Signature;

enum EColour { kGrey = 0, kRgb = 2, kPalette = 3 };

struct THeader {
    int width = 0;
    int height = 0;
    int depth = 0;
    int colour = 0;

    int PixelBits() const { return colour == kRgb ? 3 * depth : depth; }
    int FilterStep() const { return colour == kRgb ? 3 : 1; }
    qsizetype RowBytes() const { return (qsizetype(width) * PixelBits() + 7) / 8; }
};

// What the chunks say before anything is inflated.
struct TLayout {
    THeader header;
    QByteArrayView palette;
    qsizetype firstData = 0; // where the first image data chunk starts
};

// The chunk at `at`, only when the file holds it and its checksum (over its type and data) is
// right.
std::optional<TChunk> Checked(QByteArrayView file, qsizetype at) {
    const std::optional<TChunk> chunk = PngChunks::At(file, at);
    if (!chunk)
        return std::nullopt;
    const auto* typed = reinterpret_cast<const Bytef*>(chunk->type.data());
    const uLong crc = crc32(0, typed, uInt(4 + chunk->data.size()));
    if (crc != qFromBigEndian<quint32>(chunk->data.data() + chunk->data.size()))
        return std::nullopt;
    return chunk;
}

bool Readable(int depth, int colour) {
    switch (colour) {
    case kGrey:
    case kPalette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kRgb:
        return depth == 8;
    default:
        return false;
    }
}

// The header, when its picture is within the limits and of a kind read here.
std::optional<THeader> Header(QByteArrayView data, int maxWidth, int maxHeight) {
    if (data.size() != 13)
        return std::nullopt;
    const quint32 width = qFromBigEndian<quint32>(data.data());
    const quint32 height = qFromBigEndian<quint32>(data.data() + 4);
    const auto* fields = reinterpret_cast<const std::uint8_t*>(data.data() + 8);
    if (width == 0 || height == 0 || width > quint32(std::max(maxWidth, 0)) ||
        height > quint32(std::max(maxHeight, 0)))
        return std::nullopt;
    // Deflate, the standard filters and no interlacing are the only kinds read here.
    if (!Readable(fields[0], fields[1]) || fields[2] != 0 || fields[3] != 0 || fields[4] != 0)
        return std::nullopt;
    return THeader{int(width), int(height), fields[0], fields[1]};
}

bool PaletteFits(const THeader& header, QByteArrayView palette) {
    const qsizetype entries = palette.size() / 3;
    return palette.size() % 3 == 0 && entries >= 1 && entries <= (1 << header.depth);
}

// Every chunk up to the end chunk walked and checked. Transparency, a second palette, a palette
// where it does not belong and image data broken up by other chunks are all refused: Qt's reader
// is left to decide what they draw.
std::optional<TLayout> Walk(QByteArrayView file, int maxWidth, int maxHeight) {
    std::optional<TChunk> chunk;
    if (!file.startsWith(Signature) || !(chunk = Checked(file, Signature.size())) ||
        chunk->type != "IHDR")
        return std::nullopt;
    const std::optional<THeader> header = Header(chunk->data, maxWidth, maxHeight);
    if (!header)
        return std::nullopt;
    TLayout layout{*header, {}, 0};
    bool dataOver = false;
    while ((chunk = Checked(file, chunk->next))) {
        const qsizetype at = chunk->next - Framing - chunk->data.size();
        if (chunk->type == "IEND")
            return chunk->data.isEmpty() && layout.firstData != 0 &&
                           (header->colour != kPalette || !layout.palette.isEmpty())
                       ? std::optional(layout)
                       : std::nullopt;
        if (chunk->type == "IDAT") {
            if (dataOver)
                return std::nullopt;
            if (layout.firstData == 0)
                layout.firstData = at;
            continue;
        }
        dataOver = layout.firstData != 0;
        if (chunk->type == "IHDR" || chunk->type == "tRNS")
            return std::nullopt;
        if (chunk->type == "PLTE") {
            if (header->colour != kPalette || !layout.palette.isEmpty() || dataOver ||
                !PaletteFits(*header, chunk->data))
                return std::nullopt;
            layout.palette = chunk->data;
        }
    }
    return std::nullopt;
}

struct TInflater {
    z_stream stream{};
    bool open = inflateInit(&stream) == Z_OK;
    ~TInflater() {
        if (open)
            inflateEnd(&stream);
    }
};

// Inflating all the rows in one go, zlib lets the stream reach back over everything it has
// written, beyond the window the stream's header declares; a reader that inflates a row at a time
// does not. A stream that declares less than the widest window and is longer than its window is
// therefore left to Qt's reader.
bool WithinWindow(QByteArrayView stream, qsizetype size) {
    if (stream.isEmpty())
        return false;
    const int bits = (std::uint8_t(stream[0]) >> 4) + 8;
    return bits == MAX_WBITS || (bits < MAX_WBITS && qsizetype(1) << bits >= size);
}

// The image data chunks from `at` on, inflated into exactly `size` bytes at `out`: the stream
// must fill them, end within the chunks, and leave nothing after its end.
bool Inflate(QByteArrayView file, qsizetype at, std::uint8_t* out, qsizetype size) {
    if (size > qsizetype(std::numeric_limits<uInt>::max()))
        return false;
    TInflater inflater;
    if (!inflater.open)
        return false;
    z_stream& stream = inflater.stream;
    stream.next_out = out;
    stream.avail_out = uInt(size);
    std::optional<TChunk> chunk;
    for (; (chunk = PngChunks::At(file, at)) && chunk->type == "IDAT"; at = chunk->next) {
        if (stream.total_in == 0 && !WithinWindow(chunk->data, size))
            return false;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk->data.data()));
        stream.avail_in = uInt(chunk->data.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            const std::optional<TChunk> after = PngChunks::At(file, chunk->next);
            return stream.avail_in == 0 && stream.avail_out == 0 && after && after->type != "IDAT";
        }
        if ((result != Z_OK && result != Z_BUF_ERROR) || stream.avail_in != 0)
            return false;
    }
    return false;
}

std::uint8_t Paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    // Chosen without branches: photographs pick all three in no order a branch could learn.
    const int nearer = pb <= pc ? b : c;
    return std::uint8_t(((pa <= pb) & (pa <= pc)) ? a : nearer);
}

// A row's filter undone against the byte `Step` before each (a), the one above it (b) and the
// one before that (c), zeros beyond the row's start. They are carried along rather than read back,
// so that each byte does not wait for the one before it to reach memory.
template <int Step, typename Predictor>
void Undo(std::uint8_t* row, const std::uint8_t* prior, qsizetype bytes, Predictor predicted) {
    std::array<int, Step> left{}, upLeft{};
    for (qsizetype i = 0; i < bytes; i += Step)
#pragma GCC unroll 3
        for (int k = 0; k < Step; ++k) {
            const int up = prior[i + k];
            row[i + k] = std::uint8_t(row[i + k] + predicted(left[k], up, upLeft[k]));
            left[k] = row[i + k];
            upLeft[k] = up;
        }
}

template <int Step>
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, qsizetype bytes) {
    switch (filter) {
    case 0:
        return true;
    case 1:
        Undo<Step>(row, prior, bytes, [](int a, int, int) { return a; });
        return true;
    case 2:
        for (qsizetype i = 0; i < bytes; ++i)
            row[i] += prior[i];
        return true;
    case 3:
        Undo<Step>(row, prior, bytes, [](int a, int b, int) { return (a + b) >> 1; });
        return true;
    case 4:
        Undo<Step>(row, prior, bytes, Paeth);
        return true;
    default:
        return false;
    }
}

// One row's filter undone in place; `prior` is the row above, already undone (zeros above the
// first row). The filters look back one whole pixel, or one byte below 8 bits a pixel.
bool Unfilter(int filter, std::uint8_t* row, const std::uint8_t* prior, qsizetype bytes, int step) {
    return step == 3 ? Unfilter<3>(filter, row, prior, bytes)
                     : Unfilter<1>(filter, row, prior, bytes);
}

// The colour each sample value stands for, and how many values stand for one.
struct TColours {
    std::array<std::uint32_t, 256> colours{};
    int count = 0;
};

TColours Colours(const TLayout& layout) {
    TColours table;
    const THeader& header = layout.header;
    if (header.colour == kGrey) {
        const int top = (1 << header.depth) - 1;
        table.count = top + 1;
        for (int value = 0; value <= top; ++value)
            table.colours[value] = 0xFF000000u | std::uint32_t(value * 255 / top) * 0x010101u;
        return table;
    }
    const auto* rgb = reinterpret_cast<const std::uint8_t*>(layout.palette.data());
    table.count = int(layout.palette.size() / 3);
    for (int entry = 0; entry < table.count; ++entry, rgb += 3)
        table.colours[entry] =
            0xFF000000u | std::uint32_t(rgb[0]) << 16 | std::uint32_t(rgb[1]) << 8 | rgb[2];
    return table;
}

void RgbRow(const std::uint8_t* row, int width, std::uint32_t* out) {
    for (int x = 0; x < width; ++x, row += 3)
        out[x] = 0xFF000000u | std::uint32_t(row[0]) << 16 | std::uint32_t(row[1]) << 8 | row[2];
}

// A row of grey levels or palette indices, packed from each byte's high bits down; false when a
// value has no colour.
bool IndexedRow(const std::uint8_t* row, int width, int depth, const TColours& table,
                std::uint32_t* out) {
    const int mask = (1 << depth) - 1;
    for (int x = 0; x < width; ++x) {
        const int bit = x * depth;
        const int value = row[bit >> 3] >> (8 - depth - (bit & 7)) & mask;
        if (value >= table.count)
            return false;
        out[x] = table.colours[value];
    }
    return true;
}

// The inflated rows, each behind its filter byte and after a row of zeros, undone in place.
bool Unfiltered(const THeader& header, std::uint8_t* rows) {
    const qsizetype stride = 1 + header.RowBytes();
    for (std::uint8_t* row = rows + stride; row < rows + stride * (header.height + 1);
         row += stride)
        if (!Unfilter(row[0], row + 1, row + 1 - stride, stride - 1, header.FilterStep()))
            return false;
    return true;
}

// The undone rows drawn from the first pixel on, into memory that may be where they lie
// themselves (see OpaquePixels).
bool Drawn(const TLayout& layout, const std::uint8_t* rows, std::uint32_t* out) {
    const THeader& header = layout.header;
    const qsizetype stride = 1 + header.RowBytes();
    const TColours table = Colours(layout);
    for (int y = 0; y < header.height; ++y, out += header.width) {
        const std::uint8_t* samples = rows + (y + 1) * stride + 1;
        if (header.colour == kRgb)
            RgbRow(samples, header.width, out);
        else if (!IndexedRow(samples, header.width, header.depth, table, out))
            return false;
    }
    return true;
}

} // namespace

namespace PngReader {

std::optional<TRgbPicture> OpaquePixels(QByteArrayView file, int maxWidth, int maxHeight) {
    const std::optional<TLayout> layout = Walk(file, maxWidth, maxHeight);
    if (!layout)
        return std::nullopt;
    const THeader& header = layout->header;
    const qsizetype stride = 1 + header.RowBytes();
    const qsizetype rowsSize = stride * (qsizetype(header.height) + 1);
    const qsizetype count = qsizetype(header.width) * header.height;
    // The rows (after a row of zeros, what the filters see above the first) are inflated into the
    // end of the pixels' own memory and drawn from the front: no pixel takes fewer bytes than its
    // samples, so no pixel written reaches the samples of one still to come, and the picture
    // touches no more memory than its pixels take (a start-up pays for every page it touches).
    TRgbPicture picture{header.width, header.height, {}};
    picture.pixels.resize(std::size_t(std::max(count, (rowsSize + 3) / 4)));
    auto* rows = reinterpret_cast<std::uint8_t*>(picture.pixels.data()) +
                 (qsizetype(picture.pixels.size()) * 4 - rowsSize);
    if (!Inflate(file, layout->firstData, rows + stride, rowsSize - stride) ||
        !Unfiltered(header, rows) || !Drawn(*layout, rows, picture.pixels.data()))
        return std::nullopt;
    picture.pixels.resize(std::size_t(count));
    return picture;
}

} // namespace PngReader
