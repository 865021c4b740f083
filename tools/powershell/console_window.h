#pragma once
// The console window: a top-level window of class "ConsoleWindowClass" titled "Windows PowerShell" that
// takes typed characters as WM_CHAR messages, runs the line when WM_KEYDOWN brings Enter, and draws its
// scroll-back like a PowerShell console.
#include "console_host.h"
#include "console_screen.h"
#include "fault_switches.h"
#include "gdi_handles.h"

#include <deque>
#include <string>

#include <windows.h>

class TConsoleWindow {
public:
    TConsoleWindow(HINSTANCE instance, const TFaultSwitches& faults);
    TConsoleWindow(const TConsoleWindow&) = delete;
    TConsoleWindow& operator=(const TConsoleWindow&) = delete;
    ~TConsoleWindow();

    // Registers the class and shows the window; false when the window could not be made.
    bool Create(int show);
    // The code of the "exit" that closed the window.
    int ExitCode() const { return FExitCode; }

private:
    HINSTANCE FInstance;
    TFaultSwitches FFaults;
    HWND FWindow = nullptr;
    TGdiObject FFont;
    int FCellWidth = 8;
    int FCellHeight = 16;
    TConsoleScreen FScreen;
    TConsoleHost FHost;
    std::wstring FInput;
    std::deque<std::wstring> FPending; // lines waiting for the run delay
    bool FPaintTimer = false;
    bool FRunTimer = false;
    bool FExitRequested = false;
    int FExitCode = 0;
    int FScroll = 0; // rows scrolled back from the bottom

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool Busy() const { return !FPending.empty() || FExitRequested; }
    std::wstring Prompt() const;
    void OnChar(wchar_t c);
    void OnEnter();
    void OnRunTimer();
    void OnHoldTimer();
    void RunLine(const std::wstring& line);
    void Paint();
    void Refresh();
    // Typed characters come in bursts of thousands: the line is repainted once the burst pauses.
    void RefreshSoon();
};
