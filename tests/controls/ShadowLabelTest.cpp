#include "controls/ShadowLabel.h"
#include "runtime/Fonts.h"
#include "runtime/SpacedText.h"
#include "tests/Mouse.h"
#include "tests/Pixels.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
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
        return TSpacedText(font, QRect(1, 0, 100, 20), flags, text).Bounds().size();
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

// The extent of the pixels drawn in `color`.
QRect Extent(QWidget& widget, TColor color) {
    QRect extent;
    for (const auto& [x, y] : pixels::Of(widget, color))
        extent |= QRect(x, y, 1, 1);
    return extent;
}

// Centred both ways in a label larger than its text: across within its margins, down with the
// shadow counted, and then across the whole width.
TEST_F(ShadowLabelTest, CentredAcrossAndDown) {
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 101, 41);
    label->SetCaption(QStringLiteral("Piksel"));
    label->SetColor(clBlack);
    label->SetFontColor(clRed);
    label->SetAlignment(taCenter);
    const QRect top = Extent(*label, clRed);
    label->SetLayout(tlCenter);
    const QRect centred = Extent(*label, clRed);
    const QSize text = TextSize("Piksel");
    EXPECT_EQ(centred.top() - top.top(), (41 - (text.height() + 1)) / 2);
    EXPECT_EQ(centred.left(), top.left()) << "centred across either way";
    label->SetLayout(tlBottom);
    EXPECT_EQ(Extent(*label, clRed).top() - top.top(), 41 - (text.height() + 1));

    // Left-aligned in the middle, the text starts at the left edge rather than a pixel in.
    label->SetAlignment(taLeftJustify);
    const int leftInMiddle = Extent(*label, clRed).left();
    label->SetLayout(tlTop);
    EXPECT_EQ(Extent(*label, clRed).left(), leftInMiddle + 1);
}

// A shadow upwards lies above the measured text, and laid out in the middle or at the bottom the
// pair starts where the shadow starts: the text stands that much lower than its own height
// alone would put it.
TEST_F(ShadowLabelTest, UpwardShadowsAreLaidOutWithTheirText) {
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 101, 41);
    label->SetCaption(QStringLiteral("Piksel"));
    label->SetColor(clBlack);
    label->SetFontColor(clRed);
    label->SetShadowColor(clWhite);
    label->SetShadowSize(2);
    const int text = TextSize("Piksel").height();
    for (const TShadowPosition upwards : {spLeftTop, spRightTop}) {
        SCOPED_TRACE(upwards);
        label->SetShadowPos(upwards);
        label->SetLayout(tlTop);
        const int top = Extent(*label, clRed).top();
        label->SetLayout(tlBottom);
        EXPECT_EQ(Extent(*label, clRed).top() - top, 41 - text - 2);
        label->SetLayout(tlCenter);
        EXPECT_EQ(Extent(*label, clRed).top() - top, (41 - text) / 2 - 2);
        EXPECT_EQ(Extent(*label, clWhite).top(), Extent(*label, clRed).top() - 2);
    }
}

// The ampersand's look changes at once; the size waits for the next caption or font.
TEST_F(ShadowLabelTest, ShowAccelCharRepaintsWithoutResizing) {
    label->SetCaption(QStringLiteral("&Dosya"));
    label->SetColor(clBlack);
    label->SetFontColor(clRed);
    const QSize size = label->size();
    const QImage underlined = label->grab().toImage();
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->size(), size);
    EXPECT_NE(label->grab().toImage(), underlined);
    label->SetCaption(QStringLiteral("&Dosya "));
    EXPECT_GT(label->width(), size.width());
}

// Right-justified, the label grows and shrinks to the left: its right edge stays where it was.
TEST_F(ShadowLabelTest, RightJustifiedItKeepsItsRightEdge) {
    label->SetAlignment(taRightJustify);
    label->SetCaption(QStringLiteral("X : 1"));
    const int right = label->geometry().right();
    label->SetCaption(QStringLiteral("X : 136"));
    EXPECT_EQ(label->geometry().right(), right);
    EXPECT_EQ(label->width(), TextSize("X : 136").width() + 3);
    label->SetCaption(QStringLiteral("X"));
    EXPECT_EQ(label->geometry().right(), right);
    EXPECT_EQ(label->width(), TextSize("X").width() + 3);
}

TEST_F(ShadowLabelTest, WordWrapBreaksWithinItsWidthAndGrowsDown) {
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 60, 17);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption(QStringLiteral("Yeni Dosya Açılacak"));
    const QFontMetrics metrics(font);
    const QRect wrapped = metrics.boundingRect(QRect(1, 0, 58, 100), flags | Qt::TextWordWrap,
                                               QStringLiteral("Yeni Dosya Açılacak"));
    ASSERT_GE(wrapped.height(), 2 * metrics.height());
    EXPECT_EQ(label->height(), wrapped.height() + 1);
    label->SetColor(clBlack);
    label->SetFontColor(clRed);
    EXPECT_GE(Extent(*label, clRed).height(), metrics.height() + metrics.ascent() / 2);
}

// Shown in a window with a field to focus: Alt and the underlined letter moves the focus
// there, and with ShowFocus the label draws a dotted outline while the field has it.
class ShadowLabelFocusTest : public ShadowLabelTest {
protected:
    void SetUp() override {
        ShadowLabelTest::SetUp();
        other = new QLineEdit(&window);
        other->setGeometry(10, 60, 80, 20);
        field = new QLineEdit(&window);
        field->setGeometry(100, 60, 80, 20);
        label->SetCaption(QStringLiteral("&Dosya"));
        label->SetFocusControl(field);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        other->setFocus();
    }
    QLineEdit* other = nullptr;
    QLineEdit* field = nullptr;
};

TEST_F(ShadowLabelFocusTest, TheAccessKeyFocusesItsControl) {
    QTest::keyClick(other, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(field->hasFocus());
    other->setFocus();
    label->SetEnabled(false);
    QTest::keyClick(other, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(other->hasFocus()) << "a disabled label has no access key";
}

TEST_F(ShadowLabelFocusTest, ShowFocusOutlinesItWhileItsControlHasTheFocus) {
    label->SetTransparent(true);
    label->SetShowFocus(true);
    const QImage unfocused = window.grab().toImage();
    field->setFocus();
    const QImage focused = window.grab().toImage();
    // Every other pixel of the label's outline turns: on the see-through label the face
    // counts as its Color, whose inverse the dots take.
    const QColor dot = ToQColor(ColorToRGB(label->Color()) ^ 0xFFFFFF);
    const QRect outline = label->geometry();
    EXPECT_EQ(focused.pixelColor(outline.topLeft()), dot);
    EXPECT_EQ(focused.pixelColor(outline.topLeft() + QPoint(1, 0)), QColor(Qt::green));
    EXPECT_EQ(unfocused.pixelColor(outline.topLeft()), QColor(Qt::green));
    other->setFocus();
    EXPECT_EQ(window.grab().toImage(), unfocused);
}

// The outline goes round text and shadow together, a pixel wider at either side: with the
// shadow two pixels up and to the left only its right and bottom lines fall on the label.
TEST_F(ShadowLabelFocusTest, TheFocusOutlineCoversTextAndShadow) {
    label->SetTransparent(true);
    label->SetShowFocus(true);
    label->SetShadowPos(spLeftTop);
    label->SetShadowSize(2);
    const QRect bounds = label->geometry();
    const QImage unfocused = window.grab(bounds).toImage();
    field->setFocus();
    const QImage focused = window.grab(bounds).toImage();
    int right = 0, bottom = 0, elsewhere = 0;
    for (int y = 0; y < bounds.height(); ++y)
        for (int x = 0; x < bounds.width(); ++x)
            if (focused.pixel(x, y) != unfocused.pixel(x, y))
                ++(x == bounds.width() - 1 ? right : y == bounds.height() - 1 ? bottom : elsewhere);
    EXPECT_GT(right, 0);
    EXPECT_GT(bottom, 0);
    EXPECT_EQ(elsewhere, 0);
}

// The pointer leaving while the left button that went down on the label is held is told only
// once the button is released.
TEST_F(ShadowLabelFocusTest, LeavingIsToldAfterTheHeldButtonGoesUp) {
    QStringList seen;
    label->OnMouseEnter = [&](TControl&) { seen.append(QStringLiteral("enter")); };
    label->OnMouseLeave = [&](TControl&) { seen.append(QStringLiteral("leave")); };
    mouse::Move(*label, QPoint(5, 5));
    ASSERT_EQ(seen, QStringList{"enter"});
    mouse::Press(*label, QPoint(5, 5));
    mouse::Move(*label, QPoint(5, 60));
    EXPECT_EQ(seen, QStringList{"enter"});
    mouse::Release(*label, QPoint(5, 60));
    EXPECT_EQ(seen, (QStringList{"enter", "leave"}));

    mouse::Move(*label, QPoint(5, 5));
    label->SetEnabled(false);
    EXPECT_EQ(seen, (QStringList{"enter", "leave", "enter", "leave"}))
        << "disabling re-checks, and a disabled label is not entered";
    mouse::Move(*label, QPoint(6, 6));
    EXPECT_EQ(seen.size(), 4);
}

} // namespace
