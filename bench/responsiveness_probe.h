#pragma once
// Asks a window, from a thread of its own, whether its thread answers: WM_NULL every few milliseconds, each
// waiting as long as it takes. A window that takes long to answer is a window the user sees frozen.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

struct TProbeWait {
    double sentAt = 0; // NowMs() moments
    double answeredAt = 0;
};

class TResponsivenessProbe {
public:
    TResponsivenessProbe(HWND window, DWORD intervalMs);
    ~TResponsivenessProbe();
    TResponsivenessProbe(const TResponsivenessProbe&) = delete;
    TResponsivenessProbe& operator=(const TResponsivenessProbe&) = delete;

    // Ends the probing (after the answer to the probe under way) and gives every wait.
    std::vector<TProbeWait> Stop();

private:
    HWND FWindow;
    DWORD FIntervalMs;
    std::atomic<bool> FStop{false};
    std::vector<TProbeWait> FWaits;
    std::thread FThread;

    void Run();
};

// The longest stretch inside [from, to] during which one probe waited for its answer.
double LongestWait(const std::vector<TProbeWait>& waits, double from, double to);
