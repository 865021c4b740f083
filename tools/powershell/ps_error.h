#pragma once
// An error of the console's language, shown the way Windows PowerShell 5.1 shows one: the reporting
// command, the message, where in the line it happened, and the error record's category and identifier.
#include <string>
#include <string_view>
#include <vector>

struct TPsError {
    std::wstring command; // "ConvertTo-SecureString", "out-file", ...; empty for a parse error
    std::wstring message;
    std::wstring category; // the CategoryInfo text
    std::wstring errorId;  // the FullyQualifiedErrorId
    size_t position = 0;   // offset in the line
    size_t length = 1;     // code units marked under the line
};

inline const std::wstring PARSE_ERROR_CATEGORY = L"ParserError: (:) [], ParentContainsErrorRecordException";

// A statement-terminating error: it ends the statement it happens in, and the line goes on with the next.
struct TPsRuntimeError {
    TPsError error;
};

// The lines printed for an error made by the given typed line.
std::vector<std::wstring> FormatPsError(const TPsError& error, std::wstring_view line);
