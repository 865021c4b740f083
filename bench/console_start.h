#pragma once
// A fresh substitute console, started and waited for until the program would find it at once: its
// process runs, its window of class "ConsoleWindowClass" exists and it waits for input.
#include "driver.h"

#include <string>

struct TReadyConsole {
    driver::TProcess process;
    HWND window = nullptr;
};

// Throws DriverError when another powershell.exe already runs (the program would pick that one) or
// when the console opens no window.
TReadyConsole StartReadyConsole(const std::wstring& consolePath);
