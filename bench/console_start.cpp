#include "console_start.h"

#include <tlhelp32.h>

namespace {

bool PowerShellRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL got = Process32FirstW(snapshot, &entry); got && !found; got = Process32NextW(snapshot, &entry))
        found = CompareStringOrdinal(entry.szExeFile, -1, L"powershell.exe", -1, TRUE) == CSTR_EQUAL;
    CloseHandle(snapshot);
    return found;
}

} // namespace

TReadyConsole StartReadyConsole(const std::wstring& consolePath) {
    if (PowerShellRunning())
        throw driver::DriverError(L"a powershell.exe is already running; the program would use it");
    driver::TStartOptions options;
    options.showCommand = SW_SHOWNOACTIVATE;
    TReadyConsole console;
    console.process = driver::StartProgram(consolePath, options);
    const bool found = driver::WaitUntil(
        [&] {
            console.window = FindWindowW(L"ConsoleWindowClass", nullptr);
            DWORD owner = 0;
            if (console.window) GetWindowThreadProcessId(console.window, &owner);
            return console.window && owner == console.process.Id();
        },
        20000);
    if (!found) throw driver::DriverError(L"the console opened no window of class ConsoleWindowClass");
    WaitForInputIdle(console.process.Handle(), 10000);
    return console;
}
