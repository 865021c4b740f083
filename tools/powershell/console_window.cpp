#include "console_window.h"

#include "console_font.h"
#include "ps_interpreter.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const wchar_t* const kClassName = L"ConsoleWindowClass";
const wchar_t* const kOtherClassName = L"CorvalinSubstituteConsole"; // with CORVALIN_PS_NO_CLASS
const wchar_t* const kTitle = L"Windows PowerShell";

constexpr UINT_PTR kRunTimer = 1;
constexpr UINT_PTR kHoldTimer = 2;
constexpr UINT_PTR kPaintTimer = 3;
constexpr UINT kPaintDelayMs = 30;

// The colours of a Windows PowerShell console: text on dark blue, errors red on black.
constexpr COLORREF kBackground = RGB(1, 36, 86);
constexpr COLORREF kText = RGB(238, 237, 240);
constexpr COLORREF kErrorText = RGB(255, 0, 0);
constexpr COLORREF kErrorBackground = RGB(0, 0, 0);

constexpr int kColumns = 120;
constexpr int kRows = 30;
constexpr int kMargin = 4;
constexpr int kWheelRows = 3;

const wchar_t* const kBanner[] = {
    L"Windows PowerShell",
    L"Substitute console for development and tests: it runs ConvertTo-SecureString, "
    L"ConvertFrom-SecureString,",
    L"the redirection > and exit.",
    L"",
};

struct TRow {
    std::wstring text;
    TScreenColour colour;
};

} // namespace

TConsoleWindow::TConsoleWindow(HINSTANCE instance, const TFaultSwitches& faults)
    : FInstance(instance), FFaults(faults), FHost(FScreen, faults.holdFileMs > 0, faults.output) {
    for (const wchar_t* line : kBanner)
        FScreen.Write(line, TScreenColour::Output);
}

TConsoleWindow::~TConsoleWindow() {
    if (FWindow) DestroyWindow(FWindow);
}

bool TConsoleWindow::Create(int show) {
    const wchar_t* className = FFaults.noClass ? kOtherClassName : kClassName;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &TConsoleWindow::WindowProc;
    wc.hInstance = FInstance;
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) return false;

    const DWORD style = WS_OVERLAPPEDWINDOW;
    FWindow = CreateWindowExW(0, className, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr,
                              nullptr, FInstance, this);
    if (!FWindow) return false;
    {
        const TWindowDc dc(FWindow);
        FFont.Reset(CreateConsoleFont(dc.Get(), MulDiv(16, GetDeviceCaps(dc.Get(), LOGPIXELSY), 96)));
        const TSelection selection(dc.Get(), FFont.Get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        FCellWidth = std::max(1, int(metrics.tmAveCharWidth));
        FCellHeight = std::max(1, int(metrics.tmHeight));
    }
    RECT frame{0, 0, kColumns * FCellWidth + 2 * kMargin, kRows * FCellHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SetWindowPos(FWindow, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(FWindow, show);
    UpdateWindow(FWindow);
    return true;
}

LRESULT CALLBACK TConsoleWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TConsoleWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->FWindow = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TConsoleWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->FWindow = nullptr;
        self = nullptr;
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    // No C++ exception may cross into the system: one that escapes a message shows as an error line.
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        self->FScreen.Write(L"The console failed to handle a message.", TScreenColour::Error);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
}

LRESULT TConsoleWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHAR:
        OnChar(wchar_t(wParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            if (!FFaults.ignoreEnter) OnEnter();
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kRunTimer) OnRunTimer();
        if (wParam == kHoldTimer) OnHoldTimer();
        if (wParam == kPaintTimer) {
            KillTimer(FWindow, kPaintTimer);
            FPaintTimer = false;
            Refresh();
        }
        return 0;
    case WM_MOUSEWHEEL:
        FScroll = std::max(0, FScroll + GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelRows);
        Refresh();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint fills every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(FExitCode);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(FWindow, message, wParam, lParam);
}

std::wstring TConsoleWindow::Prompt() const {
    return L"PS " + CurrentDirectory() + L"> ";
}

void TConsoleWindow::OnChar(wchar_t c) {
    if (c == L'\b') {
        if (!FInput.empty()) FInput.pop_back(); // one code unit, as the key deletes it
    } else if (c == 0x1B) {
        FInput.clear();
    } else if (c >= L' ' && !(c >= 0x7F && c <= 0x9F)) {
        // Enter comes as WM_KEYDOWN; its carriage return and every other control character (C0, DEL and
        // C1), which a console's line editor does not insert, are dropped.
        FInput += c;
    }
    FScroll = 0;
    RefreshSoon();
}

void TConsoleWindow::OnEnter() {
    if (FExitRequested) return;
    const std::wstring line = std::exchange(FInput, std::wstring());
    FScreen.Write((Busy() ? L"" : Prompt()) + line, TScreenColour::Output);
    FScroll = 0;
    if (FFaults.runDelayMs == 0) {
        RunLine(line);
        return;
    }
    // A timer, not a sleep: the window keeps answering messages while the line waits.
    FPending.push_back(line);
    if (!FRunTimer) FRunTimer = SetTimer(FWindow, kRunTimer, FFaults.runDelayMs, nullptr) != 0;
    Refresh();
}

void TConsoleWindow::OnRunTimer() {
    KillTimer(FWindow, kRunTimer);
    FRunTimer = false;
    if (FPending.empty() || FExitRequested) return;
    const std::wstring line = FPending.front();
    RunLine(line);
    if (!FWindow) return;
    FPending.pop_front();
    if (!FPending.empty() && !FExitRequested)
        FRunTimer = SetTimer(FWindow, kRunTimer, FFaults.runDelayMs, nullptr) != 0;
    Refresh();
}

void TConsoleWindow::RunLine(const std::wstring& line) {
    const TPsOutcome outcome = RunPsLine(line, FHost);
    if (FHost.HoldsFile()) SetTimer(FWindow, kHoldTimer, FFaults.holdFileMs, nullptr);
    if (outcome.exit) {
        FExitRequested = true;
        FExitCode = outcome.exitCode;
        // A held file keeps the console open until it is let go: closing would close the file too.
        if (!FHost.HoldsFile()) {
            DestroyWindow(FWindow);
            return;
        }
    }
    Refresh();
}

void TConsoleWindow::OnHoldTimer() {
    KillTimer(FWindow, kHoldTimer);
    FHost.ReleaseFile();
    if (FExitRequested) DestroyWindow(FWindow);
}

void TConsoleWindow::RefreshSoon() {
    if (!FPaintTimer && FWindow) FPaintTimer = SetTimer(FWindow, kPaintTimer, kPaintDelayMs, nullptr) != 0;
    if (!FPaintTimer) Refresh();
}

void TConsoleWindow::Refresh() {
    if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
}

void TConsoleWindow::Paint() {
    const TPaintDc paint(FWindow);
    RECT client{};
    GetClientRect(FWindow, &client);
    const int width = std::max<int>(1, client.right);
    const int height = std::max<int>(1, client.bottom);

    const TMemoryDc dc(paint.Get());
    const TGdiObject bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
    const TSelection bitmapSelection(dc.Get(), bitmap.Get());
    const TSelection fontSelection(dc.Get(), FFont.Get());
    const TGdiObject background(CreateSolidBrush(kBackground));
    FillRect(dc.Get(), &client, static_cast<HBRUSH>(background.Get()));

    const size_t columns = size_t(std::max(1, (width - 2 * kMargin) / FCellWidth));
    std::vector<TRow> rows;
    for (const TScreenLine& line : FScreen.Lines())
        for (std::wstring& row : WrapRows(line.text, columns))
            rows.push_back({std::move(row), line.colour});
    for (std::wstring& row : WrapRows((Busy() ? L"" : Prompt()) + FInput, columns))
        rows.push_back({std::move(row), TScreenColour::Output});

    const int visible = std::max(1, height / FCellHeight);
    const int total = int(rows.size());
    FScroll = std::min(FScroll, std::max(0, total - visible));
    const int first = std::max(0, total - visible - FScroll);
    const int last = std::min(total, first + visible);
    for (int i = first; i < last; ++i) {
        const TRow& row = rows[size_t(i)];
        const bool error = row.colour == TScreenColour::Error;
        SetTextColor(dc.Get(), error ? kErrorText : kText);
        SetBkColor(dc.Get(), kErrorBackground);
        SetBkMode(dc.Get(), error ? OPAQUE : TRANSPARENT);
        TextOutW(dc.Get(), kMargin, (i - first) * FCellHeight, row.text.c_str(), int(row.text.size()));
    }
    if (FScroll == 0 && total > 0) { // the cursor: a bar under the next cell, as in a console
        SIZE extent{};
        const std::wstring& text = rows.back().text;
        GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &extent);
        const int y = (last - 1 - first) * FCellHeight + FCellHeight - std::max<int>(2, FCellHeight / 8);
        RECT cursor{kMargin + extent.cx, y, kMargin + extent.cx + FCellWidth, (last - first) * FCellHeight};
        const TGdiObject brush(CreateSolidBrush(kText));
        FillRect(dc.Get(), &cursor, static_cast<HBRUSH>(brush.Get()));
    }
    BitBlt(paint.Get(), 0, 0, width, height, dc.Get(), 0, 0, SRCCOPY);
}
