#include "logo/Otsu.h"

int OtsuLevel(const TLevelHistogram& histogram) {
    double total = 0;
    double sum = 0;
    for (int level = 0; level < 256; ++level) {
        total += double(histogram[level]);
        sum += double(level) * double(histogram[level]);
    }
    int best = 128;
    double bestVariance = 0;
    double below = 0;
    double belowSum = 0;
    for (int split = 1; split < 256; ++split) {
        below += double(histogram[split - 1]);
        belowSum += double(split - 1) * double(histogram[split - 1]);
        const double above = total - below;
        if (below == 0 || above == 0)
            continue;
        const double difference = belowSum / below - (sum - belowSum) / above;
        // Between-class variance times total², which ranks the splits alike.
        const double variance = below * above * difference * difference;
        if (variance > bestVariance) {
            bestVariance = variance;
            best = split;
        }
    }
    return best;
}
