#pragma once
// The console's font: the first monospace face the system has among those a PowerShell window uses,
// then the common fallbacks, then whatever fixed-pitch font the system offers.
#include <windows.h>

HFONT CreateConsoleFont(HDC dc, int pixelHeight);
