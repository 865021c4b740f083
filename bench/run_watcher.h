#pragma once
// Notes, from a thread of its own and without sending the program any message, the first moment a button
// is disabled (the program's run has begun) and the first moment after it that the result file exists.
// The button is polled every millisecond; the file is waited for through the system's notice of changes
// in its directory, since polling all through the typing would take turns from the typing itself.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class TRunWatcher {
public:
    // Without a button, the run counts as begun at once.
    TRunWatcher(HWND button, std::wstring resultFile);
    ~TRunWatcher();
    TRunWatcher(const TRunWatcher&) = delete;
    TRunWatcher& operator=(const TRunWatcher&) = delete;

    void Stop();
    // NowMs() moments, 0 until seen.
    double BusyAt() const { return FBusyAt; }
    double FileAt() const { return FFileAt; }

private:
    HWND FButton;
    std::wstring FResultFile;
    std::atomic<bool> FStop{false};
    std::atomic<double> FBusyAt{0};
    std::atomic<double> FFileAt{0};
    std::thread FThread;

    void Run();
};
