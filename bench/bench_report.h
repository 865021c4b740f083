#pragma once
// The benchmark's results as Markdown: one table of ratios against their targets, one of the details
// that explain them, and the failures.
#include "bench_stats.h"

#include <string>
#include <vector>

class TReport {
public:
    // A figure of Corvalin against its yardstick; met when the ratio of medians is at most the target.
    void Ratio(const std::wstring& measure, const TSummary& corvalin, const std::wstring& yardstickName,
               const TSummary& yardstick, double target);
    // The typing figure: its rate, and whether each run's longest unanswered probe stayed within that
    // run's typing time.
    void Typing(int passwordLength, size_t commandLength, const TSummary& rate, const TSummary& typingMs,
                const TSummary& freezeMs, int runsWithin, int runs);
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
