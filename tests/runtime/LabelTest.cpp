#include "runtime/Label.h"
#include "runtime/Fonts.h"
#include "runtime/SpacedText.h"
#include "tests/Pixels.h"

#include <QLineEdit>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

namespace {

using pixels::Moved;

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 120);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::green));
        label = new TLabel(&window);
        label->SetBounds(10, 10, 65, 17);
        label->SetFont(font);
        label->SetColor(clWhite);
        label->SetFontColor(clBlack);
    }
    // The text's box in `area` with `flags`, as the window sets its text.
    QRect Box(const QRect& area, int flags, const QString& text) const {
        return TSpacedText(font, area, flags, text).Bounds();
    }
    pixels::Set Ink(TColor color) const { return pixels::Of(*label, color); }
    // The columns the text's ink spans, first and last.
    std::pair<int, int> InkColumns() const {
        int first = INT_MAX;
        int last = INT_MIN;
        for (const auto& [x, y] : Ink(clBlack)) {
            first = std::min(first, x);
            last = std::max(last, x);
        }
        return {first, last};
    }
    void FixedSize(int width, int height) {
        label->SetAutoSize(false);
        label->SetBounds(10, 10, width, height);
    }

    static constexpr int flags = Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic;
    const QFont font = MakeFont(QStringLiteral("MS Sans Serif"), 11);
    QWidget window;
    TLabel* label = nullptr;
};

// Glyphs land on sub-pixel positions, so the ink may round one pixel either way.
TEST_F(LabelTest, AlignmentMovesTheTextAsQtAlignsIt) {
    FixedSize(100, 20);
    label->SetCaption(QStringLiteral("Wij"));
    const auto [first, last] = InkColumns();
    ASSERT_LT(first, last);
    const QRect area(0, 0, 100, 20);
    const int leftX = Box(area, flags | Qt::AlignLeft, "Wij").x();
    for (const auto& [alignment, qtAlignment] :
         {std::pair{taRightJustify, Qt::AlignRight}, {taCenter, Qt::AlignHCenter}}) {
        label->SetAlignment(alignment);
        const int shift = Box(area, flags | qtAlignment, "Wij").x() - leftX;
        ASSERT_GT(shift, 10);
        EXPECT_NEAR(InkColumns().first, first + shift, 1) << alignment;
        EXPECT_NEAR(InkColumns().second, last + shift, 1) << alignment;
    }
    EXPECT_EQ(label->width(), 100) << "alignment does not re-size";
}

TEST_F(LabelTest, LayoutPutsTheTextAtTheTopMiddleOrBottom) {
    FixedSize(100, 41);
    label->SetCaption(QStringLiteral("Wij"));
    const pixels::Set top = Ink(clBlack);
    const int spare = 41 - Box(QRect(0, 0, 100, 41), flags | Qt::AlignLeft, "Wij").height();
    ASSERT_GT(spare, 2);
    label->SetLayout(tlBottom);
    EXPECT_EQ(Ink(clBlack), Moved(top, 0, spare));
    label->SetLayout(tlCenter);
    EXPECT_EQ(Ink(clBlack), Moved(top, 0, spare / 2));
    EXPECT_EQ(label->size(), QSize(100, 41)) << "layout does not re-size";
}

TEST_F(LabelTest, WordWrapBreaksWithinTheWidthAndAutoSizeKeepsTheLines) {
    const QString text = QStringLiteral("one two three four");
    FixedSize(40, 60);
    label->SetCaption(text);
    const int lineHeight = Box(QRect(0, 0, 40, 60), flags, "one").height();
    auto inkHeight = [this] {
        int lowest = -1;
        for (const auto& [x, y] : Ink(clBlack))
            lowest = std::max(lowest, y);
        return lowest + 1;
    };
    EXPECT_LE(inkHeight(), lineHeight) << "one line without word wrap";
    label->SetWordWrap(true);
    EXPECT_GT(inkHeight(), 2 * lineHeight) << "several lines with it";

    label->SetAutoSize(true);
    const QRect wrapped = Box(QRect(0, 0, 40, 60), flags | Qt::TextWordWrap, text);
    EXPECT_EQ(label->size(), QSize(wrapped.right() + 1, wrapped.bottom() + 1));
}

TEST_F(LabelTest, AutoSizeTakesTheCaptionsSizeAndARightJustifiedLabelKeepsItsRightEdge) {
    label->SetCaption(QStringLiteral("Karakter"));
    EXPECT_EQ(label->geometry(), QRect(QPoint(10, 10), Box({}, flags, "Karakter").size()));

    // Nothing to show still measures one line; so does a lone access-key "&".
    label->SetCaption({});
    EXPECT_EQ(label->size(), Box({}, flags, " ").size());
    label->SetCaption(QStringLiteral("&"));
    EXPECT_EQ(label->size(), Box({}, flags, "& ").size());
    label->SetShowAccelChar(false);
    EXPECT_EQ(label->size(), Box({}, flags, "& ").size()) << "shown anew, not re-sized";
    label->SetCaption({});
    label->SetCaption(QStringLiteral("&"));
    EXPECT_EQ(label->size(), Box({}, Qt::AlignTop | Qt::TextExpandTabs, "&").size());
    label->SetShowAccelChar(true);

    label->SetAlignment(taRightJustify);
    label->SetCaption(QStringLiteral("X : 136"));
    const int right = label->x() + label->width();
    label->SetCaption(QStringLiteral("X : 1"));
    EXPECT_EQ(label->x() + label->width(), right);
    EXPECT_EQ(label->width(), Box({}, flags, "X : 1").width());
    label->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), 11, fsBold));
    EXPECT_EQ(label->x() + label->width(), right) << "a font change re-sizes too";
    EXPECT_EQ(label->width(), QFontMetrics(label->Font()).boundingRect({}, flags, "X : 1").width());

    label->SetAutoSize(false);
    label->SetCaption(QStringLiteral("A caption far too long"));
    EXPECT_EQ(label->width(), QFontMetrics(label->Font()).boundingRect({}, flags, "X : 1").width());
}

TEST_F(LabelTest, AnOpaqueLabelFillsWithItsColourATransparentOneNothing) {
    label->SetCaption(QStringLiteral("Yeni"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint corner(10 + label->width() - 1, 10 + label->height() - 1);
    EXPECT_EQ(window.grab().toImage().pixelColor(corner), QColor(Qt::white));
    label->SetTransparent(true);
    EXPECT_EQ(window.grab().toImage().pixelColor(corner), QColor(Qt::green));
    EXPECT_FALSE(Ink(clBlack).isEmpty()) << "the text is still drawn";
}

// Disabled: a light copy one pixel down and right, the text itself in the button shadow.
TEST_F(LabelTest, ADisabledLabelIsEngraved) {
    label->SetColor(clYellow);
    label->SetCaption(QStringLiteral("Adsız"));
    label->SetEnabled(false);
    const pixels::Set text = Ink(clBtnShadow);
    const pixels::Set light = Ink(clBtnHighlight);
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(light.isEmpty());
    EXPECT_TRUE(Ink(clBlack).isEmpty());
    EXPECT_TRUE(Moved(text, 1, 1).contains(light));
}

class AccessKeyTest : public LabelTest {
protected:
    void SetUp() override {
        LabelTest::SetUp();
        label->SetCaption(QStringLiteral("&Name"));
        edit = new QLineEdit(&window);
        edit->setGeometry(100, 10, 80, 20);
        other = new QLineEdit(&window);
        other->setGeometry(100, 40, 80, 20);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }
    bool AltNMovesTheFocus() {
        other->setFocus();
        QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
        return edit->hasFocus();
    }

    QLineEdit* edit = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(AccessKeyTest, TheAccessKeyFocusesTheFocusControl) {
    EXPECT_FALSE(AltNMovesTheFocus()) << "no focus control yet";
    label->SetFocusControl(edit);
    EXPECT_TRUE(AltNMovesTheFocus());

    label->SetCaption(QStringLiteral("Na&me"));
    EXPECT_FALSE(AltNMovesTheFocus()) << "the key follows the caption";
    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(AccessKeyTest, NoFocusMovesWithoutAnAccessKeyOrAWillingControl) {
    label->SetFocusControl(edit);
    label->SetShowAccelChar(false);
    EXPECT_FALSE(AltNMovesTheFocus()) << "\"&\" shown as it stands";
    label->SetShowAccelChar(true);
    label->SetEnabled(false);
    EXPECT_FALSE(AltNMovesTheFocus()) << "disabled label";
    label->SetEnabled(true);
    edit->setEnabled(false);
    EXPECT_FALSE(AltNMovesTheFocus()) << "disabled focus control";
    edit->setEnabled(true);
    edit->setFocusPolicy(Qt::NoFocus);
    EXPECT_FALSE(AltNMovesTheFocus()) << "a control that takes no focus";
    edit->setFocusPolicy(Qt::StrongFocus);
    EXPECT_TRUE(AltNMovesTheFocus());

    delete edit;
    EXPECT_EQ(label->FocusControl(), nullptr);
    other->setFocus();
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(other->hasFocus());
}

} // namespace
