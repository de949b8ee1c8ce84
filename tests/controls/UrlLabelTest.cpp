#include "controls/UrlLabel.h"
#include "runtime/Shell.h"
#include "tests/Mouse.h"

#include <gtest/gtest.h>

namespace {

class UrlLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        TShell::SetOpener([this](const QUrl& url) { opened.append(url); });
        window.resize(300, 100);
        label = new TProUrlLabel(&window);
        label->SetBounds(10, 10, 161, 13);
        label->SetCaption(QStringLiteral("www.varnel.example"));
        label->SetURL(QStringLiteral("http://www.varnel.example/"));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { TShell::SetOpener({}); }

    QWidget window;
    TProUrlLabel* label = nullptr;
    QList<QUrl> opened;
};

TEST_F(UrlLabelTest, AClickWithAnyButtonOpensTheAddressOrElseTheCaption) {
    EXPECT_EQ(label->FontColor(), clBlue);
    mouse::Click(*label, QPoint(3, 3), Qt::RightButton);
    EXPECT_TRUE(label->Visited());
    EXPECT_EQ(label->FontColor(), clNavy);
    label->SetURL({});
    label->SetCaption(QStringLiteral("varnel@mail.example"));
    mouse::Click(*label, QPoint(3, 3));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl("http://www.varnel.example/"),
                                   QUrl("mailto:varnel@mail.example")}));
}

TEST_F(UrlLabelTest, ReleasedAwayItOpensNothingAndTurnsBack) {
    mouse::Press(*label, QPoint(3, 3));
    EXPECT_EQ(label->FontColor(), clRed);
    mouse::Move(*label, QPoint(3, 40));
    EXPECT_EQ(label->FontColor(), clBlue);
    mouse::Move(*label, QPoint(3, 3));
    EXPECT_EQ(label->FontColor(), clRed);
    mouse::Release(*label, QPoint(3, 40));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(label->Visited());
    EXPECT_EQ(label->FontColor(), clBlue);
}

TEST_F(UrlLabelTest, TheFontColourIsTheColourOfTheCurrentState) {
    label->SetFontColor(clGreen);
    EXPECT_EQ(label->UnvisitedColor(), clGreen);
    label->SetVisitedColor(clPurple);
    mouse::Click(*label, QPoint(3, 3));
    EXPECT_EQ(label->FontColor(), clPurple);
    label->SetFontColor(clTeal);
    EXPECT_EQ(label->VisitedColor(), clTeal);
    EXPECT_EQ(label->UnvisitedColor(), clGreen);
}

// Laid out at a size of its own after its caption, as the window's mail link is, the link keeps
// that size whatever colours it goes through; only a new caption or font measures it again.
TEST_F(UrlLabelTest, KeepsTheSizeItWasLaidOutAtThroughItsColours) {
    ASSERT_TRUE(label->AutoSize());
    label->SetBounds(10, 10, 84, 13);
    mouse::Press(*label, QPoint(3, 3));
    mouse::Move(*label, QPoint(3, 40));
    mouse::Move(*label, QPoint(3, 3));
    mouse::Release(*label, QPoint(3, 3));
    label->SetFontColor(clGreen);
    EXPECT_EQ(label->size(), QSize(84, 13));
    label->SetCaption(QStringLiteral("www"));
    EXPECT_LT(label->width(), 84);
}

// Held down, the link shows the current state's colour at once when it is set, and keeps it
// only once it is let go of and the font colour is copied back; the other state's is kept.
TEST_F(UrlLabelTest, ColoursSetWhileHeldGoThroughTheFontColour) {
    mouse::Press(*label, QPoint(3, 3));
    label->SetUnvisitedColor(clGreen);
    EXPECT_EQ(label->FontColor(), clGreen);
    EXPECT_EQ(label->UnvisitedColor(), clBlue);
    label->SetVisitedColor(clPurple);
    EXPECT_EQ(label->FontColor(), clGreen);
    EXPECT_EQ(label->VisitedColor(), clPurple);
    mouse::Release(*label, QPoint(3, 40));
    EXPECT_EQ(label->FontColor(), clBlue);

    mouse::Click(*label, QPoint(3, 3));
    ASSERT_EQ(label->FontColor(), clPurple);
    mouse::Press(*label, QPoint(3, 3));
    label->SetUnvisitedColor(clGreen);
    EXPECT_EQ(label->FontColor(), clRed);
    EXPECT_EQ(label->UnvisitedColor(), clGreen);
    label->SetVisitedColor(clTeal);
    EXPECT_EQ(label->FontColor(), clTeal);
    EXPECT_EQ(label->VisitedColor(), clPurple);
    label->SetVisitedColor(clPurple);
    EXPECT_EQ(label->FontColor(), clTeal) << "equal to the kept colour: nothing";
}

} // namespace
