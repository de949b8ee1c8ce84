#ifndef VARNEL_BENCH_RUNFIGURES_H
#define VARNEL_BENCH_RUNFIGURES_H

// What the benchmarks that start programs share: the clock, and the median of several runs with
// the lowest and highest beside it.
#include <algorithm>
#include <ctime>
#include <vector>

inline long long Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

struct TSpread {
    double median, low, high;
};

inline TSpread Spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

#endif
