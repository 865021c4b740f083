// The yardstick for Corvalin's start-up: Corvalin's window written straight on Win32, with no toolkit and
// no stored layout. It brings up the same system libraries (OLE, the common controls, the rich-edit
// library), carries the same manifest and icon, registers the same kinds of window classes and makes the
// same windows: the hidden application window, the main window with its title and icons, two single-line
// editors with a flat frame drawn in their non-client area, two buttons and a read-only rich-text editor,
// in Tahoma 8 pt and Tahoma 8 pt bold; the four captions are drawn by the main window. Every position,
// size and font height is scaled by the resolution of the monitor the window is created on, and the window
// is centred on that monitor's work area at its first showing, as Corvalin does. Closing it ends the
// program.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>

#include <initializer_list>

namespace {

const wchar_t* const kTitle = L"Raw window";
constexpr int kDesignDpi = 96;

int Scale(int value, int dpi) {
    return MulDiv(value, dpi, kDesignDpi);
}

struct TWindowState {
    int dpi = kDesignDpi;
    HFONT font = nullptr, bold = nullptr;
    HWND focused = nullptr;
};
TWindowState state;

struct TCaption {
    int left, top;
    const wchar_t* text;
};
const TCaption kCaptions[] = {{16, 11, L"Usu\u00e1rio"},
                              {16, 59, L"Senha"},
                              {344, 11, L"Configura\u00e7\u00e3o"},
                              {16, 117, L"2024.2.8.1900"}};

// The editors' flat frame: one shadow-coloured line, or a thick red one while the editor has the focus.
LRESULT CALLBACK FramedEditor(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const int frame = Scale(2, state.dpi), inset = frame + Scale(1, state.dpi);
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* r =
            wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        InflateRect(r, -inset, -inset);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    case WM_NCPAINT: {
        DefSubclassProc(window, message, wParam, lParam);
        RECT bounds;
        GetWindowRect(window, &bounds);
        const RECT outer{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
        HDC dc = GetWindowDC(window);
        ExcludeClipRect(dc, outer.left + inset, outer.top + inset, outer.right - inset, outer.bottom - inset);
        FillRect(dc, &outer, GetSysColorBrush(COLOR_WINDOW));
        const bool focused = state.focused == window;
        const int width = focused ? frame : Scale(1, state.dpi);
        ExcludeClipRect(dc, width, width, outer.right - width, outer.bottom - width);
        HBRUSH brush = CreateSolidBrush(focused ? RGB(255, 0, 0) : GetSysColor(COLOR_BTNSHADOW));
        FillRect(dc, &outer, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        state.focused = message == WM_SETFOCUS ? window : nullptr;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return result;
    }
    default:
        return DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HGDIOBJ old = SelectObject(dc, state.bold);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        for (const TCaption& caption : kCaptions) {
            SetTextColor(dc, GetSysColor(caption.left == 344 ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            TextOutW(dc, Scale(caption.left, state.dpi), Scale(caption.top, state.dpi), caption.text,
                     int(wcslen(caption.text)));
        }
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HFONT Tahoma(int dpi, bool bold) {
    LOGFONTW font{};
    font.lfHeight = -Scale(11, dpi);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpyW(font.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&font);
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int w,
           int h, int id, HFONT font) {
    const int dpi = state.dpi;
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                 Scale(x, dpi), Scale(y, dpi), Scale(w, dpi), Scale(h, dpi), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const bool oleReady = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!LoadLibraryW(L"msftedit.dll")) return 1;
    HICON icon = LoadIconW(instance, L"MAINICON");
    HICON small =
        static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"RawWindowApplication";
    RegisterClassExW(&wc);
    CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                    nullptr);

    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &MainWindowProc;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"RawWindow";
    if (!RegisterClassExW(&wc)) return 1;
    const DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    HWND window = CreateWindowExW(WS_EX_APPWINDOW, wc.lpszClassName, kTitle, style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 703, 193, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

    // Sized and laid out for the monitor it was created on.
    state.dpi = int(GetDpiForWindow(window));
    if (state.dpi <= 0) state.dpi = kDesignDpi;
    state.font = Tahoma(state.dpi, false);
    state.bold = Tahoma(state.dpi, true);
    RECT frame{0, 0, Scale(687, state.dpi), Scale(154, state.dpi)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_APPWINDOW, UINT(state.dpi));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    if (left < area.left) left = area.left;
    if (top < area.top) top = area.top;
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    const DWORD edit = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    HWND user = Child(window, L"EDIT", L"", edit, 16, 24, 305, 21, 101, state.font);
    HWND password = Child(window, L"EDIT", L"", edit | ES_PASSWORD, 16, 72, 305, 21, 102, state.font);

    Child(window, L"BUTTON", L"Gerar", WS_TABSTOP | BS_PUSHBUTTON, 246, 112, 75, 25, 103, state.bold);
    HWND result = Child(window, MSFTEDIT_CLASS, L"",
                        WS_TABSTOP | WS_DISABLED | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                            ES_AUTOHSCROLL | ES_READONLY,
                        344, 24, 329, 69, 104, state.font);
    SendMessageW(result, EM_SETTARGETDEVICE, 0, 1);
    SendMessageW(result, EM_SETBKGNDCOLOR, 0, LPARAM(GetSysColor(COLOR_WINDOW)));
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR | CFM_CHARSET;
    format.yHeight = 11 * 1440 / kDesignDpi;
    format.crTextColor = GetSysColor(COLOR_WINDOWTEXT);
    format.bCharSet = DEFAULT_CHARSET;
    lstrcpyW(format.szFaceName, L"Tahoma");
    SendMessageW(result, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    Child(window, L"BUTTON", L"Copiar", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 598, 112, 75, 25, 105,
          state.bold);
    for (HWND editor : {user, password, result}) {
        SetWindowSubclass(editor, &FramedEditor, 1, 0);
        SetWindowPos(editor, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }

    ShowWindow(window, show);
    SetForegroundWindow(window);
    SetFocus(user);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(state.font);
    DeleteObject(state.bold);
    if (oleReady) OleUninitialize();
    return int(message.wParam);
}
