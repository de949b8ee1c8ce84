#include "controls/Text3D.h"
#include "controls/sohoCustomLabel.h"
#include "runtime/Canvas.h"
#include "runtime/Fonts.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

const QFont kFont = MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold);

// Where `image` holds `color`.
QRect Extent(const QImage& image, QRgb color) {
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                extent |= QRect(x, y, 1, 1);
    return extent;
}

struct Drawn {
    QImage image;
    QRect result;
};

Drawn Draw(const QString& text, const QRect& rect, int flags, const TText3DLook& look,
           bool measureOnly = false) {
    Drawn drawn{QImage(120, 60, QImage::Format_RGB32), {}};
    drawn.image.fill(Qt::black);
    TCanvas canvas(drawn.image);
    canvas.SetFont(kFont);
    drawn.result = DrawText3D(canvas, text, rect, flags, look, measureOnly);
    return drawn;
}

const TText3DLook kLook{lpLeftTop, 2, clWhite, clGray, clRed};

TEST(Text3D, MeasuringDrawsNothingAndGivesTheSizeTheCopiesNeed) {
    const Drawn measured = Draw("Piksel", QRect(10, 10, 100, 40), Qt::AlignLeft, kLook, true);
    EXPECT_EQ(Extent(measured.image, qRgb(0, 0, 0)), measured.image.rect());
    const QRect text = QFontMetrics(kFont).boundingRect(QRect(12, 12, 96, 36), Qt::AlignLeft,
                                                        QStringLiteral("Piksel"));
    EXPECT_EQ(measured.result, text.adjusted(-2, -2, 2, 2));
    // Drawn into exactly that, every copy shows whole, the text proper inside the depth.
    const Drawn drawn = Draw("Piksel", measured.result, Qt::AlignLeft, kLook);
    EXPECT_TRUE(text.contains(Extent(drawn.image, qRgb(255, 0, 0))));
    EXPECT_EQ(Extent(drawn.image, qRgb(255, 255, 255)).topLeft(),
              Extent(drawn.image, qRgb(255, 0, 0)).topLeft() - QPoint(2, 2));
}

// Each copy is cut at its own rectangle: too small a rectangle cuts the lit copy at its top
// and left, the shaded one at its bottom and right.
TEST(Text3D, EachCopyIsClippedToItsRectangle) {
    const QRect rect(10, 10, 30, 16);
    const Drawn drawn = Draw("Karakter", rect, Qt::AlignLeft, kLook);
    const QRect inner = rect.adjusted(2, 2, -2, -2);
    EXPECT_TRUE(inner.contains(Extent(drawn.image, qRgb(255, 0, 0))));
    EXPECT_TRUE(inner.translated(-2, -2).contains(Extent(drawn.image, qRgb(255, 255, 255))));
    EXPECT_TRUE(inner.translated(2, 2).contains(Extent(drawn.image, qRgb(128, 128, 128))));
}

TEST(Text3D, AlignsWrapsAndTakesTheAccessKeyPrefix) {
    const QRect rect(0, 0, 120, 60);
    const QRect right = Extent(Draw("Yeni", rect, Qt::AlignRight, kLook).image, qRgb(255, 0, 0));
    EXPECT_GE(right.right(), 112);
    EXPECT_LE(right.right(), 117);
    const QRect centred =
        Extent(Draw("Yeni", rect, Qt::AlignHCenter, kLook).image, qRgb(255, 0, 0));
    EXPECT_NEAR(centred.center().x(), 60, 2);

    const QRect wrapped =
        Draw("Yeni Dosya Yeni Dosya", QRect(0, 0, 60, 60), Qt::TextWordWrap, kLook, true).result;
    EXPECT_GE(wrapped.height(), 2 * QFontMetrics(kFont).height() + 4);

    const int withPrefix = Draw("&Yeni", rect, Qt::TextShowMnemonic, kLook, true).result.width();
    EXPECT_EQ(withPrefix, Draw("Yeni", rect, 0, kLook, true).result.width());
    EXPECT_GT(Draw("&Yeni", rect, 0, kLook, true).result.width(), withPrefix);
}

// A framed 3-D label as a plain label would use it.
class FramedLabel : public TsohoCustomLabel {
public:
    explicit FramedLabel(QWidget* parent) : TsohoCustomLabel(parent) {}
};

TEST(Text3D, AFramedLabelSizesItselfToFrameAndCopies) {
    FramedLabel label(nullptr);
    label.SetFont(kFont);
    label.SetBevelWidth(2);
    label.SetHeight3D(3);
    label.SetCaption(QStringLiteral("Piksel"));
    const QSize text =
        QFontMetrics(kFont)
            .boundingRect(QRect(0, 0, 200, 50), Qt::AlignLeft, QStringLiteral("Piksel"))
            .size();
    EXPECT_EQ(label.size(), text + QSize(2 * 2 + 2 * 3, 2 * 2 + 2 * 3));
    label.SetBevel(false);
    EXPECT_EQ(label.size(), text + QSize(2 * 3, 2 * 3));
    label.SetTransparent(false);
    label.SetColor(clYellow);
    label.SetFontColor(clRed);
    const QImage shot = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::yellow));
    EXPECT_TRUE(QRect(3, 3, text.width(), text.height()).contains(Extent(shot, qRgb(255, 0, 0))));
}

} // namespace
