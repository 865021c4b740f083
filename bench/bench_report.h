#pragma once
// The benchmark's results as Markdown: one table of ratios against their targets, one of the details
// that explain them, and the failures.
#include "bench_stats.h"

#include <string>
#include <vector>

class TReport {
public:
    // A figure of Corvalin against its yardstick; met when the ratio of medians is at most the target (a
    // time, a size), or, with AtLeast, at least the target (a rate).
    enum TDirection { AtMost, AtLeast };
    void Ratio(const std::wstring& measure, const TSummary& corvalin, const std::wstring& yardstickName,
               const TSummary& yardstick, double target, TDirection direction = AtMost);
    // A figure against a fixed bound: met when every run stays within it, the worst run included.
    void Bound(const std::wstring& measure, const TSummary& corvalin, double bound);
    void Detail(const std::wstring& measure, const TSummary& summary);
    void Note(const std::wstring& measure, const std::wstring& value);
    void Failure(const std::wstring& text);

    std::wstring Markdown() const;

private:
    std::vector<std::wstring> FMainRows;
    std::vector<std::wstring> FDetailRows;
    std::vector<std::wstring> FFailures;
};

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);
