#pragma once
// Screen resolution, read through the per-monitor functions where the system has them.
#include <windows.h>

constexpr int DesignPPI = 96; // the resolution that stored positions, sizes and font heights are in

// Asks for per-monitor awareness (version 2, then version 1, then system awareness). Failing is not an
// error: the program then scales to the system's resolution.
void EnableDpiAwareness();

// The resolution of the monitor the window is on; the system's when the window is null.
int DpiForWindow(HWND Window);
int SystemDpi();

// Value measured at OldPPI, measured at NewPPI; halves round away from zero.
inline int ScaleForDpi(int Value, int NewPPI, int OldPPI) {
    return MulDiv(Value, NewPPI, OldPPI);
}
