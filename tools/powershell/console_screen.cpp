#include "console_screen.h"

#include <algorithm>

namespace {

// As many lines as the scroll-back of a PowerShell console keeps.
constexpr size_t kMaxLines = 3000;

} // namespace

void TConsoleScreen::Write(std::wstring_view text, TScreenColour colour) {
    size_t start = 0;
    for (;;) {
        const size_t end = text.find_first_of(L"\r\n", start);
        FLines.push_back({std::wstring(text.substr(start, end - start)), colour});
        if (end == std::wstring_view::npos) break;
        start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
        if (start == text.size()) break;
    }
    while (FLines.size() > kMaxLines)
        FLines.pop_front();
}

std::vector<std::wstring> WrapRows(std::wstring_view line, size_t columns) {
    if (columns == 0) columns = 1;
    std::vector<std::wstring> rows(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const wchar_t c = line[i];
        const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 &&
                          line[i + 1] <= 0xDFFF;
        const size_t width = c == L'\t' ? 8 - rows.back().size() % 8 : pair ? 2 : 1;
        if (rows.back().size() + width > columns && !rows.back().empty()) rows.emplace_back();
        if (c == L'\t')
            rows.back().append(std::min(width, columns), L' ');
        else if (c < L' ')
            rows.back() += L' ';
        else
            rows.back() += c;
        if (pair) rows.back() += line[++i];
    }
    return rows;
}
