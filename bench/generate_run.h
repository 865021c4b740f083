#pragma once
// One Generate request timed from outside: a fresh console is started and made ready first (the program
// finds it running), then "Gerar" is clicked and the result editor is read until it shows the three lines.
#include "corvalin_window.h"
#include "driver.h"

#include <string>
#include <vector>

struct TGenerateRequest {
    std::wstring user;
    std::wstring password;
    bool probeResponsiveness = false; // WM_NULL to the main window every 10 ms during the run
};

struct TGenerateTiming {
    double clickToLinesMs = 0;  // the click, until the result editor shows the three lines
    double clickToBusyMs = 0;   // the click, until "Gerar" is disabled: the run has begun
    double busyToFileMs = 0;    // "Gerar" disabled, until the result file exists: the typing and the run
    double fileToLinesMs = 0;   // the result file exists, until the lines are shown: the wait for the file
    size_t commandLength = 0;   // code units typed into the console
    double longestFreezeMs = 0; // longest unanswered probe over the whole run (when probed)
    double longestFreezeTypingMs = 0;    // the same, between "Gerar" disabled and the result file
    double longestFreezeAfterFileMs = 0; // the same, between the result file and the lines shown
    std::vector<std::wstring> lines;     // the three lines the editor showed
};

// Runs one request and checks that the password line decrypts to the trimmed password. A run that does
// not end with the three lines (a message box, a timeout, a wrong password line) throws DriverError.
TGenerateTiming RunGenerate(const driver::TProcess& corvalin, const TCorvalinWindow& window,
                            const std::wstring& corvalinPath, const std::wstring& consolePath,
                            const TGenerateRequest& request);
