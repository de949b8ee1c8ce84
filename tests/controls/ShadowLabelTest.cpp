#include "controls/ShadowLabel.h"
#include "runtime/Fonts.h"
#include "tests/Pixels.h"

#include <QFontMetrics>
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
    const auto shadow = pixels::Of(*label, clWhite);
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_TRUE(pixels::Moved(pixels::Of(*label, clRed), 1, 1).contains(shadow));
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
    const auto engravedWithLightAt = [&](QPoint offset) {
        const auto text = pixels::Of(*label, clGrayText);
        const auto light = pixels::Of(*label, clBtnHighlight);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(light.isEmpty());
        return pixels::Moved(text, offset.x(), offset.y()).contains(light) &&
               pixels::Of(*label, clRed).isEmpty() && pixels::Of(*label, clYellow).isEmpty();
    };
    EXPECT_TRUE(engravedWithLightAt({1, 1}));
    label->SetShadowSize(2);
    label->SetShadowPos(spRightTop);
    EXPECT_TRUE(engravedWithLightAt({2, -2}));
}

TEST_F(ShadowLabelTest, ATransparentLabelFillsNothing) {
    label->SetCaption(QStringLiteral("Yeni"));
    label->SetColor(clBlack);
    EXPECT_EQ(window.grab().toImage().pixelColor(10, 10), QColor(Qt::black));
    label->SetTransparent(true);
    EXPECT_EQ(window.grab().toImage().pixelColor(10, 10), QColor(Qt::green));
}

} // namespace
