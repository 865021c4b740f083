#include "corvalin_window.h"

#include "driver.h"


namespace {

// The control of this class at the layout's place, scaled to the window's resolution, within a few pixels.
HWND ControlAt(HWND form, const wchar_t* className, int x96, int y96) {
    const UINT dpi = GetDpiForWindow(form) ? GetDpiForWindow(form) : 96;
    const POINT at{MulDiv(x96, int(dpi), 96), MulDiv(y96, int(dpi), 96)};
    const HWND best = driver::ChildNear(form, className, at, 4.0 * dpi / 96);
    if (!best)
        throw driver::DriverError(L"no control of class " + std::wstring(className) + L" at " +
                                  std::to_wstring(x96) + L"," + std::to_wstring(y96));
    return best;
}

} // namespace

TCorvalinWindow FindCorvalinControls(HWND form) {
    TCorvalinWindow window;
    window.form = form;
    window.edtUsername = ControlAt(form, L"Edit", 16, 24);
    window.edtPassword = ControlAt(form, L"Edit", 16, 72);
    window.btnGenerate = ControlAt(form, L"Button", 246, 112);
    window.redtConfiguration = ControlAt(form, L"RICHEDIT50W", 344, 24);
    return window;
}

bool ReadText(HWND window, std::wstring& text, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &length)) return false;
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_NORMAL, timeoutMs, &copied))
        return false;
    buffer.resize(std::min<size_t>(copied, length));
    text = std::move(buffer);
    return true;
}

bool WriteText(HWND window, const std::wstring& text, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                               timeoutMs, &result) != 0 &&
           result != 0;
}
