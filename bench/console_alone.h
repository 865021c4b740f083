#pragma once
// The substitute console's own share of a request, without the program: the bench types the command into
// a fresh console the way the program does (one WM_CHAR per code unit with SendMessageW), posts Enter and
// waits for the result file.
#include <string>

struct TConsoleAlone {
    double typingMs = 0; // sending every code unit of the command
    double runMs = 0;    // Enter posted, until the result file exists
};

// The command must write resultFile and end the console (as the program's command does with Exit); the
// file is deleted afterwards. Throws DriverError when the console fails.
TConsoleAlone MeasureConsoleAlone(const std::wstring& consolePath, const std::wstring& command,
                                  const std::wstring& resultFile);
