#include "runtime/PngChunks.h"
#include "runtime/DecodedBitmap.h"
#include "runtime/Exception.h"
#include "tests/ZeroPng.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);

// A 2 × 1 palette picture: index 0 a see-through red, index 1 opaque white.
QByteArray PaletteHeader() {
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(2, header.data());
    qToBigEndian<quint32>(1, header.data() + 4);
    header[8] = 8;
    header[9] = 3;
    return PngChunk("IHDR", header) + PngChunk("PLTE", QByteArray("\xFF\0\0\xFF\xFF\xFF", 6)) +
           PngChunk("tRNS", QByteArray(1, '\0'));
}

QByteArray PaletteRows() {
    const QByteArray row("\0\0\1", 3);
    QByteArray packed(64, '\0');
    uLongf size = packed.size();
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(row.constData()), row.size());
    packed.truncate(qsizetype(size));
    return PngChunk("IDAT", packed);
}

// A compressed text chunk that inflates to `bytes` zeros.
QByteArray CompressedText(qsizetype bytes) {
    const QByteArray zeros(bytes, '\0');
    QByteArray packed(bytes / 100 + 1024, '\0');
    uLongf size = packed.size();
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(zeros.constData()), zeros.size());
    packed.truncate(qsizetype(size));
    return PngChunk("zTXt", QByteArray("Comment\0\0", 9) + packed);
}

QByteArray Overstated(const char* type, quint32 claimed) {
    QByteArray chunk = PngChunk(type, "abc");
    qToBigEndian<quint32>(claimed, chunk.data());
    return chunk;
}

} // namespace

TEST(PngChunks, APictureIsDrawnFromItsPixelChunksAloneAndLooksTheSame) {
    const QByteArray plain = kSignature + PaletteHeader() + PaletteRows() + PngChunk("IEND", {});
    const QByteArray noted = kSignature + PaletteHeader() + PngChunk("tEXt", "Title\0Logo") +
                             CompressedText(64 << 20) + PaletteRows() +
                             PngChunk("tIME", QByteArray(7, '\1')) + PngChunk("IEND", {}) +
                             "trailing bytes";
    EXPECT_EQ(PngChunks::Drawn(noted), plain);
    EXPECT_EQ(PngChunks::Drawn(plain), plain);
    EXPECT_EQ(PngChunks::Drawn(plain + "trailing bytes"), plain);
    EXPECT_EQ(PngChunks::Drawn(kSignature + PaletteHeader() + PaletteRows() +
                               PngChunk("tEXt", "Title\0Logo") + PngChunk("IEND", {})),
              plain)
        << "a note after the pixels";
    TDecodedBitmap bitmap("png", "PNG");
    bitmap.LoadFromBytes(noted);
    EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(0, 0, 0)) << "see-through red shows black";
    EXPECT_EQ(bitmap.Image().pixel(1, 0), qRgb(255, 255, 255));
}

// libpng sets aside what a chunk's length claims before reading it: two gigabytes for these.
TEST(PngChunks, AChunkClaimingMoreThanTheFileHoldsRefusesTheFile) {
    for (const char* type : {"tEXt", "IDAT", "iCCP"}) {
        const QByteArray file = kSignature + PaletteHeader() + Overstated(type, 0x7E000026) +
                                PaletteRows() + PngChunk("IEND", {});
        EXPECT_EQ(PngChunks::Drawn(file), std::nullopt) << type;
        TDecodedBitmap bitmap("png", "PNG");
        EXPECT_THROW(bitmap.LoadFromBytes(file), Exception) << type;
    }
    const QByteArray whole = kSignature + PaletteHeader() + PaletteRows() + PngChunk("IEND", {});
    EXPECT_EQ(PngChunks::Drawn(whole.chopped(1)), std::nullopt) << "end chunk cut short";
    EXPECT_EQ(PngChunks::Drawn(whole.left(whole.size() - 12)), std::nullopt) << "no end chunk";
    EXPECT_EQ(PngChunks::Drawn(kSignature + PaletteRows() + PaletteHeader() + PngChunk("IEND", {})),
              std::nullopt)
        << "header not first";
    EXPECT_EQ(PngChunks::Drawn(kSignature), std::nullopt);
}
