#pragma once
// The two cmdlets the console knows, ConvertTo-SecureString and ConvertFrom-SecureString, with the
// parameter binding of Windows PowerShell: names in any letter case, unique prefixes, positions, and the
// pipeline input.
#include "ps_error.h"
#include "ps_host.h"
#include "ps_value.h"

#include <functional>
#include <string>
#include <vector>

struct TPsArgumentValue {
    bool isParameter = false;
    std::wstring parameterName; // as written, without the dash
    TPsValue value;             // when not a parameter
    size_t position = 0;
    size_t length = 0;
};

struct TPsInvocation {
    std::wstring name;
    size_t position = 0;
    size_t length = 0;
    std::vector<TPsArgumentValue> arguments;
};

// Errors that end only the processing of one input object; the pipeline goes on.
using TPsErrorReporter = std::function<void(const TPsError&)>;

// Runs one command over its pipeline input (none when the command comes first in its pipeline) and gives
// its output. A binding error that stops the whole statement is thrown as TPsRuntimeError.
std::vector<TPsValue> InvokePsCommand(const TPsInvocation& invocation,
                                      const std::vector<TPsValue>* pipelineInput, TPsHost& host,
                                      const TPsErrorReporter& report);
