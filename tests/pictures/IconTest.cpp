#include "tests/TestDir.h"
#include "tests/pictures/PictureTesting.h"

#include "pictures/Icon.h"
#include "runtime/Picture.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

TIcon Load(const QString& name) {
    TIcon icon;
    icon.LoadFromBytes(TestData("ico/" + name));
    return icon;
}

// The icon drawn at its own size on yellow, which shows through where it is see-through.
QImage OnYellow(TGraphic& icon) {
    return Render(icon, QSize(), clYellow);
}

void ExpectInvalid(const QByteArray& bytes, const char* what) {
    ExpectRefused<TIcon>(bytes, "Icon image is not valid", what);
}

} // namespace

// Each made from one 16 × 16 drawing: the top-left quarter blue (white in the 1-bit one), the
// rest red (black), a white pixel at (15, 0), the bottom-right quarter and (2, 13) see-through.
TEST(Icon, EveryDepthShowsItsColoursAndMask) {
    for (const char* name : {"pal4.ico", "pal8.ico", "rgb24.ico", "argb32.ico", "png.ico"}) {
        TIcon icon = Load(name);
        ASSERT_EQ(QSize(icon.Width(), icon.Height()), QSize(16, 16)) << name;
        const QImage image = OnYellow(icon);
        EXPECT_EQ(image.pixel(3, 3), kBlue) << name;
        EXPECT_EQ(image.pixel(12, 3), kRed) << name;
        EXPECT_EQ(image.pixel(15, 0), kWhite) << name;
        EXPECT_EQ(image.pixel(3, 12), kRed) << name << ": rows in their order";
        EXPECT_EQ(image.pixel(12, 12), kYellow) << name << ": see-through";
        EXPECT_EQ(image.pixel(2, 13), kYellow) << name << ": see-through pixel";
        EXPECT_EQ(image.pixel(3, 13), kRed) << name << ": beside it";
    }
    const QImage mono = OnYellow(*Load("mono.ico").Clone());
    EXPECT_EQ(mono.pixel(3, 3), kWhite);
    EXPECT_EQ(mono.pixel(12, 3), kBlack);
    EXPECT_EQ(mono.pixel(12, 12), kYellow);
    EXPECT_EQ(mono.pixel(2, 13), kYellow);
    EXPECT_EQ(mono.pixel(1, 13), kBlack);
}

TEST(Icon, ShowsTheLargestImageWhereverTheDirectoryListsIt) {
    // 16 × 16 cyan (32 bits), 48 × 48 lime (8 bits), 32 × 32 yellow (PNG), in that order.
    TIcon icon = Load("sizes.ico");
    EXPECT_EQ(icon.Width(), 48);
    EXPECT_EQ(icon.Height(), 48);
    EXPECT_EQ(OnYellow(icon).pixel(40, 40), kLime);
}

TEST(Icon, LoadsByExtensionAsAPictureThatIsNotABitmap) {
    RegisterIcon();
    TestDir dir;
    dir.Write("Logo.ICO", TestData("ico/pal8.ico"));
    TPicture picture;
    picture.LoadFromFile(dir.Path("Logo.ICO"));
    ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_FALSE(picture.HoldsBitmap());
    EXPECT_THROW(picture.Bitmap(), EInvalidGraphic);
    try {
        picture.Graphic()->SetWidth(32);
        ADD_FAILURE() << "resized";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Cannot change the size of an icon");
    }
    picture.Graphic()->SaveToFile(dir.Path("copy.ico"));
    EXPECT_EQ(dir.Read("copy.ico"), TestData("ico/pal8.ico")) << "every image kept";
}

TEST(Icon, RefusesWhatIsNotAnIconAndKeepsTheOldPicture) {
    ExpectInvalid({}, "empty");
    ExpectInvalid(TestData("bmp/rgb24.bmp"), "a bitmap");
    const QByteArray icon = TestData("ico/sizes.ico");
    ExpectInvalid(QByteArray(icon).replace(2, 2, QByteArray("\x02\0", 2)), "a cursor");
    ExpectInvalid(QByteArray(icon).replace(4, 2, QByteArray("\0\0", 2)), "no images");
    // The lime image's header claims far more pixels than its bytes hold.
    ExpectInvalid(QByteArray(icon).replace(qFromLittleEndian<quint32>(icon.constData() + 34) + 4, 4,
                                           QByteArray("\0\x10\0\0", 4)),
                  "rows missing");

    // A PNG entry claiming 4 × 10^9 by 4 × 10^9 pixels.
    const QByteArray png = TestData("ico/png.ico");
    const qsizetype ihdr = png.indexOf("IHDR");
    ExpectInvalid(QByteArray(png).replace(ihdr + 4, 8, QByteArray(8, '\xEE')), "huge PNG");

    TIcon kept = Load("mono.ico");
    for (qsizetype length = 0; length < icon.size(); length += 7) {
        EXPECT_THROW(kept.LoadFromBytes(icon.left(length)), EInvalidGraphic) << length;
    }
    EXPECT_EQ(kept.Width(), 16);
    EXPECT_EQ(OnYellow(kept).pixel(3, 3), kWhite);
}
