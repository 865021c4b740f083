#pragma once
// The console's own small text helpers. The console is a separate program that never ships with
// Corvalin, so it keeps these beside itself rather than taking them from the program's toolkit.
#include <string>
#include <string_view>

// Removes every code unit from U+0000 to U+0020 at both ends; nothing inside is touched.
inline std::wstring Trim(std::wstring_view s) {
    size_t first = 0, last = s.size();
    while (first < last && s[first] <= L' ')
        ++first;
    while (last > first && s[last - 1] <= L' ')
        --last;
    return std::wstring(s.substr(first, last - first));
}

// Equality that ignores the case of the ASCII letters A to Z only; every other code unit must match.
inline bool SameText(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'A' && x <= L'Z') x = wchar_t(x + 32);
        if (y >= L'A' && y <= L'Z') y = wchar_t(y + 32);
        if (x != y) return false;
    }
    return true;
}
