#include "gif/GIFImage.h"
#include "tests/gif/Giflib.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The window's two animations, read by giflib and by our own reader: what the window plays
// depends on every block being as it is.
QByteArray Stored(const char* name) {
    QFile file(QStringLiteral(VARNEL_SOURCE_DIR "/resources/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TExpected {
    const char* name;
    QSize screen;
    int globalColors;
    std::vector<int> delays;
    std::vector<int> disposals;
    int transparentIndex;
    int loops;
    bool commentBeforeFirst;
};

GraphicsControlBlock Control(const SavedImage& frame) {
    GraphicsControlBlock control{};
    for (int i = 0; i < frame.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = frame.ExtensionBlocks[i];
        if (block.Function == GRAPHICS_EXT_FUNC_CODE)
            DGifExtensionToGCB(size_t(block.ByteCount), block.Bytes, &control);
    }
    return control;
}

// The count of the looping extension that giflib hands to the first frame; -1 without one.
int Loops(const SavedImage& first) {
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock& block = first.ExtensionBlocks[i];
        const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount >= 3)
            return data.Bytes[1] | data.Bytes[2] << 8;
    }
    return -1;
}

void Check(const TExpected& expected) {
    const QByteArray bytes = Stored(expected.name);
    const TGiflibFile reference(bytes);
    ASSERT_TRUE(reference.Ok());
    const int count = int(expected.delays.size());
    ASSERT_EQ(reference.Count(), count);
    for (int i = 0; i < count; ++i) {
        const GifImageDesc& image = reference.Frame(i).ImageDesc;
        EXPECT_EQ(QRect(image.Left, image.Top, image.Width, image.Height),
                  QRect(QPoint(0, 0), expected.screen));
        EXPECT_TRUE(image.Interlace);
        EXPECT_EQ(image.ColorMap, nullptr); // the global table serves every frame
        const GraphicsControlBlock control = Control(reference.Frame(i));
        EXPECT_EQ(control.DelayTime, expected.delays[i]) << "frame " << i;
        EXPECT_EQ(control.DisposalMode, expected.disposals[i]) << "frame " << i;
        EXPECT_EQ(control.TransparentColor, expected.transparentIndex) << "frame " << i;
    }
    EXPECT_EQ(Loops(reference.Frame(0)), expected.loops);

    TGIFImage ours;
    ours.LoadFromBytes(bytes);
    EXPECT_EQ(ours.Version(), TGIFVersion::gv89a);
    EXPECT_EQ(QSize(ours.ScreenWidth(), ours.ScreenHeight()), expected.screen);
    EXPECT_EQ(ours.Header().GlobalColors.Count, expected.globalColors);
    EXPECT_TRUE(ours.Looping());
    EXPECT_EQ(ours.RepeatCount(), expected.loops);
    EXPECT_EQ(!ours.Frames(0).Comment().isEmpty(), expected.commentBeforeFirst);
    EXPECT_EQ(!ours.Comment().isEmpty(), !expected.commentBeforeFirst);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(ours.Frames(i).TransparentColor(),
                  expected.transparentIndex < 0 ? clNone : clWhite);
}

TEST(StoredAnimations, Ga1IsSixFramesOfTheChipOnSixteenColours) {
    Check({"ga1.gif",
           QSize(24, 32),
           16,
           {1, 30, 30, 10, 10, 10},
           {0, 0, 1, 0, 0, 0},
           NO_TRANSPARENT_COLOR,
           0,
           false});
}

TEST(StoredAnimations, Ga2IsFourFramesOfTheFloppyWithWhiteSeeThrough) {
    Check({"ga2.gif", QSize(42, 49), 256, {2, 2, 2, 1}, {2, 2, 2, 2}, 255, 1000, true});
}

} // namespace
