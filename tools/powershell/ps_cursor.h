#pragma once
// The reading position of the parser in the typed line. A parse error ends the whole reading: it is
// thrown, and nothing of the line runs.
#include "ps_error.h"

#include <string>
#include <string_view>

struct TPsParseFailure {
    TPsError error;
};

class TPsCursor {
public:
    explicit TPsCursor(std::wstring_view text) : FText(text) {}

    std::wstring_view Text() const { return FText; }
    size_t Position() const { return FPosition; }
    void Seek(size_t position) { FPosition = position; }
    bool AtEnd() const { return FPosition >= FText.size(); }
    // The code unit `ahead` places further on, or NUL past the end.
    wchar_t Peek(size_t ahead = 0) const {
        return FPosition + ahead < FText.size() ? FText[FPosition + ahead] : L'\0';
    }
    wchar_t Next() { return AtEnd() ? L'\0' : FText[FPosition++]; }
    void Skip(size_t count = 1) { FPosition += count; }

    [[noreturn]] void Fail(size_t position, size_t length, const wchar_t* errorId,
                           std::wstring message) const {
        throw TPsParseFailure{{L"", std::move(message), PARSE_ERROR_CATEGORY, errorId, position, length}};
    }

private:
    std::wstring_view FText;
    size_t FPosition = 0;
};
