#include "controls/TextListBox.h"
#include "runtime/Exception.h"
#include "runtime/Fonts.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A shown box the size of the window's, in the window's font.
class TextListBox : public ::testing::Test {
protected:
    TextListBox() {
        box.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
        box.setGeometry(0, 0, 524, 310);
        box.SetItemHeight(13);
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    }

    // The width a line takes with its margin, measured as Qt lays it out.
    int Width(const QString& line) const {
        return QFontMetrics(box.font()).horizontalAdvance(line + u'x');
    }
    QScrollBar& Bar() { return *box.horizontalScrollBar(); }
    bool BarShown() {
        QCoreApplication::processEvents();
        return Bar().isVisible();
    }

    TTextListBox box{nullptr};
    const QString wide = QStringLiteral("W").repeated(120);
    const QString wider = QStringLiteral("W").repeated(150);
    const QString narrow = QStringLiteral("a short line");
};

TEST_F(TextListBox, ALineWiderThanTheBoxBringsTheBarWithItsWidth) {
    EXPECT_EQ(box.HorizontalExtent(), 0);
    EXPECT_FALSE(BarShown());
    box.Add(narrow);
    EXPECT_EQ(box.HorizontalExtent(), Width(narrow));
    EXPECT_FALSE(BarShown()) << "a line that fits needs no bar";
    ASSERT_GT(Width(wide), box.viewport()->width());
    EXPECT_EQ(box.Add(wide), 1);
    EXPECT_EQ(box.HorizontalExtent(), Width(wide));
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Bar().maximum(), Width(wide) - box.viewport()->width());
    EXPECT_EQ(box.Insert(0, wider), 0);
    EXPECT_EQ(box.HorizontalExtent(), Width(wider));
    box.Insert(3, narrow);
    EXPECT_EQ(box.HorizontalExtent(), Width(wider));
    EXPECT_EQ(box.Count(), 4);
    EXPECT_EQ(box.Line(0), wider);
}

TEST_F(TextListBox, DeletingTheWidestLineScrollsBackAndNarrowsTheRange) {
    box.AddLines({narrow, wider, wide, narrow});
    Bar().setValue(Bar().maximum());
    const int scrolled = Bar().value();
    ASSERT_GT(scrolled, 0);

    box.Delete(3); // narrower: nothing moves
    EXPECT_EQ(box.HorizontalExtent(), Width(wider));
    EXPECT_EQ(Bar().value(), scrolled);

    box.Delete(1);
    EXPECT_EQ(box.HorizontalExtent(), Width(wide));
    EXPECT_EQ(Bar().value(), 0);
    EXPECT_EQ(box.Line(1), wide);

    box.Delete(1);
    EXPECT_EQ(box.HorizontalExtent(), Width(narrow));
    EXPECT_FALSE(BarShown());
}

TEST_F(TextListBox, ClearingEmptiesTheRange) {
    box.AddLines({wide, wider});
    Bar().setValue(Bar().maximum());
    box.Clear();
    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(box.HorizontalExtent(), 0);
    EXPECT_EQ(Bar().value(), 0);
    EXPECT_FALSE(BarShown());
    box.Add(narrow);
    EXPECT_EQ(box.HorizontalExtent(), Width(narrow)) << "the old widest is forgotten";
}

// Without tab stops a tab counts as a blank; with them each reaches the next stop.
TEST_F(TextListBox, TabsReachTheirStopsOnlyWhenTheBoxHasStops) {
    const QString tabbed = QStringLiteral("\t\t\t\tend");
    box.Add(tabbed);
    EXPECT_EQ(box.HorizontalExtent(), Width(QStringLiteral("    end")));
    box.SetTabWidth(40); // ten "0"s apart
    const int stop = qRound(QFontMetrics(box.font()).horizontalAdvance(u'0') * 10.0);
    box.Clear();
    box.Add(tabbed);
    EXPECT_GE(box.HorizontalExtent(), 4 * stop);
    EXPECT_LE(box.HorizontalExtent(), 4 * stop + Width(QStringLiteral("end")));
}

// A line a stop-expanded extent measures beyond 65535 pixels keeps its whole width.
TEST_F(TextListBox, AVeryLongTabbedLineKeepsItsWholeWidth) {
    box.SetTabWidth(400);
    box.Add(QStringLiteral("\t").repeated(120));
    EXPECT_GT(box.HorizontalExtent(), 0xFFFF);
}

TEST_F(TextListBox, ARefusedLineLeavesTheRangeAsItWas) {
    box.Add(narrow);
    EXPECT_THROW(box.Insert(5, wide), Exception);
    EXPECT_THROW(box.Delete(1), Exception);
    EXPECT_EQ(box.Count(), 1);
    EXPECT_EQ(box.HorizontalExtent(), Width(narrow));
}

TEST_F(TextListBox, RowsAreTheItemHeightWhateverTheFont) {
    box.AddLines({narrow, wide});
    QCoreApplication::processEvents();
    EXPECT_EQ(box.visualRect(box.model()->index(1, 0)).top(), 13);
    EXPECT_EQ(box.visualRect(box.model()->index(1, 0)).height(), 13);
}

} // namespace
