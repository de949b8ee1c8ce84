#ifndef VARNEL_LOGO_OTSU_H
#define VARNEL_LOGO_OTSU_H

#include <array>

using TLevelHistogram = std::array<long, 256>;

// The level that splits a histogram of luminances into the two classes of greatest variance
// between them (Otsu's method): levels below it are one class, it and those above the other. Of
// levels that split equally well the lowest wins; a histogram of one level alone gives 128.
int OtsuLevel(const TLevelHistogram& histogram);

#endif
