#include "bench_stats.h"

#include <algorithm>

namespace {

// The value at fraction p of the sorted samples, between the two nearest ranks.
double Quantile(const std::vector<double>& sorted, double p) {
    const double rank = p * double(sorted.size() - 1);
    const size_t below = size_t(rank);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (rank - double(below)) * (sorted[above] - sorted[below]);
}

} // namespace

TSummary Summarize(std::vector<double> samples) {
    TSummary summary;
    if (samples.empty()) return summary;
    std::sort(samples.begin(), samples.end());
    summary.count = samples.size();
    summary.median = Quantile(samples, 0.5);
    summary.q1 = Quantile(samples, 0.25);
    summary.q3 = Quantile(samples, 0.75);
    summary.min = samples.front();
    summary.max = samples.back();
    return summary;
}
