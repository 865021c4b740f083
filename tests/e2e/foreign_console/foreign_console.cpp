// Another program's console window, as cmd.exe or an SSH client shows one: a top-level window of the
// console class that is not PowerShell's. It counts every character and key it is sent; a test asks for
// the count with kCountMessage.
#include "foreign_console.h"

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static LRESULT received = 0;
    switch (msg) {
    case WM_CHAR:
    case WM_KEYDOWN:
        ++received;
        return 0;
    case kCountMessage:
        return received;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kForeignConsoleClass;
    if (!RegisterClassExW(&wc)) return 1;
    HWND window = CreateWindowExW(0, kForeignConsoleClass, kForeignConsoleTitle, WS_OVERLAPPEDWINDOW, 40, 40,
                                  640, 400, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
