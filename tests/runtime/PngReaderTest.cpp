#include "runtime/PngReader.h"
#include "runtime/DecodedBitmap.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"
#include "tests/ZeroPng.h"

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kMaxWidth = 1024;
constexpr int kMaxHeight = 768;
const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);

// A picture for the writer below: its header's fields, the palette entries it has, the filter
// each row is written with (in turn), and how many image data chunks carry its stream.
struct TSample {
    int width = 1;
    int height = 1;
    int depth = 8;
    int colour = 2;
    int entries = 0;
    std::vector<int> filters = {0};
    int pieces = 1;
    int interlace = 0;

    int Step() const { return colour == 2 ? 3 * depth / 8 : std::max(depth / 8, 1); }
    qsizetype RowBytes() const {
        return (qsizetype(width) * (colour == 2 ? 3 : 1) * depth + 7) / 8;
    }
};

QByteArray Header(const TSample& sample) {
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(quint32(sample.width), header.data());
    qToBigEndian<quint32>(quint32(sample.height), header.data() + 4);
    header[8] = char(sample.depth);
    header[9] = char(sample.colour);
    header[12] = char(sample.interlace);
    return PngChunk("IHDR", header);
}

QByteArray Palette(int entries) {
    QByteArray rgb;
    for (int entry = 0; entry < entries; ++entry)
        rgb.append(char(entry * 37)).append(char(255 - entry)).append(char(entry * entry));
    return PngChunk("PLTE", rgb);
}

// Samples that change along and down the rows, smoothly and with a little noise (so that every
// Paeth choice, ties included, comes up), every value below `levels`, packed from each byte's
// high bits down; the unused bits at a row's end are ones.
QByteArray RawRows(const TSample& sample) {
    const int values = sample.width * (sample.colour == 2 ? 3 : 1);
    const int levels = sample.entries ? sample.entries : 1 << std::min(sample.depth, 8);
    QByteArray rows;
    for (int y = 0; y < sample.height; ++y) {
        QByteArray row(sample.RowBytes(), '\xFF');
        for (int i = 0; i < values; ++i) {
            const unsigned noise = (unsigned(i) * 2654435761u ^ unsigned(y) * 40503u) >> 27;
            const int value = int(i * 7 + y * 11 + (i * y) % 13 + noise) % levels;
            const int bit = i * sample.depth;
            if (sample.depth >= 8) {
                row[bit / 8] = char(value);
                continue;
            }
            const int shift = 8 - sample.depth - bit % 8;
            row[bit / 8] =
                char((row[bit / 8] & ~(((1 << sample.depth) - 1) << shift)) | value << shift);
        }
        rows += row;
    }
    return rows;
}

int Predicted(int filter, int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    switch (filter) {
    case 1:
        return a;
    case 2:
        return b;
    case 3:
        return (a + b) / 2;
    case 4:
        return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    default:
        return 0;
    }
}

// Each row behind its filter byte, filtered against the row before it.
QByteArray Filtered(const TSample& sample, const QByteArray& raw) {
    const qsizetype bytes = sample.RowBytes();
    const int step = sample.Step();
    QByteArray out;
    const QByteArray zeros(bytes, '\0');
    for (int y = 0; y * bytes < raw.size(); ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(raw.constData() + y * bytes);
        const auto* prior = y ? row - bytes : reinterpret_cast<const std::uint8_t*>(zeros.data());
        const int filter = sample.filters[y % sample.filters.size()];
        out += char(filter);
        for (qsizetype i = 0; i < bytes; ++i) {
            const int a = i >= step ? row[i - step] : 0, c = i >= step ? prior[i - step] : 0;
            out += char(row[i] - Predicted(filter, a, prior[i], c));
        }
    }
    return out;
}

// `bytes` as a zlib stream whose window is 2^`windowBits` bytes.
QByteArray Deflated(const QByteArray& bytes, int windowBits = 15) {
    z_stream zip{};
    deflateInit2(&zip, 9, Z_DEFLATED, windowBits, 9, Z_DEFAULT_STRATEGY);
    QByteArray packed(qsizetype(deflateBound(&zip, uLong(bytes.size()))), '\0');
    zip.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    zip.avail_in = uInt(bytes.size());
    zip.next_out = reinterpret_cast<Bytef*>(packed.data());
    zip.avail_out = uInt(packed.size());
    deflate(&zip, Z_FINISH);
    packed.truncate(qsizetype(zip.total_out));
    deflateEnd(&zip);
    return packed;
}

// The stream cut into `pieces` image data chunks of about the same size.
QByteArray DataChunks(const QByteArray& stream, int pieces) {
    QByteArray chunks;
    const qsizetype piece = stream.size() / pieces + 1;
    for (qsizetype at = 0; at < stream.size(); at += piece)
        chunks += PngChunk("IDAT", stream.mid(at, piece));
    return chunks;
}

QByteArray Stream(const TSample& sample) {
    return Deflated(Filtered(sample, RawRows(sample)));
}

// `notes` go between the palette and the image data.
QByteArray Png(const TSample& sample, const QByteArray& notes = {}) {
    return kSignature + Header(sample) + (sample.entries ? Palette(sample.entries) : "") + notes +
           DataChunks(Stream(sample), sample.pieces) + PngChunk("IEND", {});
}

std::optional<TRgbPicture> Read(const QByteArray& file) {
    return PngReader::OpaquePixels(file, kMaxWidth, kMaxHeight);
}

// Our pixels against those Qt's reader gives the same bytes through the full path.
void ExpectQtsPixels(const QByteArray& file, const std::string& what) {
    const std::optional<TRgbPicture> ours = Read(file);
    ASSERT_TRUE(ours) << what;
    TDecodedBitmap bitmap("png", "PNG");
    bitmap.LoadFromBytes(file);
    const QImage qt = bitmap.Image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(ours->width, qt.width()) << what;
    ASSERT_EQ(ours->height, qt.height()) << what;
    for (int y = 0; y < qt.height(); ++y)
        for (int x = 0; x < qt.width(); ++x)
            ASSERT_EQ(ours->pixels[std::size_t(y) * ours->width + x], qt.pixel(x, y))
                << what << " at " << x << ", " << y;
}

std::string Named(const TSample& sample) {
    return "colour " + std::to_string(sample.colour) + " depth " + std::to_string(sample.depth) +
           " entries " + std::to_string(sample.entries) + " width " + std::to_string(sample.width);
}

// The kinds read: grey at every depth, RGB, and palettes full and partly used.
std::vector<TSample> Kinds() {
    std::vector<TSample> kinds;
    for (const int depth : {1, 2, 4, 8})
        kinds.push_back({.depth = depth, .colour = 0});
    kinds.push_back({.depth = 8, .colour = 2});
    for (const auto& [depth, entries] : std::vector<std::pair<int, int>>{
             {1, 2}, {1, 1}, {2, 4}, {2, 3}, {4, 16}, {4, 5}, {8, 256}, {8, 200}})
        kinds.push_back({.depth = depth, .colour = 3, .entries = entries});
    return kinds;
}

} // namespace

// Every row filter in every row position, rows ending mid-byte, the stream across several
// chunks.
TEST(PngReader, EveryKindItReadsGivesThePixelsQtGives) {
    for (TSample sample : Kinds())
        for (const auto& [width, height] : std::vector<std::pair<int, int>>{
                 {1, 7}, {3, 7}, {7, 7}, {13, 7}, {33, 7}, {1, 1}, {70, 1}, {2, 40}}) {
            sample.width = width;
            sample.height = height;
            sample.filters = {width % 5, (width + 1) % 5, (width + 2) % 5, (width + 3) % 5,
                              (width + 4) % 5};
            sample.pieces = width % 3 + 1;
            ExpectQtsPixels(Png(sample), Named(sample));
        }
    TSample photo{.width = 640, .height = 480, .filters = {4}, .pieces = 5};
    ExpectQtsPixels(Png(photo), "640 × 480 RGB, every row Paeth");
}

TEST(PngReader, PicturesMadeElsewhereGiveThePixelsQtGives) {
    ExpectQtsPixels(TestData("pictures/logo.png"), "1-bit grey with notes around the pixels");
    ExpectQtsPixels(TestData("pictures/large.png"), "2-bit palette");
    EXPECT_FALSE(Read(TestData("pictures/truncated.png")));
    EXPECT_FALSE(Read(TestData("pictures/alpha.png")));
}

TEST(PngReader, ChunksBesideTheDrawingAreSkippedAndBytesAfterTheEndIgnored) {
    TSample sample{.width = 9,
                   .height = 5,
                   .depth = 4,
                   .colour = 3,
                   .entries = 11,
                   .filters = {1, 2, 3, 4, 0}};
    const QByteArray notes = PngChunk("gAMA", QByteArray("\0\0\xB1\x8F", 4)) +
                             PngChunk("tEXt", "Title\0Logo") + PngChunk("vpAg", "unknown") +
                             PngChunk("Xbcd", "critical but unknown");
    QByteArray file = kSignature + Header(sample) + PngChunk("tIME", QByteArray(7, '\1')) +
                      Palette(11) + notes + DataChunks(Stream(sample), 3) +
                      PngChunk("zTXt", "after the pixels") + PngChunk("IEND", {});
    ExpectQtsPixels(file, "notes everywhere");
    QByteArray badNote = PngChunk("tEXt", "past the end");
    badNote[badNote.size() - 1] = char(badNote.back() ^ 1);
    ExpectQtsPixels(file + "trailing bytes" + badNote, "anything after the end");
    const QByteArray stream = Stream(sample);
    ExpectQtsPixels(kSignature + Header(sample) + Palette(11) + PngChunk("IDAT", stream.first(10)) +
                        PngChunk("IDAT", {}) + PngChunk("IDAT", stream.sliced(10)) +
                        PngChunk("IEND", {}),
                    "an empty image data chunk within the run");
}

TEST(PngReader, PicturesWithinTheLimitsAreReadAndLargerOnesRefusedOnTheirHeader) {
    ExpectQtsPixels(Png({.width = kMaxWidth, .height = kMaxHeight, .filters = {1, 2}}),
                    "at the limits");
    EXPECT_FALSE(Read(Png({.width = kMaxWidth + 1, .height = 2})));
    EXPECT_FALSE(Read(Png({.width = 2, .height = kMaxHeight + 1})));
    EXPECT_FALSE(PngReader::OpaquePixels(Png({.width = 4, .height = 4}), 3, 4));
    EXPECT_FALSE(PngReader::OpaquePixels(Png({.width = 4, .height = 4}), 4, 0));
    TSample huge{.width = 100000, .height = 100000};
    const QByteArray claim =
        kSignature + Header(huge) + PngChunk("IDAT", Deflated("\0\0\0\0")) + PngChunk("IEND", {});
    std::optional<memory_limit::Scope> limit;
    if (memory_limit::Enforceable())
        limit.emplace(16 * memory_limit::MB);
    EXPECT_FALSE(Read(claim)) << "a tiny file claiming forty gigabytes of pixels";
}

TEST(PngReader, DamagedFilesAreRefused) {
    const TSample sample{.width = 5, .height = 4, .filters = {0, 1, 2, 4}};
    const QByteArray head = kSignature + Header(sample);
    const QByteArray rows = Filtered(sample, RawRows(sample));
    const QByteArray end = PngChunk("IEND", {});
    const QByteArray good = head + DataChunks(Deflated(rows), 2) + end;
    ASSERT_TRUE(Read(good));
    // The checksums of the header, the last image data chunk and the end, and of a note.
    for (const qsizetype flipped : {qsizetype(30), good.size() - 14, good.size() - 1})
        EXPECT_FALSE(Read(QByteArray(good).replace(flipped, 1, QByteArray(1, good[flipped] ^ 4))))
            << "checksum broken at " << flipped;
    QByteArray note = PngChunk("tEXt", "a");
    note[note.size() - 1] = char(note.back() ^ 1);
    EXPECT_FALSE(Read(head + note + good.sliced(head.size())));
    for (qsizetype size = 0; size < good.size(); size += 7)
        EXPECT_FALSE(Read(good.first(size))) << "cut at " << size;
    QByteArray overstated = good;
    qToBigEndian<quint32>(0xFFFFFFF0u, overstated.data() + head.size());
    EXPECT_FALSE(Read(overstated)) << "a chunk claiming more than the file";
    EXPECT_FALSE(Read(head + PngChunk("IDAT", Deflated(rows.chopped(1))) + end)) << "short";
    EXPECT_FALSE(Read(head + PngChunk("IDAT", Deflated(rows + '\0')) + end)) << "too much";
    EXPECT_FALSE(Read(head + PngChunk("IDAT", Deflated(rows) + "x") + end)) << "after the end";
    EXPECT_FALSE(Read(head + PngChunk("IDAT", Deflated(rows)) + PngChunk("IDAT", "x") + end));
    EXPECT_FALSE(Read(head + PngChunk("IDAT", Deflated(rows)) + PngChunk("tEXt", "a") +
                      PngChunk("IDAT", "x") + end))
        << "image data after a note after the stream's end";
    EXPECT_FALSE(Read(head + PngChunk("IDAT", Deflated(rows).chopped(4)) + end)) << "no Adler";
    EXPECT_FALSE(Read(head + DataChunks(Deflated(rows).chopped(4), 2) + PngChunk("tEXt", "a") +
                      PngChunk("IDAT", Deflated(rows).right(4)) + end))
        << "image data broken up";
    EXPECT_FALSE(
        Read(head + PngChunk("IDAT", Deflated(QByteArray(rows).replace(0, 1, "\5"))) + end))
        << "filter 5";
    EXPECT_FALSE(Read(kSignature + PngChunk("tEXt", "a") + good.mid(8))) << "header not first";
    EXPECT_FALSE(Read(head + Header(sample) + good.mid(head.size()))) << "two headers";
    EXPECT_FALSE(Read(head + end)) << "no image data";
    EXPECT_FALSE(Read(good.chopped(end.size()))) << "no end";
    EXPECT_FALSE(Read(good.chopped(end.size()) + PngChunk("IEND", "x")));
    QByteArray longHeader = kSignature + PngChunk("IHDR", Header(sample).mid(8, 13) + '\0');
    EXPECT_FALSE(Read(longHeader + good.mid(head.size())));
}

TEST(PngReader, KindsLeftToQtAreRefused) {
    const TSample palette{.width = 6, .height = 3, .depth = 4, .colour = 3, .entries = 9};
    for (const TSample& other :
         {TSample{.depth = 16, .colour = 0}, TSample{.depth = 16, .colour = 2},
          TSample{.colour = 4}, TSample{.colour = 6}, TSample{.depth = 4, .colour = 2},
          TSample{.depth = 16, .colour = 3, .entries = 2}, TSample{.colour = 1},
          TSample{.width = 8, .height = 8, .interlace = 1}})
        EXPECT_FALSE(Read(Png(other))) << Named(other);
    for (const TSample& kind : {TSample{.depth = 8, .colour = 0}, TSample{}, palette})
        EXPECT_FALSE(Read(Png(kind, PngChunk("tRNS", QByteArray(kind.colour ? 6 : 2, '\0')))))
            << Named(kind);
    const QByteArray data = DataChunks(Stream(palette), 1) + PngChunk("IEND", {});
    const QByteArray head = kSignature + Header(palette);
    for (const int method : {10, 11}) {
        QByteArray fields = head.sliced(16, 13);
        fields[method] = 1;
        EXPECT_FALSE(Read(kSignature + PngChunk("IHDR", fields) + Palette(9) + data))
            << "compression or filter method 1";
    }
    EXPECT_FALSE(Read(head + data)) << "no palette";
    EXPECT_FALSE(Read(head + Palette(9) + Palette(9) + data));
    EXPECT_FALSE(Read(head + Palette(17) + data)) << "more entries than 4 bits name";
    EXPECT_FALSE(Read(head + PngChunk("PLTE", QByteArray(28, '\1')) + data));
    EXPECT_FALSE(Read(head + PngChunk("PLTE", {}) + data));
    EXPECT_FALSE(Read(head + Palette(8) + data)) << "a pixel names entry 8";
    EXPECT_FALSE(Read(head + data.chopped(12) + Palette(9) + PngChunk("IEND", {})));
    EXPECT_FALSE(Read(Png(TSample{.colour = 2}, Palette(3)))) << "a suggested palette";
    EXPECT_FALSE(Read(Png(TSample{.depth = 8, .colour = 0}, Palette(3))));
}

// Inflated in one go, a stream may reach back further than the window its header declares
// without zlib noticing; only a window that holds all the rows is taken at its word.
TEST(PngReader, AStreamDeclaringASmallWindowIsReadOnlyWhenItHoldsAllTheRows) {
    const TSample fits{.width = 40, .height = 4, .filters = {4, 1}};
    const QByteArray head = kSignature + Header(fits);
    const QByteArray end = PngChunk("IEND", {});
    const QByteArray rows = Filtered(fits, RawRows(fits));
    ASSERT_LE(rows.size(), 512);
    ExpectQtsPixels(head + PngChunk("IDAT", Deflated(rows, 9)) + end, "a 512-byte window");
    const TSample larger{.width = 40, .height = 5, .filters = {4, 1}};
    EXPECT_FALSE(Read(kSignature + Header(larger) +
                      PngChunk("IDAT", Deflated(Filtered(larger, RawRows(larger)), 9)) + end));
    EXPECT_FALSE(Read(head + PngChunk("IDAT", {}) + PngChunk("IDAT", Deflated(rows)) + end))
        << "the stream's header in a later chunk";
}
