#pragma once
// Starting a window program and timing it until its main window is ready for input; its memory; closing it.
#include "driver.h"

#include <string>

struct TStarted {
    driver::TProcess process;
    HWND window = nullptr;
    double visibleMs = 0; // from just before CreateProcess until the window was first seen visible
    double readyMs = 0;   // the same, until the window was seen ready
};

// Starts the program and polls, every millisecond, until a top-level window of it with this title is
// visible and enabled and the program's user-interface thread has a focused window (keys would reach
// it). Throws DriverError when the program ends first or nothing is ready in time.
TStarted StartUntilReady(const std::wstring& exePath, std::wstring_view title, DWORD timeoutMs = 30000);

// The process's peak working set so far, in bytes.
size_t PeakWorkingSet(const driver::TProcess& process);

// Asks the window to close and waits for the program to end; kills it when it does not.
void CloseProgram(driver::TProcess& process, HWND window);
