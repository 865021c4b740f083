#pragma once
// Runs one typed line the way Windows PowerShell 5.1 runs it: a parse error stops the whole line before
// anything runs; a runtime error ends its statement and the line goes on with the next; "exit" ends the
// line and the console.
#include "ps_host.h"

#include <string_view>

struct TPsOutcome {
    bool exit = false;
    int exitCode = 0;
};

TPsOutcome RunPsLine(std::wstring_view line, TPsHost& host);
