#include "rich_edit_alone.h"

#include "bench_clock.h"

#include <windows.h>

#include <richedit.h>

#include <stdexcept>

namespace {

const wchar_t* HostClass() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"CorvalinBenchRichEditHost";
        RegisterClassExW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

double MeasureRichEditAlone(const std::vector<std::wstring>& lines) {
    static const HMODULE library = LoadLibraryW(L"msftedit.dll");
    if (!library) throw std::runtime_error("msftedit.dll cannot be loaded");
    HWND host = CreateWindowExW(0, HostClass(), L"Rich edit alone", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                0, 0, 703, 193, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND editor = CreateWindowExW(0, MSFTEDIT_CLASS, L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                      ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY,
                                  344, 24, 329, 69, host, reinterpret_cast<HMENU>(1),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!host || !editor) throw std::runtime_error("the rich-edit window cannot be made");
    SendMessageW(editor, EM_SETTARGETDEVICE, 0, 1);
    SendMessageW(editor, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR | CFM_CHARSET;
    format.yHeight = 11 * 1440 / 96;
    format.crTextColor = GetSysColor(COLOR_WINDOWTEXT);
    format.bCharSet = DEFAULT_CHARSET;
    lstrcpyW(format.szFaceName, L"Tahoma");
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    UpdateWindow(host);
    Pump();

    const double start = NowMs();
    for (const std::wstring& line : lines) {
        const std::wstring text = line + L"\r\n";
        const LONG end = GetWindowTextLengthW(editor);
        CHARRANGE at{end, end};
        SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
        SendMessageW(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    RedrawWindow(editor, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double took = NowMs() - start;
    DestroyWindow(host);
    Pump();
    return took;
}
