#include "dpi.h"

namespace {
// Looked up at run time: older systems lack these functions, and the program must still start there.
template <class F> F UserFunction(const char* Name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), Name)));
}

int ScreenDeviceDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : DesignPPI;
}
} // namespace

void EnableDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto set = UserFunction<SetContext>("SetProcessDpiAwarenessContext")) {
        if (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) || set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE))
            return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (auto set = UserFunction<SetAware>("SetProcessDPIAware")) set();
}

int SystemDpi() {
    using GetSystem = UINT(WINAPI*)();
    static const auto get = UserFunction<GetSystem>("GetDpiForSystem");
    const int dpi = get ? int(get()) : 0;
    return dpi > 0 ? dpi : ScreenDeviceDpi();
}

int DpiForWindow(HWND Window) {
    using GetForWindow = UINT(WINAPI*)(HWND);
    static const auto get = UserFunction<GetForWindow>("GetDpiForWindow");
    const int dpi = (Window && get) ? int(get(Window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}
