#pragma once
// Reads one typed line into statements. A line with a parse error, or with anything outside the small
// language this console understands, gives an error and no statement: nothing of it runs.
#include "ps_error.h"
#include "ps_syntax.h"

#include <optional>
#include <string_view>

struct TPsParseResult {
    TPsScript script;
    std::optional<TPsError> error;
};

TPsParseResult ParsePsLine(std::wstring_view line);
