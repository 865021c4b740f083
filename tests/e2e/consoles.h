#pragma once
// The PowerShell consoles around a test: those Corvalin starts (found by their process name) and one the
// test starts itself to stand in for the operator at the manual step.
#include "driver.h"

#include <string_view>
#include <vector>

namespace e2e {

// The ids of the running powershell.exe processes.
std::vector<DWORD> ConsoleProcesses();
// Ends every running powershell.exe, so that a test never meets a console left by an earlier one.
void KillConsoles();

// Starts the substitute console with no fault switched on, and waits for its window.
struct TStartedConsole {
    driver::TProcess process;
    HWND window = nullptr;
};
TStartedConsole StartConsole();

// Types the line into the console as a person at its keyboard would reach it: one WM_CHAR per code unit,
// then Enter.
void TypeIntoConsole(HWND console, std::wstring_view line);

} // namespace e2e
