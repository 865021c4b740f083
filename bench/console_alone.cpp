#include "console_alone.h"

#include "bench_clock.h"
#include "console_start.h"
#include "run_watcher.h"

TConsoleAlone MeasureConsoleAlone(const std::wstring& consolePath, const std::wstring& command,
                                  const std::wstring& resultFile) {
    DeleteFileW(resultFile.c_str());
    TReadyConsole console = StartReadyConsole(consolePath);
    TConsoleAlone alone;
    // The same watcher as in the program's runs, so that both run beside the same observer.
    TRunWatcher watcher(nullptr, resultFile);
    const double typingAt = NowMs();
    for (wchar_t unit : command)
        SendMessageW(console.window, WM_CHAR, unit, 0);
    const double enterAt = NowMs();
    alone.typingMs = enterAt - typingAt;
    PostMessageW(console.window, WM_KEYDOWN, VK_RETURN, 0);
    while (watcher.FileAt() == 0) {
        if (NowMs() - enterAt > 30000) throw driver::DriverError(L"the console wrote no result file");
        Sleep(1);
    }
    alone.runMs = watcher.FileAt() - enterAt;
    if (!console.process.WaitForExit(10000)) throw driver::DriverError(L"the console did not end on Exit");
    DeleteFileW(resultFile.c_str());
    return alone;
}
