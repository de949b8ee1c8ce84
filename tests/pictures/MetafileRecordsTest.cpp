// Records no tool we have writes, played from metafiles built here. The pictures are 100 × 100
// pixels, one logical unit a pixel unless a test maps otherwise; the pen is black and one pixel
// wide, the brush white, the background white.
#include "tests/pictures/MetafileBuilder.h"
#include "tests/pictures/PictureTesting.h"

#include "pictures/GdiPlayer.h"
#include "pictures/Metafile.h"

#include <QPainter>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kBlackRef = 0x000000;
constexpr quint32 kRedRef = 0x0000FF;
constexpr quint32 kBlueRef = 0xFF0000;
constexpr int kNullPen = 5;
constexpr int kSolid = 0;

enum : quint16 {
    metaSaveDC = 0x001E,
    metaRestoreDC = 0x0127,
    metaIntersectClipRect = 0x0416,
    metaEllipse = 0x0418,
    metaRoundRect = 0x061C,
    metaPolygon = 0x0324,
    metaPolyPolygon = 0x0538,
    metaPie = 0x081A,
    metaChord = 0x0830,
    metaArc = 0x0817,
    metaSetRop2 = 0x0104,
    metaSetPolyFillMode = 0x0106,
    metaCreateFont = 0x02FB,
    metaTextOut = 0x0521,
    metaSetTextAlign = 0x012E,
    metaSetTextColor = 0x0209,
    metaSetBkMode = 0x0102,
    metaSetBkColor = 0x0201,
};

enum : quint32 {
    emrSetWindowExtEx = 9,
    emrSetViewportExtEx = 11,
    emrSetViewportOrgEx = 12,
    emrExcludeClipRect = 29,
    emrIntersectClipRect = 30,
    emrSetWorldTransform = 35,
    emrPie = 47,
    emrLineTo = 54,
    emrMoveToEx = 27,
    emrSetArcDirection = 57,
    emrBeginPath = 59,
    emrEndPath = 60,
    emrCloseFigure = 61,
    emrFillPath = 62,
    emrSelectClipPath = 67,
    emrGdiComment = 70,
    emrExtSelectClipRgn = 75,
    emrBitBlt = 76,
    emrStretchDiBits = 81,
    emrExtCreateFontIndirectW = 82,
    emrExtTextOutW = 84,
};

QImage Render(const QByteArray& bytes) {
    TMetafile metafile;
    metafile.LoadFromBytes(bytes);
    return Render(metafile);
}

int CountPixels(const QImage& image, const QRect& area, QRgb color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && image.pixel(x, y) == color;
    return count;
}

// A black fill without an outline.
TWmfBuilder BlackFillWmf(QRect bounds = QRect(0, 0, 100, 100), int unitsPerInch = 96) {
    TWmfBuilder wmf(bounds, unitsPerInch);
    wmf.Brush(kSolid, kBlackRef).Select(0).Pen(kNullPen, 0, 0).Select(1);
    return wmf;
}

TEmfBuilder BlackFillEmf() {
    TEmfBuilder emf;
    emf.Brush(1, kSolid, kBlackRef).Select(1).Pen(2, kNullPen, 0, 0).Select(2);
    return emf;
}

QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

qint64 FloatBits(float value) {
    quint32 bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// Red, lime on the top row; blue, white on the bottom one.
QImage FourColours() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, kRed);
    image.setPixel(1, 0, kLime);
    image.setPixel(0, 1, kBlue);
    image.setPixel(1, 1, kWhite);
    return image;
}

void ExpectQuarters(const QImage& image, QRgb topLeft, QRgb topRight, QRgb bottomLeft,
                    QRgb bottomRight, const char* what) {
    EXPECT_EQ(image.pixel(25, 25), topLeft) << what;
    EXPECT_EQ(image.pixel(75, 25), topRight) << what;
    EXPECT_EQ(image.pixel(25, 75), bottomLeft) << what;
    EXPECT_EQ(image.pixel(75, 75), bottomRight) << what;
}

} // namespace

TEST(MetafileRecords, ShapesFillWhereTheirRecordsSay) {
    TWmfBuilder wmf = BlackFillWmf();
    wmf.Rectangle(10, 10, 30, 30)
        .Record(metaEllipse, {30, 80, 10, 40})
        .Record(metaRoundRect, {20, 20, 60, 50, 40, 10})
        .Record(metaPolygon, {3, 60, 40, 90, 40, 75, 70});
    const QImage image = Render(wmf.Bytes());
    EXPECT_EQ(image.pixel(20, 20), kBlack) << "rectangle";
    EXPECT_EQ(image.pixel(35, 20), kWhite);
    EXPECT_EQ(image.pixel(60, 20), kBlack) << "ellipse";
    EXPECT_EQ(image.pixel(41, 11), kWhite) << "outside the ellipse's curve";
    EXPECT_EQ(image.pixel(30, 50), kBlack) << "round rectangle";
    EXPECT_EQ(image.pixel(11, 41), kWhite) << "its rounded corner";
    EXPECT_EQ(image.pixel(75, 50), kBlack) << "polygon";
    EXPECT_EQ(image.pixel(62, 68), kWhite) << "beside the polygon's point";
}

TEST(MetafileRecords, PolyPolygonFillsByTheFillMode) {
    // A square inside a square: alternate leaves the inner one empty, winding fills it.
    const QList<int> squares = {2,  4,  4,  10, 10, 90, 10, 90, 90, 10,
                                90, 30, 30, 70, 30, 70, 70, 30, 70};
    const QImage alternate = Render(BlackFillWmf().Record(metaPolyPolygon, squares).Bytes());
    EXPECT_EQ(alternate.pixel(20, 20), kBlack);
    EXPECT_EQ(alternate.pixel(50, 50), kWhite);
    const QImage winding = Render(
        BlackFillWmf().Record(metaSetPolyFillMode, {2}).Record(metaPolyPolygon, squares).Bytes());
    EXPECT_EQ(winding.pixel(50, 50), kBlack);
}

TEST(MetafileRecords, ArcsRunAnticlockwiseFromStartToEndUnlessSetOtherwise) {
    // Start at three o'clock (100, 50), end at twelve (50, 0), on the circle in (0, 0, 100, 100).
    const QList<int> quarter = {0, 50, 50, 100, 100, 100, 0, 0};
    const QImage pie = Render(BlackFillWmf().Record(metaPie, quarter).Bytes());
    ExpectQuarters(pie, kWhite, kBlack, kWhite, kWhite, "pie");
    const QImage chord = Render(BlackFillWmf().Record(metaChord, quarter).Bytes());
    EXPECT_EQ(chord.pixel(85, 15), kBlack) << "between the arc and its chord";
    EXPECT_EQ(chord.pixel(65, 35), kWhite) << "on the centre's side of the chord";
    const QImage arc = Render(TWmfBuilder().Record(metaArc, quarter).Bytes());
    EXPECT_EQ(arc.pixel(75, 25), kWhite) << "an arc is not filled";
    EXPECT_GT(CountPixels(arc, QRect(50, 0, 51, 51), kBlack), 40) << "but drawn";
    EXPECT_EQ(CountPixels(arc, QRect(0, 0, 45, 100), kBlack), 0);

    TEmfBuilder clockwise = BlackFillEmf();
    clockwise.Record(emrSetArcDirection, {2}).Record(emrPie, {0, 0, 100, 100, 100, 50, 50, 0});
    ExpectQuarters(Render(clockwise.Bytes()), kBlack, kWhite, kBlack, kBlack, "clockwise");
}

TEST(MetafileRecords, ObjectsTakeTheLowestFreePlaceUpToTheTableSize) {
    TWmfBuilder wmf;
    // Red in place 0, blue in 1; 0 freed, so black goes there.
    wmf.Brush(kSolid, kRedRef).Brush(kSolid, kBlueRef).Delete(0).Brush(kSolid, kBlackRef);
    wmf.Select(0).Rectangle(0, 0, 50, 100).Select(1).Rectangle(50, 0, 100, 100);
    const QImage image = Render(wmf.Bytes());
    EXPECT_EQ(image.pixel(25, 50), kBlack);
    EXPECT_EQ(image.pixel(75, 50), kBlue);

    TWmfBuilder full(QRect(0, 0, 100, 100), 96, 1);
    full.Brush(kSolid, kBlackRef).Select(0).Brush(kSolid, kRedRef).Select(1);
    full.Rectangle(10, 10, 90, 90);
    EXPECT_EQ(Render(full.Bytes()).pixel(50, 50), kBlack) << "no room for the red brush";
}

TEST(MetafileRecords, WindowMapsOntoThePicture) {
    TWmfBuilder shifted = BlackFillWmf();
    shifted.WindowOrg(100, 100).WindowExt(200, 200).Rectangle(100, 100, 200, 200);
    ExpectQuarters(Render(shifted.Bytes()), kBlack, kWhite, kWhite, kWhite, "shifted, halved");

    TWmfBuilder upward = BlackFillWmf();
    upward.WindowOrg(0, 100).WindowExt(100, -100).Rectangle(0, 0, 50, 50);
    ExpectQuarters(Render(upward.Bytes()), kWhite, kWhite, kBlack, kWhite, "y upward");

    // Placeable bounds at 1440 units an inch: a 100-pixel picture is 1500 units wide.
    TWmfBuilder twips = BlackFillWmf(QRect(0, 0, 1500, 1500), 1440);
    twips.Rectangle(750, 750, 1500, 1500);
    ExpectQuarters(Render(twips.Bytes()), kWhite, kWhite, kWhite, kBlack, "1440 units an inch");
}

TEST(MetafileRecords, RestoreBringsBackObjectsWindowAndClip) {
    TWmfBuilder wmf = BlackFillWmf();
    wmf.Record(metaSaveDC, {}).Brush(kSolid, kRedRef).Select(2).WindowOrg(50, 50);
    wmf.Record(metaIntersectClipRect, {10, 10, 0, 0});
    wmf.Record(metaSaveDC, {}).Record(metaRestoreDC, {1}); // back to the first save
    wmf.Rectangle(0, 0, 100, 100);
    ExpectQuarters(Render(wmf.Bytes()), kBlack, kBlack, kBlack, kBlack, "restored");

    TWmfBuilder unrestored = BlackFillWmf();
    unrestored.Record(metaSaveDC, {}).Brush(kSolid, kRedRef).Select(2).WindowOrg(50, 50);
    unrestored.Record(metaRestoreDC, {-2}).Rectangle(0, 0, 100, 100); // no such save
    ExpectQuarters(Render(unrestored.Bytes()), kRed, kWhite, kWhite, kWhite, "kept");
}

TEST(MetafileRecords, UnknownAndShortRecordsAreSkipped) {
    TWmfBuilder wmf = BlackFillWmf();
    wmf.Record(0x0999, {1, 2, 3}).Record(0x041B, {5}).Rectangle(0, 0, 50, 50);
    ExpectQuarters(Render(wmf.Bytes()), kBlack, kWhite, kWhite, kWhite, "metafile");

    TEmfBuilder emf = BlackFillEmf();
    emf.Record(200, {1, 2, 3}).Record(emrGdiComment, {4}, "note").Record(43, {0, 0});
    emf.Rectangle(0, 0, 50, 50);
    ExpectQuarters(Render(emf.Bytes()), kBlack, kWhite, kWhite, kWhite, "enhanced metafile");
}

TEST(MetafileRecords, MappingModesScaleAndTurnTheAxes) {
    const auto square = [](int mode, QList<int> rect, std::function<void(TEmfBuilder&)> setup) {
        TEmfBuilder emf = BlackFillEmf();
        emf.MapMode(mode);
        if (setup)
            setup(emf);
        emf.Rectangle(rect[0], rect[1], rect[2], rect[3]);
        return Render(emf.Bytes());
    };
    // Tenths of a millimetre upward: 100 of them are 37.8 pixels.
    const QImage metric = square(2, {0, 0, 100, -100}, nullptr);
    EXPECT_EQ(metric.pixel(18, 18), kBlack);
    EXPECT_EQ(metric.pixel(45, 18), kWhite);
    EXPECT_EQ(metric.pixel(18, 45), kWhite);
    // Twips: 750 of them are 50 pixels.
    const QImage twips = square(6, {0, 0, 750, -750}, nullptr);
    EXPECT_EQ(twips.pixel(45, 45), kBlack);
    EXPECT_EQ(twips.pixel(55, 45), kWhite);
    // Isotropic keeps units square: the smaller of the two scales wins.
    const auto extents = [](TEmfBuilder& emf) {
        emf.Record(emrSetWindowExtEx, {100, 100}).Record(emrSetViewportExtEx, {200, 100});
    };
    const QImage isotropic = square(7, {0, 0, 50, 50}, extents);
    EXPECT_EQ(isotropic.pixel(45, 45), kBlack);
    EXPECT_EQ(isotropic.pixel(55, 45), kWhite);
    EXPECT_EQ(square(8, {0, 0, 50, 50}, extents).pixel(55, 45), kBlack) << "anisotropic";
    // A viewport running upward from the bottom.
    const QImage upward = square(8, {0, 0, 50, 50}, [](TEmfBuilder& emf) {
        emf.Record(emrSetWindowExtEx, {100, 100}).Record(emrSetViewportExtEx, {100, -100});
        emf.Record(emrSetViewportOrgEx, {0, 100});
    });
    ExpectQuarters(upward, kWhite, kWhite, kBlack, kWhite, "upward viewport");
    // Extents set while the mode ignores them stay ignored after it changes.
    const QImage ignored = square(1, {0, 0, 1, 1}, [](TEmfBuilder& emf) {
        emf.Record(emrSetWindowExtEx, {10, 10}).MapMode(8);
        emf.Record(emrSetViewportExtEx, {100, 100});
    });
    ExpectQuarters(ignored, kBlack, kBlack, kBlack, kBlack, "window extent of one");
    // A world transform doubling everything.
    const QImage doubled = square(1, {0, 0, 25, 25}, [](TEmfBuilder& emf) {
        emf.Record(emrSetWorldTransform,
                   {FloatBits(2), FloatBits(0), FloatBits(0), FloatBits(2), 0, 0});
    });
    EXPECT_EQ(doubled.pixel(45, 45), kBlack);
    EXPECT_EQ(doubled.pixel(55, 55), kWhite);
}

TEST(MetafileRecords, RasterOperationsMixWithWhatIsThere) {
    TWmfBuilder inverted = BlackFillWmf();
    inverted.Rectangle(0, 0, 50, 100).Record(metaSetRop2, {6}).Rectangle(25, 0, 100, 100);
    const QImage image = Render(inverted.Bytes());
    EXPECT_EQ(image.pixel(10, 50), kBlack) << "drawn before";
    EXPECT_EQ(image.pixel(40, 50), kWhite) << "inverted black";
    EXPECT_EQ(image.pixel(75, 50), kBlack) << "inverted white";
    TWmfBuilder none = BlackFillWmf();
    none.Record(metaSetRop2, {11}).Rectangle(0, 0, 100, 100);
    EXPECT_EQ(Render(none.Bytes()).pixel(50, 50), kWhite) << "leaves the target alone";
}

TEST(MetafileRecords, ClipRectanglesRegionsAndPaths) {
    TEmfBuilder rects = BlackFillEmf();
    rects.Record(emrIntersectClipRect, {0, 0, 50, 50}).Record(emrExcludeClipRect, {30, 30, 40, 40});
    rects.Rectangle(0, 0, 100, 100);
    const QImage clipped = Render(rects.Bytes());
    ExpectQuarters(clipped, kBlack, kWhite, kWhite, kWhite, "intersected");
    EXPECT_EQ(clipped.pixel(35, 35), kWhite) << "excluded";

    // A region of one rectangle (device units) replaces the clip; an empty one removes it.
    const QList<qint64> region = {48, 5, 32, 1, 1, 16, 50, 50, 100, 100, 50, 50, 100, 100};
    TEmfBuilder regions = BlackFillEmf();
    regions.Record(emrIntersectClipRect, {0, 0, 10, 10}).Record(emrExtSelectClipRgn, region);
    regions.Rectangle(0, 0, 100, 100);
    ExpectQuarters(Render(regions.Bytes()), kWhite, kWhite, kWhite, kBlack, "region");
    TEmfBuilder reset = BlackFillEmf();
    reset.Record(emrIntersectClipRect, {0, 0, 10, 10}).Record(emrExtSelectClipRgn, {0, 5});
    reset.Rectangle(0, 0, 100, 100);
    ExpectQuarters(Render(reset.Bytes()), kBlack, kBlack, kBlack, kBlack, "no clip");

    // A triangle as a path: filled, then as the clip of a square over everything.
    const auto triangle = [](TEmfBuilder& emf) {
        emf.Record(emrBeginPath, {}).Record(emrMoveToEx, {10, 10}).Record(emrLineTo, {90, 10});
        emf.Record(emrLineTo, {50, 90}).Record(emrCloseFigure, {}).Record(emrEndPath, {});
    };
    TEmfBuilder filled = BlackFillEmf();
    triangle(filled);
    filled.Record(emrFillPath, {0, 0, 100, 100});
    TEmfBuilder clipPath = BlackFillEmf();
    triangle(clipPath);
    clipPath.Record(emrSelectClipPath, {5}).Rectangle(0, 0, 100, 100);
    for (const QImage& image : {Render(filled.Bytes()), Render(clipPath.Bytes())}) {
        EXPECT_EQ(image.pixel(50, 40), kBlack);
        EXPECT_EQ(image.pixel(15, 80), kWhite);
        EXPECT_EQ(image.pixel(85, 80), kWhite);
    }
    // A clip path reaching two thousand million units beyond every edge clips nothing away.
    TEmfBuilder huge = BlackFillEmf();
    huge.Record(emrBeginPath, {}).Rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
    huge.Record(emrEndPath, {}).Record(emrSelectClipPath, {5}).Rectangle(0, 0, 100, 100);
    ExpectQuarters(Render(huge.Bytes()), kBlack, kBlack, kBlack, kBlack, "huge clip path");
}

TEST(MetafileRecords, BitmapsStretchMirrorAndCountSourceRowsAsStored) {
    const QByteArray dib = PackedDib(FourColours());
    ExpectQuarters(
        Render(TWmfBuilder().StretchDib(QRect(0, 0, 100, 100), QRect(0, 0, 2, 2), dib).Bytes()),
        kRed, kLime, kBlue, kWhite, "stretched");
    // A stored bitmap's row 0 is its bottom row.
    ExpectQuarters(
        Render(TWmfBuilder().StretchDib(QRect(0, 0, 100, 100), QRect(0, 0, 2, 1), dib).Bytes()),
        kBlue, kWhite, kBlue, kWhite, "bottom row");
    const QImage indexed = FourColours().convertToFormat(QImage::Format_Indexed8);
    ExpectQuarters(
        Render(TWmfBuilder()
                   .StretchDib(QRect(0, 0, 100, 100), QRect(0, 0, 2, 2), PackedDib(indexed))
                   .Bytes()),
        kRed, kLime, kBlue, kWhite, "8 bits");

    // Enhanced: stretched with the destination's width negative, so mirrored.
    TEmfBuilder mirrored;
    mirrored.Record(emrStretchDiBits,
                    QList<qint64>{0, 0, 100, 100, 100, 0, 0, 0, 2, 2} + DibFields(dib, 80) +
                        QList<qint64>{0, 0x00CC0020, -100, 100},
                    dib);
    ExpectQuarters(Render(mirrored.Bytes()), kLime, kRed, kWhite, kBlue, "mirrored");
    // Copied one to one, made large by the world transform; rows counted from the top.
    TEmfBuilder copied;
    copied.Record(emrSetWorldTransform,
                  {FloatBits(50), FloatBits(0), FloatBits(0), FloatBits(50), 0, 0});
    copied.Record(emrBitBlt,
                  QList<qint64>{0, 0, 100, 100, 0, 0, 2, 1, 0x00CC0020, 0, 0, FloatBits(1), 0, 0,
                                FloatBits(1), 0, 0, 0, 0} +
                      DibFields(dib, 100),
                  dib);
    const QImage top = Render(copied.Bytes());
    EXPECT_EQ(top.pixel(25, 25), kRed);
    EXPECT_EQ(top.pixel(75, 25), kLime);
    EXPECT_EQ(top.pixel(50, 75), kWhite) << "only the top row was copied";
}

TEST(MetafileRecords, TextInTheSelectedFontColourAndAlignment) {
    // -20: characters 20 units high; face "DejaVu Sans".
    QByteArray face("DejaVu Sans");
    face.resize(32, '\0');
    using Setting = std::pair<quint16, QList<int>>;
    const auto text = [&](const QList<Setting>& settings) {
        TWmfBuilder wmf;
        wmf.Record(metaCreateFont, {-20, 0, 0, 0, 400, 0, 0, 0, 0}, face).Select(0);
        for (const auto& [function, words] : settings)
            wmf.Record(function, words);
        wmf.Record(metaTextOut, {2}, "HH" + QByteArray::fromHex("32003200")); // at (50, 50)
        return Render(wmf.Bytes());
    };
    const Setting transparent{metaSetBkMode, {1}};
    const QImage plain = text({transparent});
    EXPECT_GT(CountPixels(plain, QRect(50, 50, 30, 20), kBlack), 40) << "below and right";
    EXPECT_EQ(CountPixels(plain, QRect(0, 0, 100, 50), kBlack), 0);
    EXPECT_EQ(CountPixels(plain, QRect(0, 0, 50, 100), kBlack), 0);
    const QImage right = text({transparent, {metaSetTextAlign, {2 | 24}}}); // right, baseline
    EXPECT_GT(CountPixels(right, QRect(20, 30, 30, 20), kBlack), 40) << "left of and above";
    EXPECT_EQ(CountPixels(right, QRect(51, 0, 49, 100), kBlack), 0);
    const QImage red = text({transparent, {metaSetTextColor, {int(kRedRef), 0}}});
    EXPECT_GT(CountPixels(red, QRect(50, 50, 30, 20), kRed), 40);
    const QImage opaque = text({{metaSetBkMode, {2}}, {metaSetBkColor, {0, 0}}});
    EXPECT_GT(CountPixels(opaque, QRect(50, 50, 20, 20), kBlack), 150) << "filled behind";
}

TEST(MetafileRecords, WideTextKeepsTheAdvancesItIsGiven) {
    // Two characters 40 units apart, each 30 high, in an enhanced metafile.
    QByteArray font = QByteArray::fromHex("e2ffffff") + QByteArray(12, '\0') +
                      QByteArray::fromHex("90010000") + QByteArray(8, '\0') + Utf16("DejaVu Sans");
    font.resize(92, '\0');
    TEmfBuilder emf;
    emf.Record(emrExtCreateFontIndirectW, {1}, font).Select(1);
    emf.Record(emrExtTextOutW, {0, 0, 100, 100, 1, 0, 0, 5, 5, 2, 76, 0, 0, 0, 0, 0, 80},
               Utf16("II") + QByteArray::fromHex("2800000028000000"));
    const QImage image = Render(emf.Bytes());
    EXPECT_GT(CountPixels(image, QRect(5, 5, 20, 30), kBlack), 20);
    EXPECT_GT(CountPixels(image, QRect(45, 5, 20, 30), kBlack), 20);
    EXPECT_EQ(CountPixels(image, QRect(25, 0, 20, 100), kBlack), 0) << "nothing between them";
}

TEST(MetafileRecords, SingleByteTextFollowsTheFontsCharacterSet) {
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter painter(&image);
    TGdiPlayer gdi(painter, QRectF(0, 0, 4, 4), QRectF(0, 0, 4, 4), QPointF(1, 1), 0,
                   QStringLiteral("EMF"));
    EXPECT_EQ(gdi.DecodeText("\xDD\xE9"), QString::fromUtf8("Ýé")) << "western by default";
    gdi.State().font.charSet = 162;
    EXPECT_EQ(gdi.DecodeText("\xDD\xFE"), QString::fromUtf8("İş")) << "Turkish";
}
