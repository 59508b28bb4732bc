#pragma once

#include <algorithm>
#include <vector>

// Every benchmark reports the median of its runs, so one slow run under load
// does not move the ratio.
inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
