#include "controls/ProLabel.h"
#include "controls/UrlLabel.h"
#include "runtime/Fonts.h"
#include "tests/Pixels.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace {

using pixels::Moved;

struct Centre {
    double x = 0;
    double y = 0;
};

// The mean of the pixels' centres, so that it turns as the text does.
Centre CentreOf(const pixels::Set& ink) {
    Centre centre;
    for (const auto& [x, y] : ink) {
        centre.x += x + 0.5;
        centre.y += y + 0.5;
    }
    centre.x /= ink.size();
    centre.y /= ink.size();
    return centre;
}

QRect Bounds(const pixels::Set& ink) {
    QRect bounds;
    for (const auto& [x, y] : ink)
        bounds |= QRect(x, y, 1, 1);
    return bounds;
}

class ProLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        label = new TProLabel(&window);
        label->SetFont(font);
        label->SetColor(clYellow);
        label->SetFontColor(clBlack);
    }
    void FixedSize(int width, int height) {
        label->SetAutoSize(false);
        label->SetBounds(0, 0, width, height);
    }
    pixels::Set Ink(TColor color) const { return pixels::Of(*label, color); }
    int TextWidth(const QString& text) const { return QFontMetrics(font).horizontalAdvance(text); }
    int TextHeight() const { return QFontMetrics(font).height(); }
    // Captions `text`, turns it by `angle` and returns the centre of its ink before the turn.
    Centre Turn(int angle) {
        label->SetCaption(text);
        const Centre level = CentreOf(Ink(clBlack));
        label->SetAngle(angle);
        return level;
    }

    const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 16);
    // Unlike at either end, so that a turn the wrong way shows.
    const QString text = QStringLiteral("Wj.");
    QWidget window;
    TProLabel* label = nullptr;
};

TEST_F(ProLabelTest, TheAngleIsKeptInOneTurnAndATurnedLabelDoesNotAutoSize) {
    EXPECT_TRUE(label->AutoSize());
    label->SetAngle(450);
    EXPECT_EQ(label->Angle(), 90);
    EXPECT_FALSE(label->AutoSize());
    label->SetAutoSize(true);
    label->SetAngle(-90);
    EXPECT_EQ(label->Angle(), 270);
    EXPECT_FALSE(label->AutoSize());
    label->SetAutoSize(true);
    label->SetAngle(720);
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_TRUE(label->AutoSize()) << "level text keeps auto-size";
}

// The ink of the level caption, turned about the text's top-left corner, is where the turned
// caption must land; its centre is compared, as glyphs are rasterised afresh when turned.
TEST_F(ProLabelTest, AtNinetyDegreesTheTextRunsUpFromTheBoxsBottomLeftCorner) {
    FixedSize(80, 80);
    const Centre level = Turn(90);
    const pixels::Set turned = Ink(clBlack);
    ASSERT_FALSE(turned.isEmpty());
    const int w = TextWidth(text);
    const int h = TextHeight();
    // Turning counter-clockwise sends the text's (x, y) to (y, w - x) in the box h wide, w high.
    EXPECT_NEAR(CentreOf(turned).x, level.y, 1.0);
    EXPECT_NEAR(CentreOf(turned).y, w - level.x, 1.0);
    EXPECT_TRUE(QRect(0, 0, h, w).adjusted(-1, -1, 1, 1).contains(Bounds(turned)));

    // Right and bottom alignment move the whole box into the far corner.
    label->SetAlignment(taRightJustify);
    label->SetVerticalAlignment(vaBottom);
    EXPECT_EQ(Ink(clBlack), Moved(turned, 80 - h, 80 - w));
    label->SetAlignment(taCenter);
    label->SetVerticalAlignment(vaCenter);
    EXPECT_EQ(Ink(clBlack), Moved(turned, (80 - h) / 2, (80 - w) / 2));
}

TEST_F(ProLabelTest, AtFortyFiveDegreesTheTextClimbsFromTheBoxsLeftEdge) {
    FixedSize(90, 90);
    const Centre level = Turn(45);
    const pixels::Set turned = Ink(clBlack);
    ASSERT_FALSE(turned.isEmpty());
    const double s = std::sin(std::numbers::pi / 4);
    const int a = static_cast<int>(TextWidth(text) * s); // w·cos = w·sin at 45 degrees
    const int d = static_cast<int>(TextHeight() * s);
    // The text's top-left corner starts at (0, b), b = w·sin.
    EXPECT_NEAR(CentreOf(turned).x, level.x * s + level.y * s, 1.5);
    EXPECT_NEAR(CentreOf(turned).y, a - level.x * s + level.y * s, 1.5);
    EXPECT_TRUE(QRect(0, 0, a + d, a + d).adjusted(-1, -1, 1, 1).contains(Bounds(turned)));
}

TEST_F(ProLabelTest, OffsetsShiftTheTextAndOnlyAShiftRightOrDownEndsAutoSize) {
    label->SetCaption(QStringLiteral("Karakter"));
    const QSize sized = label->size();
    label->SetOffsetX(-3);
    label->SetOffsetY(-1);
    EXPECT_TRUE(label->AutoSize());
    EXPECT_EQ(label->size(), sized);
    label->SetOffsetX(3);
    EXPECT_FALSE(label->AutoSize());
    label->SetAutoSize(true);
    label->SetOffsetY(2);
    EXPECT_FALSE(label->AutoSize());

    label->SetOffsetX(0);
    label->SetOffsetY(0);
    FixedSize(100, 30);
    const pixels::Set level = Ink(clBlack);
    label->SetOffsetX(3);
    label->SetOffsetY(2);
    EXPECT_EQ(Ink(clBlack), Moved(level, 3, 2));
}

TEST_F(ProLabelTest, VerticalAlignmentIsTheLayoutAndATallCaptionEndsAtTheBottomEdge) {
    label->SetWordWrap(true);
    FixedSize(40, 60);
    label->SetCaption(QStringLiteral("one two three"));
    const pixels::Set top = Ink(clBlack);
    const int height = QFontMetrics(font)
                           .boundingRect(QRect(0, 0, 40, 60),
                                         Qt::TextWordWrap | Qt::TextShowMnemonic, label->Caption())
                           .height();
    ASSERT_GT(height, 2 * TextHeight()) << "three lines";
    ASSERT_LT(height, 60);
    label->SetLayout(tlBottom);
    EXPECT_EQ(label->VerticalAlignment(), vaBottom);
    EXPECT_EQ(Ink(clBlack), Moved(top, 0, 60 - height));
    label->SetVerticalAlignment(vaCenter);
    EXPECT_EQ(label->Layout(), tlCenter);
    EXPECT_EQ(Ink(clBlack), Moved(top, 0, (60 - height) / 2));

    // Too short for its three lines, the label shows the last ones whole.
    label->SetVerticalAlignment(vaBottom);
    label->SetBounds(0, 0, 40, 20);
    pixels::Set expected;
    for (const auto& point : Moved(top, 0, 20 - height))
        if (point.second >= 0)
            expected.insert(point);
    EXPECT_EQ(Ink(clBlack), expected);
}

struct PresetCase {
    TShadowStyle style;
    QPoint highlight;  // where the highlight copy lies
    QPoint shadowStep; // one step of the shadow copies
    int shadowDepth;
    int shadowSize;
    bool faceColoredText;
};

// Each preset's copies, read from the pixels: the shadow copies first, the highlight copy over
// them, the caption over both. The caption's own ink, drawn alone, is the stamp for every copy.
TEST_F(ProLabelTest, EveryShadowStyleDrawsItsCopiesWhereItsTableSays) {
    FixedSize(120, 40);
    label->SetCaption(QStringLiteral("Wij"));
    label->SetOffsetX(8);
    label->SetOffsetY(8);
    const pixels::Set caption = Ink(clBlack);
    ASSERT_FALSE(caption.isEmpty());
    ASSERT_NE(ToQColor(clBtnHighlight), ToQColor(clBtnShadow));
    ASSERT_NE(ToQColor(clBtnFace), ToQColor(clBtnShadow));
    ASSERT_NE(ToQColor(clBtnFace), ToQColor(clBtnHighlight));
    const QPoint upLeft(-1, -1);
    const QPoint downRight(1, 1);
    const PresetCase cases[] = {
        {ssNone, {}, {}, 0, 0, false},
        {ssRaised, upLeft, {}, 0, 0, false},
        {ssRaisedColor, upLeft, downRight, 1, 1, true},
        {ssRaisedShadow, upLeft, downRight, 1, 1, false},
        {ssRaisedThickShadow, upLeft, downRight, 1, 4, false},
        {ssRecessed, downRight, {}, 0, 0, false},
        {ssRecessedColor, downRight, upLeft, 1, 1, true},
        {ssRecessedShadow, downRight, upLeft, 1, 1, false},
        {ssShadow, {}, downRight, 2, 1, false},
        {ssThickShadow, {}, downRight, 1, 4, false},
    };
    for (const PresetCase& c : cases) {
        label->SetFontColor(clBlack);
        label->SetShadowStyle(c.style);
        const TColor text = c.faceColoredText ? clBtnFace : clBlack;
        EXPECT_EQ(label->FontColor(), text) << c.style;
        pixels::Set shadow;
        for (int i = 0; i < c.shadowSize; ++i)
            shadow |= Moved(caption, c.shadowStep.x() * (c.shadowDepth + i),
                            c.shadowStep.y() * (c.shadowDepth + i));
        const pixels::Set highlight =
            c.style == ssNone ? pixels::Set() : Moved(caption, c.highlight.x(), c.highlight.y());
        EXPECT_EQ(Ink(text), caption) << c.style;
        EXPECT_EQ(Ink(clBtnHighlight), highlight - caption) << c.style;
        EXPECT_EQ(Ink(clBtnShadow), shadow - highlight - caption) << c.style;
    }
}

TEST_F(ProLabelTest, ChangingACopySettingByHandMakesTheStyleCustom) {
    label->SetShadowStyle(ssShadow);
    EXPECT_EQ(label->ShadowDirection(), drDownRight);
    EXPECT_EQ(label->ShadowDepth(), 2);
    label->SetShadowDepth(3);
    EXPECT_EQ(label->ShadowStyle(), ssCustom);
    EXPECT_EQ(label->ShadowDepth(), 3);
    label->SetShadowStyle(ssCustom);
    EXPECT_EQ(label->ShadowDepth(), 3) << "ssCustom applies nothing";
    label->SetHighlightColor(clRed);
    label->SetShadowStyle(ssRaised);
    EXPECT_EQ(label->HighlightColor(), clBtnHighlight);
    EXPECT_EQ(label->ShadowStyle(), ssRaised);
    // However large the number, the copies stay a bounded row.
    label->SetShadowSize(1'000'000);
    EXPECT_EQ(label->ShadowSize(), 1280);
}

TEST_F(ProLabelTest, ADisabledLabelIsEngravedWhateverItsCopies) {
    FixedSize(120, 40);
    label->SetCaption(QStringLiteral("Adsız"));
    label->SetOffsetX(5);
    label->SetOffsetY(5);
    const pixels::Set caption = Ink(clBlack);
    label->SetShadowStyle(ssRaisedThickShadow);
    label->SetEnabled(false);
    EXPECT_TRUE(Ink(clBlack).isEmpty());
    EXPECT_EQ(Ink(clBtnShadow), caption);
    EXPECT_EQ(Ink(clBtnHighlight), Moved(caption, 1, 1) - caption);
}

TEST_F(ProLabelTest, WordWrapBreaksTheCaptionAndATransparentLabelFillsNothing) {
    FixedSize(40, 60);
    label->SetCaption(QStringLiteral("one two three"));
    EXPECT_LT(Bounds(Ink(clBlack)).bottom(), TextHeight());
    label->SetWordWrap(true);
    EXPECT_GT(Bounds(Ink(clBlack)).bottom(), 2 * TextHeight());
    EXPECT_EQ(Ink(clYellow).size() + Ink(clBlack).size(), 40 * 60);
    label->SetTransparent(true);
    EXPECT_TRUE(Ink(clYellow).isEmpty());
    EXPECT_FALSE(Ink(clBlack).isEmpty());
}

TEST_F(ProLabelTest, TheAccessKeyFocusesTheFocusControl) {
    label->SetCaption(QStringLiteral("&Name"));
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(100, 10, 80, 20);
    auto* other = new QLineEdit(&window);
    other->setGeometry(100, 40, 80, 20);
    label->SetFocusControl(edit);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

TEST(ProUrlLabel, ShowsAPointingHandAndTakesTheLabelsExtras) {
    QWidget window;
    auto* link = new TProUrlLabel(&window);
    EXPECT_EQ(link->Cursor(), crProHandPoint);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    link->SetCursor(crProDragHand);
    EXPECT_EQ(link->cursor().shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(link->ShadowStyle(), ssNone);
    link->SetShadowStyle(ssShadow);
    EXPECT_EQ(link->FontColor(), clBlue) << "the shadow leaves the link's colour";
}

} // namespace

// Marks above capitals reach above the line's ascent: the dot of "İ" must not be cut off, in
// the dialogs' label at their design size and as scaled down for 96 pixels per inch.
TEST(ProLabelText, TheDotOfDottedCapitalIStaysAboveItsStem) {
    for (int pixels : {9, 11}) {
        QWidget window;
        window.resize(120, 40);
        auto* label = new TProLabel(&window);
        label->SetAutoSize(false);
        label->SetWordWrap(true);
        label->SetBounds(0, 0, 100, 36);
        label->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), pixels));
        label->SetCaption(QStringLiteral("EMİN"));
        const QImage shot = label->grab().toImage();
        QString rows;
        for (int y = 0; y < shot.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < shot.width(); ++x)
                ink |= shot.pixelColor(x, y) == ToQColor(clWindowText);
            rows += ink ? u'#' : u'.';
        }
        // Dot, a clear row, then the capitals.
        EXPECT_TRUE(rows.contains(QRegularExpression(QStringLiteral("#\\.+#"))))
            << pixels << ' ' << rows.toStdString();
    }
}
