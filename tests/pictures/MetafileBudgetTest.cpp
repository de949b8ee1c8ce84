// A metafile's drawing is held to a work budget: the records played, the pixels they touch and
// the bitmaps they decode. Over it, the file is refused, or the drawing stops, with the canvas
// as it was.

#include "tests/pictures/MetafileBuilder.h"
#include "tests/pictures/PictureTesting.h"

#include "pictures/Metafile.h"
#include "pictures/WorkBudget.h"

#include <gtest/gtest.h>

namespace {

// `count` rectangles over the whole frame of `frame` pixels.
QByteArray EmfOfRectangles(QSize frame, int count) {
    TEmfBuilder emf(frame);
    for (int i = 0; i < count; ++i)
        emf.Rectangle(0, 0, frame.width(), frame.height());
    return emf.Bytes();
}

QImage Lime(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kLime);
    return image;
}

} // namespace

TEST(MetafileBudget, MillionsOfRecordsAreRefusedAndTheOldPictureKept) {
    const qint64 records = TWorkBudget::LimitFor(QSize(1, 1)) / TWorkBudget::RecordCost + 1;
    TWmfBuilder wmf(QRect(0, 0, 10, 10));
    for (qint64 i = 0; i < records; ++i)
        wmf.Record(0x001E, {}); // save the state: no drawing at all, only the record
    ExpectRefused<TMetafile>(wmf.Bytes(), "WMF picture is too complex", "records");

    TEmfBuilder emf(QSize(10, 10));
    for (qint64 i = 0; i < records; ++i)
        emf.Record(33, {}); // save the state
    ExpectRefused<TMetafile>(emf.Bytes(), "EMF picture is too complex", "records");

    TWmfBuilder few(QRect(0, 0, 10, 10));
    few.Rectangle(0, 0, 10, 10);
    TMetafile kept;
    kept.LoadFromBytes(few.Bytes());
    EXPECT_THROW(kept.LoadFromBytes(wmf.Bytes()), EInvalidGraphic);
    EXPECT_FALSE(kept.Enhanced()) << "the old picture stays";
    EXPECT_EQ(kept.Width(), 10);
}

TEST(MetafileBudget, EmbeddedPicturesCountWhatTheyDecodeTo) {
    // Bitmaps of 2048 × 2048 pixels of a bit, each paid for before it is decoded and again as
    // it is drawn: half a megabyte in the file, 16 MB once decoded.
    constexpr int side = 2048;
    QImage tile(side, side, QImage::Format_Mono);
    tile.setColorTable({kBlack, kRed});
    tile.fill(1);
    const QByteArray dib = PackedDib(tile);
    const qint64 fit = TWorkBudget::LimitFor(QSize(1, 1)) / (2 * qint64(side) * side);
    const auto emf = [&](qint64 count) {
        TEmfBuilder builder(QSize(1, 1));
        QList<qint64> fields{0, 0, 0, 0, 0, 0, 0, 0, side, side};
        fields.append(DibFields(dib, 80));
        fields.append({0, 0x00CC0020, 1, 1});
        for (qint64 i = 0; i < count; ++i)
            builder.Record(81, fields, dib);
        return builder.Bytes();
    };
    TMetafile metafile;
    EXPECT_NO_THROW(metafile.LoadFromBytes(emf(fit / 2)));
    ExpectRefused<TMetafile>(emf(fit + 1), "EMF picture is too complex", "pictures");
}

TEST(MetafileBudget, ADrawingOverItsBudgetLeavesTheCanvasAsItWas) {
    // Played once at its own 1 × 1 pixels when read, the file costs little; stretched over a
    // canvas, every rectangle touches all of it.
    const QSize canvas(137, 127);
    const qint64 pixels = qint64(canvas.width()) * canvas.height();
    const int over = int(TWorkBudget::LimitFor(canvas) / pixels) + 1;
    TMetafile metafile;
    metafile.LoadFromBytes(EmfOfRectangles(QSize(1, 1), over));
    TBitmap bitmap(canvas.width(), canvas.height(), TPixelFormat::pf24bit);
    bitmap.Canvas().FillRect(QRect(QPoint(0, 0), canvas), clLime);
    try {
        bitmap.Canvas().StretchDraw(QRect(QPoint(0, 0), canvas), metafile);
        ADD_FAILURE() << "drawn";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "EMF picture is too complex");
    }
    EXPECT_EQ(bitmap.Image(), Lime(canvas)) << "not a pixel drawn";

    TMetafile fewer;
    fewer.LoadFromBytes(EmfOfRectangles(QSize(1, 1), over / 4));
    bitmap.Canvas().StretchDraw(QRect(QPoint(0, 0), canvas), fewer);
    EXPECT_NE(bitmap.Image(), Lime(canvas)) << "a drawing within its budget shows";
}
