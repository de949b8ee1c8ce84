#include "runtime/Image.h"
#include "runtime/Bitmap.h"
#include "runtime/InvalidGraphic.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A picture that is not a bitmap, as an icon or a metafile is.
class Drawing : public TGraphic {
public:
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<Drawing>(); }
    bool Empty() const override { return false; }
    int Width() const override { return 8; }
    int Height() const override { return 8; }
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    void Draw(TCanvas& canvas, const QRect& rect) override { canvas.FillRect(rect, clBlue); }
    void LoadFromStream(QIODevice&) override {}
    void SaveToStream(QIODevice&) const override {}
};

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(100, 100);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        image = new TImage(&window);
        image->SetBounds(10, 10, 40, 30);
    }
    QColor Pixel(int x, int y) { return window.grab().toImage().pixelColor(x, y); }

    QWidget window;
    TImage* image = nullptr;
};

TEST_F(ImageTest, ShowsItsPictureAtTheTopLeftCutAtItsEdgesOrTakesItsSize) {
    TBitmap bitmap(60, 20, TPixelFormat::pf24bit);
    bitmap.Canvas().FillRect(QRect(0, 0, 60, 20), clRed);
    image->Picture().SetGraphic(&bitmap);
    EXPECT_EQ(Pixel(49, 29), QColor(Qt::red));
    EXPECT_EQ(Pixel(50, 20), QColor(Qt::green)); // cut at the control's edge
    EXPECT_EQ(Pixel(20, 30), QColor(Qt::green)); // below the picture

    image->SetAutoSize(true);
    EXPECT_EQ(image->geometry(), QRect(10, 10, 60, 20));
    image->Picture().SetGraphic(std::make_unique<TBitmap>(153, 135, TPixelFormat::pf4bit));
    EXPECT_EQ(image->size(), QSize(153, 135));
}

TEST_F(ImageTest, DrawingOnTheCanvasRepaintsTheControl) {
    image->Picture().SetGraphic(std::make_unique<TBitmap>(40, 30, TPixelFormat::pf1bit));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    PaintCounter counter;
    image->installEventFilter(&counter);

    image->Canvas().SetPenColor(clWhite);
    image->Canvas().LineTo(10, 0);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(Pixel(15, 10), QColor(Qt::white));
}

TEST_F(ImageTest, OnlyABitmapHasACanvas) {
    EXPECT_EQ(image->Canvas().Width(), 40); // an empty image is given one of its own size
    image->Picture().SetGraphic(std::make_unique<Drawing>());
    try {
        image->Canvas();
        FAIL() << "a drawing has no canvas";
    } catch (const EInvalidGraphic& error) {
        EXPECT_EQ(error.Message(), "Can only modify an image if it contains a bitmap");
    }
    EXPECT_EQ(Pixel(17, 17), QColor(Qt::blue));
}

} // namespace
