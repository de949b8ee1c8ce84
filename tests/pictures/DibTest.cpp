#include "tests/pictures/PictureTesting.h"

#include "pictures/Dib.h"

#include <QBuffer>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Le(qint64 value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

// A 40-byte info header; `extra` (masks, colours, rows) follows it.
QByteArray Info(int width, int height, int bits, int compression = 0, int colors = 0) {
    return Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(bits, 2) + Le(compression, 4) +
           Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(colors, 4) + Le(0, 4);
}

QImage Packed(const QByteArray& dib) {
    return Dib::DecodePacked(TByteView(dib));
}

// Blue, red, lime, then black for the rest of a table.
QByteArray Colours(int count) {
    QByteArray table = QByteArray::fromHex("ff000000"
                                           "0000ff00"
                                           "00ff0000");
    table.resize(4 * count, '\0');
    return table;
}

} // namespace

TEST(Dib, IndexedDepthsReadTheirBitsFromTheHighEnd) {
    // 2 × 2, bottom row stored first, each row padded to four bytes.
    const QImage four = Packed(Info(2, 2, 4, 0, 16) + Colours(16) +
                               QByteArray::fromHex("01000000"
                                                   "20000000"));
    ASSERT_EQ(four.size(), QSize(2, 2));
    EXPECT_EQ(four.pixel(0, 0), kLime);
    EXPECT_EQ(four.pixel(1, 0), kBlue);
    EXPECT_EQ(four.pixel(0, 1), kBlue);
    EXPECT_EQ(four.pixel(1, 1), kRed);
    const QImage one = Packed(Info(3, 1, 1) + Colours(2) + QByteArray::fromHex("a0000000"));
    EXPECT_EQ(one.pixel(0, 0), kRed);
    EXPECT_EQ(one.pixel(1, 0), kBlue);
    EXPECT_EQ(one.pixel(2, 0), kRed);
    // Index 9 lies past the three colours the table holds.
    const QImage eight = Packed(Info(2, 1, 8, 0, 3) + Colours(3) + QByteArray::fromHex("02090000"));
    EXPECT_EQ(eight.pixel(0, 0), kLime);
    EXPECT_EQ(eight.pixel(1, 0), kBlack);
}

TEST(Dib, WideDepthsAndTheirMasks) {
    EXPECT_EQ(Packed(Info(1, 1, 16) + Le(0x7C00, 2) + Le(0, 2)).pixel(0, 0), kRed) << "5-5-5";
    const QByteArray masks565 = Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4);
    EXPECT_EQ(Packed(Info(1, 1, 16, 3) + masks565 + Le(0x07E0, 2) + Le(0, 2)).pixel(0, 0), kLime)
        << "5-6-5 masks after the header";
    EXPECT_EQ(Packed(Info(1, 1, 24) + QByteArray::fromHex("ff000000")).pixel(0, 0), kBlue);
    EXPECT_EQ(Packed(Info(1, 1, 32) + QByteArray::fromHex("0000ff00")).pixel(0, 0), kRed)
        << "the fourth byte is no alpha for a metafile";
    const QByteArray masks32 = Le(0xFF, 4) + Le(0xFF00, 4) + Le(0xFF0000, 4);
    EXPECT_EQ(Packed(Info(1, 1, 32, 3) + masks32 + QByteArray::fromHex("ff000000")).pixel(0, 0),
              kRed);
}

TEST(Dib, TopDownRowsCoreHeadersAndSeparateHeaders) {
    const QImage topDown = Packed(Info(1, -2, 24) + QByteArray::fromHex("0000ff00"
                                                                        "ff000000"));
    EXPECT_EQ(topDown.pixel(0, 0), kRed);
    EXPECT_EQ(topDown.pixel(0, 1), kBlue);
    // The 12-byte header with three-byte colours.
    const QByteArray core = Le(12, 4) + Le(2, 2) + Le(1, 2) + Le(1, 2) + Le(1, 2) +
                            QByteArray::fromHex("0000ff"
                                                "00ff00") +
                            QByteArray::fromHex("40000000");
    const QImage coreImage = Packed(core);
    EXPECT_EQ(coreImage.pixel(0, 0), kRed);
    EXPECT_EQ(coreImage.pixel(1, 0), kLime);
    const QByteArray header = Info(1, 1, 24);
    const QByteArray rows = QByteArray::fromHex("00ff0000");
    EXPECT_EQ(Dib::Decode(TByteView(header), TByteView(rows)).pixel(0, 0), kLime);
}

TEST(Dib, EmbeddedPngIsRead) {
    QImage png(3, 2, QImage::Format_RGB32);
    png.fill(kLime);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    const QImage image = Dib::Decode(TByteView(Info(3, 2, 0, 5)), TByteView(buffer.data()));
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixel(2, 1), kLime);
}

TEST(Dib, RefusesWhatItCannotReadWithoutAllocating) {
    EXPECT_TRUE(Packed(Info(2, 2, 24) + QByteArray(8, '\0')).isNull()) << "second row missing";
    EXPECT_TRUE(Packed(Info(100000, 100000, 1) + Colours(2) + QByteArray(64, '\0')).isNull())
        << "more pixels than allowed";
    EXPECT_TRUE(Packed(Info(2, 2, 8, 1, 2) + Colours(2) + QByteArray(16, '\0')).isNull())
        << "run-length compression";
    EXPECT_TRUE(Packed(Info(2, 2, 7) + QByteArray(16, '\0')).isNull()) << "7 bits";
    EXPECT_TRUE(Packed(Info(2, 2, 8, 0, 300) + QByteArray(1300, '\0')).isNull())
        << "more colours than 8 bits index";
    EXPECT_TRUE(Packed(Le(30, 4) + QByteArray(40, '\0')).isNull()) << "unknown header size";
    EXPECT_TRUE(Packed(Info(0, 2, 24)).isNull()) << "no width";
    EXPECT_TRUE(Packed(QByteArray(3, '\0')).isNull()) << "cut in the header";
}
