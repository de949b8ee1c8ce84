#include "controls/ShadowLabel.h"
#include "runtime/Fonts.h"

#include <QFontMetrics>
#include <QSet>
#include <gtest/gtest.h>

namespace {

constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;

class ShadowLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 100);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        label = new TShadowLabel(&window);
        label->SetBounds(10, 10, 65, 17);
        label->SetFont(font);
        label->SetShadowPos(spRightBottom);
    }
    QSize TextSize(const QString& text) const {
        return QFontMetrics(font).boundingRect(QRect(1, 0, 100, 20), flags, text).size();
    }

    const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold);
    QWidget window;
    TShadowLabel* label = nullptr;
};

TEST_F(ShadowLabelTest, SizesItselfToTextAndShadow) {
    label->SetCaption(QStringLiteral("X : 15"));
    EXPECT_EQ(label->size(), TextSize("X : 15") + QSize(3, 1));
    EXPECT_EQ(label->pos(), QPoint(10, 10));

    // An empty caption keeps one line.
    label->SetCaption({});
    EXPECT_EQ(label->height(), TextSize(" ").height() + 1);

    // The shadow above and to the left takes no room; moving it does not re-size.
    label->SetShadowPos(spLeftTop);
    EXPECT_EQ(label->height(), TextSize(" ").height() + 1);
    label->SetCaption(QStringLiteral("Adsız"));
    EXPECT_EQ(label->size(), TextSize("Adsız") + QSize(2, 0));
}

TEST_F(ShadowLabelTest, DrawsTheShadowAsTheTextMovedTowardsShadowPos) {
    label->SetCaption(QStringLiteral("Karakter"));
    label->SetColor(clBlack);
    label->SetFontColor(clRed);
    label->SetShadowColor(clWhite);
    const QImage shot = label->grab().toImage();
    QSet<QPair<int, int>> text;
    QList<QPoint> shadow;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixelColor(x, y) == Qt::red)
                text.insert({x, y});
            else if (shot.pixelColor(x, y) == Qt::white)
                shadow.append({x, y});
        }
    ASSERT_FALSE(shadow.isEmpty());
    for (const QPoint& p : shadow)
        EXPECT_TRUE(text.contains({p.x() - 1, p.y() - 1})) << p.x() << "," << p.y();
}

// Disabled, the label is engraved whatever its colours: grey text over a light copy one pixel
// down and right, even with no shadow of its own; a shadow it has keeps its place.
TEST_F(ShadowLabelTest, ADisabledLabelIsEngraved) {
    label->SetCaption(QStringLiteral("Karakter"));
    label->SetColor(clBlack);
    label->SetFontColor(clRed);
    label->SetShadowColor(clYellow);
    label->SetShadowSize(0);
    label->SetEnabled(false);
    const auto pixels = [this](TColor color) {
        const QImage shot = label->grab().toImage();
        QSet<QPair<int, int>> found;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y) == ToQColor(color))
                    found.insert({x, y});
        return found;
    };
    const auto offsetOfLight = [&](QPoint offset) {
        const auto text = pixels(clGrayText);
        const auto light = pixels(clBtnHighlight);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(light.isEmpty());
        for (const auto& [x, y] : light)
            if (!text.contains({x - offset.x(), y - offset.y()}))
                return false;
        return pixels(clRed).isEmpty() && pixels(clYellow).isEmpty();
    };
    EXPECT_TRUE(offsetOfLight({1, 1}));
    label->SetShadowSize(2);
    label->SetShadowPos(spRightTop);
    EXPECT_TRUE(offsetOfLight({2, -2}));
}

TEST_F(ShadowLabelTest, ATransparentLabelFillsNothing) {
    label->SetCaption(QStringLiteral("Yeni"));
    label->SetColor(clBlack);
    EXPECT_EQ(window.grab().toImage().pixelColor(10, 10), QColor(Qt::black));
    label->SetTransparent(true);
    EXPECT_EQ(window.grab().toImage().pixelColor(10, 10), QColor(Qt::green));
}

} // namespace
