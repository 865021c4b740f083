#pragma once
// Where a window goes at its first showing.
#include <windows.h>

// The top-left corner that centres a Width x Height window in WorkArea. The halvings truncate toward
// zero; a corner that would lie left of or above the work area takes the work area's own left or top.
POINT CenteredPosition(const RECT& WorkArea, int Width, int Height);

// The work area (the monitor's area less docked bars) of Monitor.
RECT MonitorWorkArea(HMONITOR Monitor);
