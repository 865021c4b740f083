#pragma once
// The median and the spread of repeated measurements.
#include <cstddef>
#include <vector>

struct TSummary {
    size_t count = 0;
    double median = 0;
    double q1 = 0; // first and third quartiles, interpolated between neighbouring samples
    double q3 = 0;
    double min = 0;
    double max = 0;
};

// An empty set of samples gives a summary with a count of 0 and zeros elsewhere.
TSummary Summarize(std::vector<double> samples);
