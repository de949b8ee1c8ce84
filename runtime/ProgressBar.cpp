#include "runtime/ProgressBar.h"

void TProgressBar::StepIt() {
    int next = value() + step_;
    const int range = maximum() - minimum();
    if (next > maximum() && range > 0)
        next = (next - minimum()) % range + minimum();
    setValue(next);
}
