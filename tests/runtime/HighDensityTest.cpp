#include "runtime/Bitmap.h"
#include "runtime/Fonts.h"
#include "runtime/Image.h"
#include "runtime/Panel.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// What `widget` paints onto a picture of `ratio` device pixels a pixel, as the screen would get.
QImage Rendered(QWidget& widget, qreal ratio) {
    QImage shot(
        QSize(int(std::ceil(widget.width() * ratio)), int(std::ceil(widget.height() * ratio))),
        QImage::Format_ARGB32);
    shot.setDevicePixelRatio(ratio);
    shot.fill(Qt::green);
    widget.render(&shot);
    shot.setDevicePixelRatio(1);
    return shot;
}

} // namespace

// At twice the density every pixel but the caption's is the 1x pixel doubled (bevels two device
// pixels wide, colours kept); the caption is drawn afresh at the device's resolution, in its
// colour only, rather than as doubled pixels.
TEST(HighDensity, ControlsDoubleTheirLinesAndDrawTextAtTheDevicesResolution) {
    TPanel panel(nullptr);
    panel.resize(70, 20);
    panel.SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    panel.SetFontColor(clBlack);
    panel.SetCaption(QStringLiteral("Speichern"));
    const QImage single = Rendered(panel, 1);
    const QImage twice = Rendered(panel, 2);
    ASSERT_EQ(twice.size(), single.size() * 2);
    QRect text;
    for (int y = 0; y < single.height(); ++y)
        for (int x = 0; x < single.width(); ++x)
            if (single.pixelColor(x, y) == Qt::black)
                text |= QRect(x, y, 1, 1);
    ASSERT_FALSE(text.isEmpty());
    text.adjust(-1, -1, 1, 1);
    bool finer = false;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x) {
            const QColor pixel = twice.pixelColor(x, y);
            if (!text.contains(x / 2, y / 2)) {
                ASSERT_EQ(pixel, single.pixelColor(x / 2, y / 2)) << x << ',' << y;
                continue;
            }
            EXPECT_TRUE(pixel == Qt::black || pixel == ToQColor(clBtnFace)) << x << ',' << y;
            finer |= pixel != twice.pixelColor(x & ~1, y & ~1);
        }
    EXPECT_TRUE(finer) << "the caption is not doubled pixels";
    EXPECT_EQ(twice.pixelColor(1, 10), ToQColor(clBtnHighlight));
    EXPECT_NE(twice.pixelColor(2, 10), ToQColor(clBtnHighlight));
}

// The picture grows by a whole factor, each of its pixels a square: at 3 it fills its place; at
// 1.5 it stays at 1, centred where it would lie scaled, and the mouse still finds its pixels.
TEST(HighDensity, PicturesGrowByAWholeFactorWithSquarePixels) {
    TBitmap checks(4, 2, TPixelFormat::pf24bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            checks.Canvas().SetPixel(x, y, (x + y) % 2 ? clRed : clBlue);
    TImage image(nullptr);
    image.resize(4, 2);
    image.Picture().SetGraphic(&checks);
    struct Case {
        qreal ratio;
        int factor;
        QPoint origin;
    };
    for (const Case& c : {Case{3, 3, {0, 0}}, Case{1.5, 1, {1, 0}}, Case{2.5, 2, {1, 0}}}) {
        const QImage shot = Rendered(image, c.ratio);
        for (int y = 0; y < 2 * c.factor; ++y)
            for (int x = 0; x < 4 * c.factor; ++x)
                ASSERT_EQ(shot.pixelColor(c.origin + QPoint(x, y)),
                          ToQColor(checks.Canvas().Pixel(x / c.factor, y / c.factor)))
                    << c.ratio << ": " << x << ',' << y;
        const QPoint last = c.origin + QPoint(4, 2) * c.factor - QPoint(1, 1);
        const QPoint under((last.x() + 0.5) / c.ratio, (last.y() + 0.5) / c.ratio);
        EXPECT_EQ(image.PicturePoint(under, c.ratio), QPoint(3, 1)) << c.ratio;
    }
    EXPECT_EQ(image.PicturePoint({2, 1}, 2), QPoint(2, 1));
}
