#include "tests/TestDir.h"
#include "tests/pictures/MetafileBuilder.h"
#include "tests/pictures/PictureTesting.h"

#include "pictures/Metafile.h"
#include "runtime/Picture.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

TMetafile Load(const QByteArray& bytes) {
    TMetafile metafile;
    metafile.LoadFromBytes(bytes);
    return metafile;
}

int DarkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
    return dark;
}

void ExpectInvalid(const QByteArray& bytes, const char* what) {
    ExpectRefused<TMetafile>(bytes, "Metafile is not valid", what);
}

// A drawing made by a real program, and where that program put its parts: drawn at `view`
// size, a point (x, y) of the source drawing lands on (x * scale - shift, y * scale - shift).
struct TFixture {
    const char* name;
    QSize size;
    double scale;
    double shift;
    QSize view = QSize();
};

void PrintTo(const TFixture& fixture, std::ostream* out) {
    *out << fixture.name;
}

class MetafileFixture : public testing::TestWithParam<TFixture> {
protected:
    void SetUp() override {
        metafile = Load(TestData(QStringLiteral("metafile/%1").arg(GetParam().name)));
        image = Render(metafile, GetParam().view.isValid() ? GetParam().view : GetParam().size);
    }
    QRgb At(int x, int y) const {
        const TFixture& f = GetParam();
        return image.pixel(int(std::lround(x * f.scale - f.shift)),
                           int(std::lround(y * f.scale - f.shift)));
    }

    TMetafile metafile;
    QImage image;
};

using MetafileShapes = MetafileFixture;
using MetafilePicture = MetafileFixture;

} // namespace

// shapes.svg, 200 × 100: a black square (10..60, 10..60), a black ellipse centred on (105, 35)
// with radii 30 and 20, a red triangle (150, 10), (190, 10), (170, 50), a blue line 4 wide from
// (10, 80) to (120, 80), the black text "EPA" 24 high with its baseline at (130, 95).
TEST_P(MetafileShapes, ShowsEachShapeWhereTheProgramDrewIt) {
    EXPECT_EQ(QSize(metafile.Width(), metafile.Height()), GetParam().size);
    EXPECT_EQ(At(35, 35), kBlack) << "square";
    EXPECT_EQ(At(105, 35), kBlack) << "ellipse centre";
    EXPECT_EQ(At(80, 35), kBlack) << "ellipse's left end";
    EXPECT_EQ(At(65, 35), kWhite) << "between square and ellipse";
    EXPECT_EQ(At(105, 12), kWhite) << "above the ellipse";
    EXPECT_EQ(At(170, 20), kRed) << "triangle";
    EXPECT_EQ(At(152, 40), kWhite) << "beside the triangle's point";
    EXPECT_EQ(At(60, 80), kBlue) << "line";
    EXPECT_EQ(At(60, 86), kWhite) << "below the line";
    const TFixture& f = GetParam();
    const QRect text(QPoint(int(130 * f.scale - f.shift), int(76 * f.scale - f.shift)),
                     QPoint(int(185 * f.scale - f.shift), int(94 * f.scale - f.shift)));
    EXPECT_GT(DarkPixels(image, text), 60) << "text";
    const QRect above(QPoint(text.left(), int(56 * f.scale - f.shift)),
                      QPoint(text.right(), int(70 * f.scale - f.shift)));
    EXPECT_EQ(DarkPixels(image, above), 0) << "nothing above the text";
}

INSTANTIATE_TEST_SUITE_P(
    Producers, MetafileShapes,
    testing::Values(TFixture{"inkscape-shapes.emf", {200, 102}, 1, 0},
                    TFixture{"inkscape-shapes.wmf", {200, 100}, 1, 0},
                    TFixture{"libreoffice-shapes.emf", {189, 89}, 1, 6},
                    TFixture{"libreoffice-shapes.wmf", {189, 89}, 1, 6},
                    // Without its placeable header the same file is its window, a unit a
                    // pixel; drawn at the size of the placeable one it looks the same.
                    TFixture{"libreoffice-plain.wmf", {4994, 2348}, 1, 6, {189, 89}}));

// picture.svg, 64 × 32: a 16 × 16 bitmap stretched over (0, 0, 32, 32): white, its top-left
// quarter black, its bottom-right quarter red; beside it a blue square (40..56, 8..24).
TEST_P(MetafilePicture, ShowsTheBitmapStretchedAndTheShapeBesideIt) {
    EXPECT_EQ(QSize(metafile.Width(), metafile.Height()), GetParam().size);
    EXPECT_EQ(At(8, 8), kBlack);
    EXPECT_EQ(At(24, 8), kWhite);
    EXPECT_EQ(At(8, 24), kWhite);
    EXPECT_EQ(At(24, 24), kRed);
    EXPECT_EQ(At(2, 13), kBlack) << "bitmap rows are in their order, not upside down";
    EXPECT_EQ(At(48, 16), kBlue);
    EXPECT_EQ(At(36, 16), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Producers, MetafilePicture,
                         testing::Values(TFixture{"inkscape-picture.emf", {64, 34}, 1, 0},
                                         TFixture{"inkscape-picture.wmf", {64, 32}, 1, 0},
                                         TFixture{"libreoffice-picture.emf", {61, 29}, 0.94, 0},
                                         TFixture{"libreoffice-picture.wmf", {61, 29}, 0.94, 0}));

TEST(Metafile, TellsEnhancedFromWindowsMetafiles) {
    EXPECT_FALSE(Load(TestData("metafile/libreoffice-plain.wmf")).Enhanced());
    EXPECT_FALSE(Load(TestData("metafile/inkscape-shapes.wmf")).Enhanced());
    EXPECT_TRUE(Load(TestData("metafile/libreoffice-shapes.emf")).Enhanced());
}

TEST(Metafile, LoadsByExtensionAsAPictureThatIsNotABitmap) {
    RegisterMetafile();
    TestDir dir;
    dir.Write("SHAPES.WMF", TestData("metafile/inkscape-shapes.wmf"));
    dir.Write("shapes.emf", TestData("metafile/inkscape-shapes.emf"));
    for (const QString name : {"SHAPES.WMF", "shapes.emf"}) {
        TPicture picture;
        picture.LoadFromFile(dir.Path(name));
        ASSERT_NE(dynamic_cast<TMetafile*>(picture.Graphic()), nullptr) << name.toStdString();
        EXPECT_FALSE(picture.HoldsBitmap());
        try {
            picture.Bitmap();
            ADD_FAILURE() << "a metafile gave a bitmap";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Can only modify an image if it contains a bitmap");
        }
    }
}

TEST(Metafile, CopiesSavesAndResizesWithoutChangingTheFile) {
    const QByteArray bytes = TestData("metafile/libreoffice-shapes.wmf");
    TMetafile metafile = Load(bytes);
    const std::unique_ptr<TGraphic> copy = metafile.Clone();
    EXPECT_EQ(Render(*copy), Render(metafile));
    TestDir dir;
    copy->SaveToFile(dir.Path("copy.wmf"));
    EXPECT_EQ(dir.Read("copy.wmf"), bytes);

    int changes = 0;
    metafile.OnChange = [&](TGraphic&) { ++changes; };
    metafile.SetWidth(378);
    metafile.SetWidth(378);
    EXPECT_EQ(changes, 1);
    const QImage wide = Render(metafile);
    EXPECT_EQ(wide.width(), 378);
    EXPECT_EQ(wide.pixel(60, 35), kBlack) << "the square, twice as wide";
    EXPECT_EQ(wide.pixel(110, 35), kWhite);
}

TEST(Metafile, EveryCutOfARealFileIsRefusedAndKeepsTheOldPicture) {
    for (const char* name : {"inkscape-shapes.emf", "libreoffice-picture.wmf"}) {
        const QByteArray bytes = TestData(QStringLiteral("metafile/%1").arg(name));
        TMetafile metafile = Load(TestData("metafile/inkscape-shapes.wmf"));
        const QImage before = Render(metafile);
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            try {
                metafile.LoadFromBytes(bytes.left(length));
                ADD_FAILURE() << name << " cut to " << length << " loaded";
            } catch (const EInvalidGraphic& e) {
                ASSERT_EQ(e.Message(), "Metafile is not valid");
            }
        }
        EXPECT_EQ(Render(metafile), before) << name;
    }
}

TEST(Metafile, RefusesBrokenHeadersAndRecordChains) {
    const QByteArray emf = TEmfBuilder().Rectangle(0, 0, 10, 10).Bytes();
    const QByteArray wmf = TWmfBuilder().Rectangle(0, 0, 10, 10).Bytes();
    ASSERT_NO_THROW(Load(emf));
    ASSERT_NO_THROW(Load(wmf));
    ExpectInvalid({}, "empty");
    ExpectInvalid(TestData("bmp/rgb24.bmp"), "a bitmap");
    ExpectInvalid(QByteArray(emf).replace(40, 4, "XEMF"), "EMF signature");
    ExpectInvalid(QByteArray(emf).replace(108 + 4, 4, QByteArray("\x04\0\0\0", 4)),
                  "EMF record shorter than its type and size");
    ExpectInvalid(QByteArray(emf).replace(108 + 4, 4, QByteArray("\0\0\0\x10", 4)),
                  "EMF record running past the end");
    ExpectInvalid(QByteArray(wmf).replace(22 + 2, 2, QByteArray("\x0A\0", 2)), "WMF header size");
    ExpectInvalid(QByteArray(wmf).replace(14, 2, QByteArray("\0\0", 2)), "no units per inch");
    ExpectInvalid(QByteArray(wmf).replace(40, 4, QByteArray("\xFF\xFF\0\0", 4)),
                  "WMF record running past the end");
    ExpectInvalid(QByteArray(wmf).replace(40, 4, QByteArray("\x02\0\0\0", 4)),
                  "WMF record shorter than its header");
    ExpectInvalid(TWmfBuilder(QRect(0, 0, 100, 100), 0).Rectangle(0, 0, 10, 10).Bytes(),
                  "plain metafile that never sets its window");
    ExpectInvalid(TWmfBuilder(QRect(0, 0, 30000, 30000), 96).Bytes(), "larger than any screen");
    ExpectInvalid(TWmfBuilder(QRect(0, 0, 0, 100), 96).Bytes(), "no width");
}

TEST(Metafile, GarbledFilesLoadOrAreRefusedAndAlwaysDraw) {
    QRandomGenerator random(9);
    for (const char* name : {"inkscape-shapes.emf", "libreoffice-shapes.emf",
                             "libreoffice-picture.wmf", "inkscape-picture.emf"}) {
        const QByteArray bytes = TestData(QStringLiteral("metafile/%1").arg(name));
        for (int round = 0; round < 150; ++round) {
            QByteArray garbled = bytes;
            for (int n = 0; n < 4; ++n)
                garbled[random.bounded(int(garbled.size()))] = char(random.bounded(256));
            TMetafile metafile;
            try {
                metafile.LoadFromBytes(garbled);
            } catch (const EInvalidGraphic&) {
                continue;
            }
            Render(metafile, QSize(64, 32));
        }
    }
}
