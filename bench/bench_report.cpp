#include "bench_report.h"

#include <windows.h>

#include <cstdio>

namespace {

std::wstring Number(double value, int decimals = 1) {
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%.*f", decimals, value);
    return text;
}

// "median (IQR q1-q3; min-max)" or "-" when nothing was measured.
std::wstring Spread(const TSummary& s, int decimals = 1) {
    if (s.count == 0) return L"-";
    return Number(s.median, decimals) + L" (IQR " + Number(s.q1, decimals) + L"-" + Number(s.q3, decimals) +
           L"; " + Number(s.min, decimals) + L"-" + Number(s.max, decimals) + L")";
}

} // namespace

void TReport::Ratio(const std::wstring& measure, const TSummary& corvalin, const std::wstring& yardstickName,
                    const TSummary& yardstick, double target, TDirection direction) {
    const bool measured = corvalin.count > 0 && yardstick.count > 0 && yardstick.median > 0;
    const double ratio = measured ? corvalin.median / yardstick.median : 0;
    const bool met = direction == AtMost ? ratio <= target : ratio >= target;
    const int decimals = corvalin.median >= 1000 ? 0 : 1;
    FMainRows.push_back(L"| " + measure + L", " + std::to_wstring(corvalin.count) + L" runs | " +
                        Spread(corvalin, decimals) + L" | " + yardstickName + L": " +
                        Spread(yardstick, decimals) + L" | " + (measured ? Number(ratio, 2) : L"-") + L" | " +
                        (direction == AtMost ? L"<= " : L">= ") + Number(target, 2) + L" x | " +
                        (measured ? (met ? L"yes" : L"**no**") : L"not measured") + L" |");
}

void TReport::Bound(const std::wstring& measure, const TSummary& corvalin, double bound) {
    const bool measured = corvalin.count > 0;
    FMainRows.push_back(L"| " + measure + L", " + std::to_wstring(corvalin.count) + L" runs | " +
                        Spread(corvalin) + L" | - | - | worst run <= " + Number(bound, 0) + L" | " +
                        (measured ? (corvalin.max <= bound ? L"yes" : L"**no**") : L"not measured") + L" |");
}

void TReport::Detail(const std::wstring& measure, const TSummary& summary) {
    Note(measure + L", " + std::to_wstring(summary.count) + L" runs", Spread(summary));
}

void TReport::Note(const std::wstring& measure, const std::wstring& value) {
    FDetailRows.push_back(L"| " + measure + L" | " + value + L" |");
}

void TReport::Failure(const std::wstring& text) {
    FFailures.push_back(text);
}

std::wstring TReport::Markdown() const {
    std::wstring text = L"| Measure | Corvalin: median (IQR; min-max) | Yardstick: median (IQR; min-max) | "
                        L"Ratio of medians | Target | Met |\n|---|---|---|---|---|---|\n";
    for (const std::wstring& row : FMainRows)
        text += row + L"\n";
    text += L"\n| Detail | Median (IQR; min-max) |\n|---|---|\n";
    for (const std::wstring& row : FDetailRows)
        text += row + L"\n";
    if (!FFailures.empty()) {
        text += L"\nFailed measurements:\n\n";
        for (const std::wstring& failure : FFailures)
            text += L"- " + failure + L"\n";
    }
    return text;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), size);
    return text;
}
