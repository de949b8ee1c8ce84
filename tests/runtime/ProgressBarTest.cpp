#include "runtime/ProgressBar.h"

#include <gtest/gtest.h>

TEST(ProgressBar, StepsPastTheMaximumStartOverFromTheMinimum) {
    TProgressBar bar;
    bar.setRange(0, 126);
    bar.SetStep(1);
    bar.setValue(0);
    for (int i = 0; i < 126; ++i)
        bar.StepIt();
    EXPECT_EQ(bar.value(), 126);
    bar.StepIt();
    EXPECT_EQ(bar.value(), 1);
}
