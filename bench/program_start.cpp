#include "program_start.h"

#include "bench_clock.h"

#include <psapi.h>

namespace {

// The process's visible top-level window with this title, and whether it is ready for input.
HWND TitledWindow(const driver::TProcess& process, std::wstring_view title, bool& ready) {
    ready = false;
    for (HWND hwnd : driver::TopLevelWindows(process.Id())) {
        wchar_t caption[256] = {};
        GetWindowTextW(hwnd, caption, 256);
        if (title != caption) continue;
        if (!IsWindowEnabled(hwnd)) return hwnd;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ready = GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndFocus;
        return hwnd;
    }
    return nullptr;
}

} // namespace

TStarted StartUntilReady(const std::wstring& exePath, std::wstring_view title, DWORD timeoutMs) {
    TStarted started;
    const double startAt = NowMs();
    started.process = driver::StartProgram(exePath);
    for (;;) {
        bool ready = false;
        started.window = TitledWindow(started.process, title, ready);
        const double now = NowMs();
        if (started.window && started.visibleMs == 0) started.visibleMs = now - startAt;
        if (ready) {
            started.readyMs = now - startAt;
            return started;
        }
        if (!started.process.Running())
            throw driver::DriverError(exePath + L" ended before its window was ready");
        if (now - startAt > timeoutMs) throw driver::DriverError(exePath + L": no window ready in time");
        Sleep(1);
    }
}

size_t PeakWorkingSet(const driver::TProcess& process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process.Handle(), &counters, sizeof counters))
        throw driver::DriverError(L"cannot read the memory counters of the program");
    return counters.PeakWorkingSetSize;
}

void CloseProgram(driver::TProcess& process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process.WaitForExit(10000)) process.Kill();
}
