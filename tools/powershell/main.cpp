// The substitute Windows PowerShell console. It stands in for powershell.exe where there is none (Wine),
// so that Corvalin's Generate workflow can be run, shown and tested there against real DPAPI.
#include "console_window.h"
#include "fault_switches.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const TFaultSwitches faults = ReadFaultSwitches();
    if (faults.noWindow) {
        // A process that a process lookup finds but that never opens its window; it goes away by itself.
        Sleep(faults.noWindowLifetimeMs);
        return 0;
    }
    TConsoleWindow window(instance, faults);
    if (!window.Create(show)) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return window.ExitCode();
}
