#include "responsiveness_probe.h"

#include "bench_clock.h"

#include <algorithm>

TResponsivenessProbe::TResponsivenessProbe(HWND window, DWORD intervalMs)
    : FWindow(window), FIntervalMs(intervalMs), FThread([this] { Run(); }) {}

TResponsivenessProbe::~TResponsivenessProbe() {
    Stop();
}

std::vector<TProbeWait> TResponsivenessProbe::Stop() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    return FWaits;
}

void TResponsivenessProbe::Run() {
    while (!FStop) {
        TProbeWait wait;
        wait.sentAt = NowMs();
        DWORD_PTR result = 0;
        // No SMTO_ABORTIFHUNG: the point is to see how long a busy window keeps the caller waiting.
        const bool answered = SendMessageTimeoutW(FWindow, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result) != 0;
        wait.answeredAt = NowMs();
        if (!answered && !IsWindow(FWindow)) break;
        FWaits.push_back(wait);
        Sleep(FIntervalMs);
    }
}

double LongestWait(const std::vector<TProbeWait>& waits, double from, double to) {
    double longest = 0;
    for (const TProbeWait& wait : waits) {
        const double start = std::max(wait.sentAt, from);
        const double end = std::min(wait.answeredAt, to);
        longest = std::max(longest, end - start);
    }
    return longest;
}
