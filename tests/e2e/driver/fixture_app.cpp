// A tiny program for the driver's own test: two edits and a button. The button copies the upper edit's
// text to the clipboard and shows it in a warning box (an error box when the clipboard is held); once the
// box is answered, the lower edit says "answered". The title comes from FIXTURE_TITLE; the exit code is 7.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int ID_UPPER = 101, ID_LOWER = 102, ID_SHOW = 103;
const wchar_t* Title() {
    const wchar_t* title = _wgetenv(L"FIXTURE_TITLE");
    return title ? title : L"Driver Fixture";
}

bool CopyToClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (memory) {
        auto* target = static_cast<wchar_t*>(GlobalLock(memory));
        text.copy(target, text.size());
        target[text.size()] = L'\0';
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
    return true;
}

void ShowClicked(HWND hwnd) {
    wchar_t text[256] = {};
    GetDlgItemTextW(hwnd, ID_UPPER, text, 256);
    if (CopyToClipboard(hwnd, text))
        MessageBoxW(hwnd, (L"You typed: " + std::wstring(text)).c_str(), Title(), MB_OK | MB_ICONWARNING);
    else
        MessageBoxW(hwnd, L"Cannot open clipboard", Title(), MB_OK | MB_ICONERROR);
    SetDlgItemTextW(hwnd, ID_LOWER, L"answered");
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        auto* instance = reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance;
        auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int y, int width, int id) {
            CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, y, width, 24, hwnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        };
        // Created lower edit first, so that creation order and position order differ.
        child(L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, 80, 260, ID_LOWER);
        child(L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, 10, 260, ID_UPPER);
        child(L"BUTTON", L"Show", BS_PUSHBUTTON, 45, 80, ID_SHOW);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_SHOW && HIWORD(wParam) == BN_CLICKED) ShowClicked(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"DriverFixture";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, Title(), WS_OVERLAPPEDWINDOW, 100, 100, 320, 160,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, showCmd);
    SetFocus(GetDlgItem(hwnd, ID_UPPER));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
