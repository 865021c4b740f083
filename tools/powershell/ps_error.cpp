#include "ps_error.h"

#include <algorithm>

namespace {

// PowerShell quotes long lines in part, around the place of the error.
constexpr size_t kExcerptWidth = 70;

} // namespace

std::vector<std::wstring> FormatPsError(const TPsError& error, std::wstring_view line) {
    std::vector<std::wstring> out;
    out.push_back(error.command.empty() ? error.message : error.command + L" : " + error.message);
    const size_t position = std::min(error.position, line.size());
    out.push_back(L"At line:1 char:" + std::to_wstring(position + 1));

    size_t start = 0;
    if (line.size() > kExcerptWidth && position > kExcerptWidth / 2)
        start = std::min(position - kExcerptWidth / 2, line.size() - kExcerptWidth);
    const size_t end = std::min(line.size(), start + kExcerptWidth);
    const std::wstring lead = start > 0 ? L"... " : L"";
    out.push_back(L"+ " + lead + std::wstring(line.substr(start, end - start)) +
                  (end < line.size() ? L" ..." : L""));
    const size_t marks = std::max<size_t>(1, std::min(error.length, end > position ? end - position : 1));
    out.push_back(L"+ " + std::wstring(lead.size() + position - start, L' ') + std::wstring(marks, L'~'));

    if (error.category == PARSE_ERROR_CATEGORY)
        std::rotate(out.begin(), out.begin() + 1, out.end()); // message last
    out.push_back(L"    + CategoryInfo          : " + error.category);
    out.push_back(L"    + FullyQualifiedErrorId : " + error.errorId);
    return out;
}
