#pragma once
// Small text helpers of the runtime library, shared by the program and the controls.
#include <string>
#include <exception>
#include <string_view>
#include <utility>

// Removes every code unit from U+0000 to U+0020 at both ends; nothing inside is touched
// (a no-break space U+00A0 stays).
inline std::wstring Trim(std::wstring_view s) {
    size_t first = 0, last = s.size();
    while (first < last && s[first] <= L' ') ++first;
    while (last > first && s[last - 1] <= L' ') --last;
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

// The error that handlers raise and the application's general error handler shows: its text is the box's text.
class Exception : public std::exception {
public:
    explicit Exception(std::wstring message) : FMessage(std::move(message)) {}
    const std::wstring& Message() const { return FMessage; }
    const char* what() const noexcept override { return "Exception"; }

private:
    std::wstring FMessage;
};
