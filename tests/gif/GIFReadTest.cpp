// Reading GIF files: the fields each block gives, the damage we tolerate and the failures we
// report.

#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "tests/TestDir.h"
#include "tests/gif/GIFBuilder.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

void LoadFixture(TGIFImage& image, const QString& name) {
    image.LoadFromBytes(TestData("gif/" + name));
}

enum class Reading { Tolerant, Strict };

// The message a load fails with, or "" when it does not fail.
QString LoadFailure(const QByteArray& bytes, Reading reading = Reading::Tolerant) {
    TGIFImage image;
    image.SetSettings({.TolerateCorruptData = reading == Reading::Tolerant});
    try {
        image.LoadFromBytes(bytes);
    } catch (const Exception& failure) {
        return failure.Message();
    }
    return {};
}

std::vector<int> Delays(const TGIFImage& image) {
    std::vector<int> delays;
    for (int i = 0; i < image.Count(); ++i)
        delays.push_back(image.Frames(i).Delay());
    return delays;
}

std::vector<int> Disposals(const TGIFImage& image) {
    std::vector<int> disposals;
    for (int i = 0; i < image.Count(); ++i)
        disposals.push_back(image.Frames(i).Disposal());
    return disposals;
}

// A 4 × 2 image of 16 colours whose pixels are 0..7.
QByteArray Pixels() {
    return QByteArray("\0\1\2\3\4\5\6\7", 8);
}

TGIFBuilder Screen16() {
    return std::move(TGIFBuilder().Screen(4, 2, 4));
}

// Codes packed as a decoder reads them: widths grow as its table fills, from the minimum code
// size + 1, and restart after a clear code.
QByteArray PackCodes(int minimumSize, const std::vector<int>& codes) {
    const int clear = 1 << minimumSize;
    int freeCode = clear + 2;
    int width = minimumSize + 1;
    bool first = true;
    QByteArray bytes;
    quint32 buffer = 0;
    int count = 0;
    for (const int code : codes) {
        buffer |= quint32(code) << count;
        for (count += width; count >= 8; count -= 8, buffer >>= 8)
            bytes.append(static_cast<char>(buffer & 0xFF));
        if (code == clear) {
            freeCode = clear + 2;
            width = minimumSize + 1;
            first = true;
            continue;
        }
        if (!first && freeCode < 4096 && ++freeCode == 1 << width && width < 12)
            ++width;
        first = false;
    }
    if (count > 0)
        bytes.append(static_cast<char>(buffer & 0xFF));
    QByteArray data(1, static_cast<char>(minimumSize));
    for (qsizetype at = 0; at < bytes.size(); at += 255) {
        const QByteArray block = bytes.mid(at, 255);
        data.append(static_cast<char>(block.size()));
        data.append(block);
    }
    return data + '\0';
}

} // namespace

TEST(GIFRead, SmallAnimationKeepsEveryField) {
    TGIFImage image;
    LoadFixture(image, "animation-16.gif");
    ASSERT_EQ(image.Count(), 6);
    EXPECT_EQ(image.CurrentIndex(), 0);
    EXPECT_TRUE(image.Frames(0).HasBitmap());
    EXPECT_FALSE(image.Frames(1).HasBitmap());
    EXPECT_EQ(image.Version(), TGIFVersion::gv89a);
    EXPECT_EQ(image.ScreenWidth(), 24);
    EXPECT_EQ(image.ScreenHeight(), 32);
    EXPECT_TRUE(image.Looping());
    EXPECT_EQ(image.RepeatCount(), 0);
    EXPECT_EQ(image.Comment(), QByteArrayList{"Varnel"});
    EXPECT_EQ(Delays(image), (std::vector<int>{10, 300, 300, 100, 100, 100}));
    EXPECT_EQ(Disposals(image), (std::vector<int>{0, 0, 1, 0, 0, 0}));
    EXPECT_TRUE(image.Frames(5).Interlaced());
    EXPECT_FALSE(image.Transparent());
    EXPECT_EQ(image.Width(), 24);
    EXPECT_EQ(image.Frames(0).Bitmap().PixelFormat(), TPixelFormat::pf8bit);
}

TEST(GIFRead, TransparentAnimationKeepsEveryField) {
    TGIFImage image;
    LoadFixture(image, "animation-256.gif");
    ASSERT_EQ(image.Count(), 4);
    EXPECT_EQ(image.RepeatCount(), 1000);
    EXPECT_EQ(image.Frames(0).Comment(), QByteArrayList{"about"});
    EXPECT_TRUE(image.Comment().isEmpty());
    EXPECT_EQ(Delays(image), (std::vector<int>{20, 20, 20, 10}));
    EXPECT_EQ(Disposals(image), (std::vector<int>{2, 2, 2, 2}));
    // gifsicle gives frames 1 to 3 tables of their own, with black at the transparent index.
    EXPECT_EQ(image.Frames(0).TransparentColor(), clWhite);
    EXPECT_FALSE(image.Frames(0).LocalColors());
    EXPECT_EQ(image.Frames(3).TransparentColor(), clBlack);
    EXPECT_TRUE(image.Frames(3).LocalColors());
    EXPECT_TRUE(image.Transparent());
    image.SetTransparent(false);
    EXPECT_FALSE(image.Transparent());
}

TEST(GIFRead, ToolFilesOfEveryKind) {
    TGIFImage image;
    LoadFixture(image, "disposal.gif");
    EXPECT_EQ(Disposals(image), (std::vector<int>{0, 1, 2, 3}));
    // Seventy seconds does not fit 16 bits of milliseconds: it stays the longest delay there is.
    LoadFixture(image, "delays.gif");
    EXPECT_EQ(Delays(image), (std::vector<int>{0, 50, 65535}));
    LoadFixture(image, "looping.gif");
    EXPECT_EQ(image.RepeatCount(), 5);
    LoadFixture(image, "local-tables.gif");
    EXPECT_EQ(image.Frames(0).LocalColors(), false);
    EXPECT_EQ(image.Frames(2).LocalColors(), true);
    EXPECT_EQ(image.Frames(2).Item().Bits, 8);
    LoadFixture(image, "comments-after.gif");
    EXPECT_EQ(image.Frames(0).Comment(), QByteArrayList{"before frame 0"});
    EXPECT_EQ(image.Frames(1).Comment(), QByteArrayList{"before frame 1"});
    EXPECT_EQ(image.Comment(), (QByteArrayList{"after", "\r\n\r\n", "second"}));
    LoadFixture(image, "uppercase.gif");
    EXPECT_EQ(image.Count(), 1);
    for (const char* name : {"no-trailer.gif", "zero-bytes.gif"}) {
        LoadFixture(image, name);
        EXPECT_EQ(image.Count(), 3) << name;
    }
    EXPECT_EQ(LoadFailure(TestData("gif/unknown-extension.gif")),
              "Unrecognized extension block: 02");
}

TEST(GIFRead, ImageCutInsideASubBlockKeepsEveryFrame) {
    TGIFImage image;
    LoadFixture(image, "cut-in-subblock.gif");
    ASSERT_EQ(image.Count(), 3);
    EXPECT_FALSE(image.Frames(1).Corrupted());
    EXPECT_TRUE(image.Frames(2).Corrupted());
    // What the data held is there; the rest of the frame is index 0.
    const QImage& pixels = image.Frames(2).Bitmap().Image();
    EXPECT_EQ(pixels.size(), QSize(48, 40));
    EXPECT_EQ(pixels.pixelIndex(47, 39), 0);

    EXPECT_EQ(LoadFailure(TestData("gif/cut-in-subblock.gif"), Reading::Strict),
              "Stream read error");
}

TEST(GIFRead, ScreenAndColourFields) {
    TGIFImage image;
    image.LoadFromBytes(
        TGIFBuilder("GIF87a").Screen(4, 2, 2, 3).Image(4, 2, Compressed(Pixels(), 4, 2)).Bytes());
    EXPECT_EQ(image.Version(), TGIFVersion::gv87a);
    EXPECT_EQ(image.BackgroundColor(), FromQRgb(TGIFBuilder::Entry(3)));
    image.LoadFromBytes(
        TGIFBuilder().Screen(4, 2, 2, 4).Image(4, 2, Compressed(Pixels(), 4, 2)).Bytes());
    EXPECT_EQ(image.BackgroundColor(), clNone);
    // A size of 0 is the logical screen's.
    image.LoadFromBytes(
        TGIFBuilder().Screen(4, 2, 4).Image(0, 0, Compressed(Pixels(), 4, 4)).Bytes());
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(Indices(image.Frames(0).Bitmap().Image()), Pixels());
}

TEST(GIFRead, GraphicControlsBeforeOneImage) {
    TGIFImage image;
    const QByteArray data = Compressed(Pixels(), 4, 4);
    image.LoadFromBytes(
        Screen16().GraphicControl(5, 2, 1).GraphicControl(3, -1, 2).Image(4, 2, data).Bytes());
    EXPECT_EQ(image.Frames(0).Delay(), 50);
    EXPECT_EQ(image.Frames(0).Disposal(), 2);
    EXPECT_EQ(image.Frames(0).TransparentColor(), clNone);
    // An index past the table leaves the colour as it was.
    image.LoadFromBytes(
        Screen16().GraphicControl(0, 3).GraphicControl(0, 255).Image(4, 2, data).Bytes());
    EXPECT_EQ(image.Frames(0).Delay(), 0);
    EXPECT_EQ(image.Frames(0).TransparentColor(), FromQRgb(TGIFBuilder::Entry(3)));
    image.LoadFromBytes(Screen16().GraphicControl(0, 255).Image(4, 2, data).Bytes());
    EXPECT_EQ(image.Frames(0).TransparentColor(), clNone);
    // Plain text takes the graphic control before it along.
    image.LoadFromBytes(Screen16().GraphicControl(7, 3, 2).PlainText().Image(4, 2, data).Bytes());
    EXPECT_EQ(image.Frames(0).Delay(), 0);
    EXPECT_EQ(image.Frames(0).TransparentColor(), clNone);
    EXPECT_EQ(image.Frames(0).Disposal(), 0);
    EXPECT_TRUE(image.Frames(0).Extensions().empty());
}

TEST(GIFRead, LoopingExtensions) {
    const QByteArray data = Compressed(Pixels(), 4, 4);
    const auto loopOf = [&](const QByteArray& identifier, const QByteArray& block) {
        TGIFImage image;
        image.LoadFromBytes(Screen16().Application(identifier, block).Image(4, 2, data).Bytes());
        return std::pair(image.Looping(), int(image.RepeatCount()));
    };
    EXPECT_EQ(loopOf("NETSCAPE2.0", QByteArray("\1\xFF\xFF")), std::pair(true, 30000));
    EXPECT_EQ(loopOf("NETSCAPE2.0", QByteArray("\1\0\0", 3)), std::pair(true, 0));
    EXPECT_EQ(loopOf("ANIMEXTS1.0", QByteArray("\1\5\0", 3)), std::pair(true, 5));
    EXPECT_EQ(loopOf("NETSCAPE2.0", QByteArray("\2\5\0", 3)), std::pair(false, 1));
    EXPECT_EQ(loopOf("XMP DataXMP", QByteArray("\1\5\0", 3)), std::pair(false, 1));
}

TEST(GIFRead, PaletteIsPaddedWithGrey) {
    TGIFImage image;
    image.LoadFromBytes(
        TGIFBuilder().Screen(4, 2, 3).Image(4, 2, Compressed(Pixels(), 4, 3)).Bytes());
    const TBitmap& bitmap = image.Frames(0).Bitmap();
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf4bit);
    const QList<QRgb> palette = bitmap.Palette();
    ASSERT_EQ(palette.size(), 16);
    EXPECT_EQ(palette[7], TGIFBuilder::Entry(7));
    for (int i = 8; i < 16; ++i)
        EXPECT_EQ(palette[i], qRgb(128, 128, 128));
    image.LoadFromBytes(
        TGIFBuilder().Screen(4, 2, 1).Image(4, 2, Compressed(QByteArray(8, 1), 4, 1)).Bytes());
    EXPECT_EQ(image.Frames(0).Bitmap().PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(Indices(image.Frames(0).Bitmap().Image()), QByteArray(8, 1));
}

TEST(GIFRead, InterlacedRowsOfShortFrames) {
    TGIFImage image;
    // Stored rows 0, 2, 1 for a height of 3; row 0 alone for 1.
    const QByteArray stored("\1\1\3\3\2\2", 6);
    image.LoadFromBytes(
        TGIFBuilder().Screen(2, 3, 2).Image(2, 3, Compressed(stored, 2, 2), 0, true).Bytes());
    EXPECT_EQ(Indices(image.Frames(0).Bitmap().Image()), QByteArray("\1\1\2\2\3\3", 6));
    image.LoadFromBytes(
        TGIFBuilder().Screen(2, 1, 2).Image(2, 1, Compressed("\3\2", 2, 2), 0, true).Bytes());
    EXPECT_EQ(Indices(image.Frames(0).Bitmap().Image()), QByteArray("\3\2"));
}

// Codes wider than the table allows, a code size off the range, a string that runs away and
// data that stops short: tolerated, they leave a Corrupted frame decoded as far as it went;
// strict, they are refused with the failure's own message.
TEST(GIFRead, DamagedImageData) {
    struct Case {
        const char* name;
        QByteArray data;
        const char* strictMessage;
    };
    QByteArray badSize = Compressed(Pixels(), 4, 4);
    badSize[0] = 12;
    // Each code the next entry: strings one pixel longer each time, up to 4091 at code 4095.
    // After a clear, single pixels widen the codes to 12 bits; then the stale 4095 and the
    // entries after it make strings of 4092, 4093 and on, past what any table can hold.
    std::vector<int> runaway = {4, 0};
    for (int code = 6; code < 4096; ++code)
        runaway.push_back(code);
    runaway.push_back(4);
    runaway.insert(runaway.end(), 2043, 0);
    runaway.push_back(4095);
    for (int code = 2049; code <= 2054; ++code)
        runaway.push_back(code);
    const std::vector<Case> cases = {
        {"code size 12", badSize, "GIF code size not in range 2 to 9"},
        {"code size 1", PackCodes(1, {2, 0, 1, 3}), "GIF code size not in range 2 to 9"},
        {"first code unknown", PackCodes(2, {4, 7, 5}), "GIF encoded data is corrupt"},
        {"code past the next entry", PackCodes(2, {4, 1, 7}), "GIF encoded data is corrupt"},
        {"runaway string", PackCodes(2, runaway), "GIF encoded data is corrupt"},
        {"data stops short", PackCodes(2, {4, 1, 2}), "Stream read error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray file =
            TGIFBuilder().Screen(4096, 2100, 2).Image(4096, 2100, c.data).Bytes();
        TGIFImage image;
        image.LoadFromBytes(file);
        EXPECT_TRUE(image.Frames(0).Corrupted());
        EXPECT_EQ(LoadFailure(file, Reading::Strict), c.strictMessage);
    }
}

TEST(GIFRead, Failures) {
    const QByteArray data = Compressed(Pixels(), 4, 4);
    EXPECT_EQ(LoadFailure("GIF88a"), "Unknown GIF version");
    EXPECT_EQ(LoadFailure("PNG89a"), "Unknown GIF version");
    EXPECT_EQ(LoadFailure("GIF89a\4\0"), "Stream read error");
    EXPECT_EQ(LoadFailure(Screen16().Raw("x;").Bytes()), "Stream read error");
    EXPECT_EQ(LoadFailure(Screen16().Raw(QByteArray(",\0\0\0\0", 5)).Bytes()), "Stream read error");
    EXPECT_EQ(LoadFailure(TGIFBuilder().Screen(4, 2, 0).Image(4, 2, data).Bytes()),
              "Wrong number of colors; must be a power of 2");
    EXPECT_EQ(LoadFailure(""), "");
    // A few bytes cannot make us find room for four thousand million pixels.
    EXPECT_EQ(LoadFailure(TGIFBuilder().Screen(65535, 65535, 1).Image(65535, 65535, data).Bytes()),
              "GIF image is too large");

    // Frames read before the failure stay; frame 0 goes when it cannot be decoded.
    TGIFImage image;
    EXPECT_THROW(image.LoadFromBytes(Screen16().Image(4, 2, data).Raw("!\2").Bytes()), Exception);
    EXPECT_EQ(image.Count(), 1);
    EXPECT_THROW(image.LoadFromBytes(
                     TGIFBuilder().Screen(4, 2, 0).Image(4, 2, data).Image(4, 2, data, 4).Bytes()),
                 Exception);
    EXPECT_EQ(image.Count(), 1);
    EXPECT_TRUE(image.Frames(0).LocalColors());
}

// Strings run across rows, and data holding more pixels than the frame has ends at its last
// pixel, the string there cut short: whether the rows are the image's own bytes (width 4),
// padded (width 3), interlaced or one bit deep.
TEST(GIFRead, StringsCrossRowsAndStopAtTheLastPixel) {
    // 1 | 2 | 1 2 | 2 1 | 1 2 2 | 2 1 1: entries 6 = 1 2, 7 = 2 1, 8 = 1 2 2, 9 = 2 1 1.
    const QByteArray data = PackCodes(2, {4, 1, 2, 6, 7, 8, 9, 5});
    const QByteArray stream("\1\2\1\2\2\1\1\2\2\2\1\1", 12);
    struct Case {
        int width, height;
        bool interlaced;
        QByteArray rows;
    };
    const std::vector<Case> cases = {
        {4, 2, false, stream.first(8)},
        {3, 2, false, stream.first(6)},
        {4, 3, false, stream.first(12)},
        {1, 13, false, stream + '\0'}, // the pixel the data never reaches
        // Stored rows 0, 2, 1 of three.
        {3, 3, true, stream.sliced(0, 3) + stream.sliced(6, 3) + stream.sliced(3, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.interlaced);
        TGIFImage image;
        image.LoadFromBytes(TGIFBuilder()
                                .Screen(c.width, c.height, 2)
                                .Image(c.width, c.height, data, 0, c.interlaced)
                                .Bytes());
        EXPECT_EQ(Indices(image.Frames(0).Bitmap().Image()), c.rows);
        EXPECT_FALSE(image.Frames(0).Corrupted());
    }
    // 1 | 0 | 1 0 | 0 1 | 1 0 0, the last string cut after its first pixel.
    TGIFImage mono;
    mono.LoadFromBytes(
        TGIFBuilder().Screen(5, 1, 1).Image(5, 1, PackCodes(2, {4, 1, 0, 6, 7, 8, 5})).Bytes());
    EXPECT_EQ(Indices(mono.Frames(0).Bitmap().Image()), QByteArray("\1\0\1\0\0", 5));
}

// A string copied from far back, long enough to need more than one block move, and the image's
// very last pixels written by a short string: nothing lands past the end.
TEST(GIFRead, LongStringsAndTheLastBlockOfTheImage) {
    // Entries 6.. each one pixel longer: 1 1, 1 1 1, ...; code 6 + k is k + 2 ones.
    std::vector<int> codes = {4, 1};
    int total = 1;
    for (int code = 6; total + (code - 4) <= 40 * 40 - 3; ++code) {
        codes.push_back(code);
        total += code - 4;
    }
    codes.push_back(2);
    codes.push_back(3);
    codes.push_back(2);
    codes.push_back(5);
    total += 3;
    TGIFImage image;
    image.LoadFromBytes(TGIFBuilder().Screen(40, 40, 2).Image(40, 40, PackCodes(2, codes)).Bytes());
    QByteArray expected(total - 3, '\1');
    expected += QByteArray("\2\3\2", 3);
    expected += QByteArray(40 * 40 - total, '\0');
    EXPECT_EQ(Indices(image.Frames(0).Bitmap().Image()), expected);
    EXPECT_FALSE(image.Frames(0).Corrupted());
}

TEST(GIFRead, DecodingReportsProgress) {
    TGIFImage image;
    std::vector<std::pair<TProgressStage, int>> heard;
    QString message;
    image.OnProgress = [&](const TGIFImage&, TProgressStage stage, int percent, const QString& m) {
        heard.emplace_back(stage, percent);
        message = m;
    };
    LoadFixture(image, "colors-256.gif");
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard.front(), std::pair(TProgressStage::psStarting, 0));
    EXPECT_EQ(heard[1].first, TProgressStage::psRunning);
    EXPECT_EQ(heard.back(), std::pair(TProgressStage::psEnding, 100));

    heard.clear();
    EXPECT_THROW(image.LoadFromBytes(
                     TGIFBuilder().Screen(4, 2, 0).Image(4, 2, Compressed(Pixels(), 4, 4)).Bytes()),
                 Exception);
    EXPECT_EQ(heard.back(), std::pair(TProgressStage::psEnding, 0));
    EXPECT_EQ(message, "Wrong number of colors; must be a power of 2");
}
