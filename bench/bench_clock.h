#pragma once
// Milliseconds from the performance counter: the finest clock the system offers, shared by every process
// on the machine, so that moments seen by different threads of the bench can be compared.
#include <windows.h>

inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return double(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / ticksPerMs;
}
