// The yardstick for Corvalin's start-up and memory: the least a Win32 program with one window does, built
// with the same toolchain and the same static runtime. One empty window, shown and activated as the
// program was asked to show it; closing it ends the program.
//
// Built with WITH_CORVALIN_LIBRARIES (and Corvalin's manifest), it first brings up the system libraries
// that Corvalin cannot start without: OLE for its thread, the common controls and the rich-edit library.
// The difference between the two builds is what those libraries cost, whatever program uses them.
#include <windows.h>

#if defined(WITH_CORVALIN_LIBRARIES)
#include <commctrl.h>
#include <ole2.h>
#endif

namespace {

const wchar_t* const kClassName = L"CorvalinBenchMinimalWindow";
const wchar_t* const kTitle = L"Minimal window";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#if defined(WITH_CORVALIN_LIBRARIES)
    const bool oleReady = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!LoadLibraryW(L"msftedit.dll")) return 1;
#endif
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 1;
    HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  703, 193, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
#if defined(WITH_CORVALIN_LIBRARIES)
    if (oleReady) OleUninitialize();
#endif
    return int(message.wParam);
}
