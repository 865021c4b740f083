#pragma once
// Corvalin's main window seen from outside: its controls, found by class and place as the layout puts
// them (client coordinates at 96 pixels per inch, scaled to the window's resolution).
#include <windows.h>

#include <string>

struct TCorvalinWindow {
    HWND form = nullptr;
    HWND edtUsername = nullptr;
    HWND edtPassword = nullptr;
    HWND btnGenerate = nullptr;
    HWND redtConfiguration = nullptr;
};

// Finds the controls of the main window; throws driver::DriverError when one is missing.
TCorvalinWindow FindCorvalinControls(HWND form);

// The window's text through WM_GETTEXT, waiting as long as the window takes to answer, up to the timeout;
// false when it did not answer in time.
bool ReadText(HWND window, std::wstring& text, DWORD timeoutMs);
// Sets the window's text through WM_SETTEXT; false when the window did not take it.
bool WriteText(HWND window, const std::wstring& text, DWORD timeoutMs);
