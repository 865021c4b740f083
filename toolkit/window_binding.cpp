#include "window_binding.h"

#include "exception_barrier.h"
#include "win_control.h"

#include <commctrl.h>

#include <unordered_map>

namespace {
constexpr UINT_PTR SubclassId = 1;

// Which object each bound window belongs to. Kept in the program, not as a window property: every
// message looks it up, and a window property is a round trip to the window server under Wine. All
// windows of the toolkit live on the user-interface thread, the only one that reaches this map.
std::unordered_map<HWND, TWinControl*>& Bound() {
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}
} // namespace

const wchar_t* TWindowBinding::ToolkitClassName() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &TWindowBinding::ToolkitWindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"CorvalinWindow";
        RegisterClassExW(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

void TWindowBinding::Bind(TWinControl& Control, HWND Window, bool Native) {
    Control.FHandle = Window;
    Control.FNative = Native;
    Bound()[Window] = &Control;
}

void TWindowBinding::AttachNative(TWinControl& Control, HWND Window) {
    Bind(Control, Window, true);
    SetWindowSubclass(Window, &TWindowBinding::NativeSubclassProc, SubclassId,
                      reinterpret_cast<DWORD_PTR>(&Control));
}

void TWindowBinding::Detach(TWinControl& Control) {
    HWND window = Control.FHandle;
    if (!window) return;
    Bound().erase(window);
    if (Control.FNative) RemoveWindowSubclass(window, &TWindowBinding::NativeSubclassProc, SubclassId);
    Control.FHandle = nullptr;
}

void TWindowBinding::ObjectDestroyed(TWinControl& Control) {
    for (TDispatchFrame* f = Control.FDispatchFrames; f; f = f->Prev)
        f->Destroyed = true;
    Control.FDispatchFrames = nullptr;
}

bool TWindowBinding::InDispatch(const TWinControl& Control) {
    return Control.FDispatchFrames != nullptr;
}

LRESULT TWindowBinding::Dispatch(TWinControl& Control, HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message{Msg, WParam, LParam, 0};
    TDispatchFrame frame{Control.FDispatchFrames, Window, false};
    Control.FDispatchFrames = &frame;
    ++FDepth;
    GuardedCall([&] { Control.WndProc(message); });
    --FDepth;
    if (!frame.Destroyed) Control.FDispatchFrames = frame.Prev;
    return message.Result;
}

LRESULT CALLBACK TWindowBinding::ToolkitWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(LParam);
        if (auto* control = static_cast<TWinControl*>(create->lpCreateParams)) Bind(*control, Window, false);
    }
    TWinControl* control = FindControl(Window);
    if (!control) return DefWindowProcW(Window, Msg, WParam, LParam);
    if (Msg == WM_NCDESTROY) {
        // Destroyed from outside (with a parent window, say): the object lives on without a window.
        Detach(*control);
        return DefWindowProcW(Window, Msg, WParam, LParam);
    }
    return Dispatch(*control, Window, Msg, WParam, LParam);
}

LRESULT CALLBACK TWindowBinding::NativeSubclassProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam,
                                                    UINT_PTR, DWORD_PTR RefData) {
    auto* control = reinterpret_cast<TWinControl*>(RefData);
    if (Msg == WM_NCDESTROY) {
        Detach(*control);
        return DefSubclassProc(Window, Msg, WParam, LParam);
    }
    return Dispatch(*control, Window, Msg, WParam, LParam);
}

TWinControl* FindControl(HWND Window) {
    if (!Window) return nullptr;
    const auto found = Bound().find(Window);
    return found == Bound().end() ? nullptr : found->second;
}

TWinControl* FindControlOrAncestor(HWND Window) {
    for (HWND w = Window; w; w = GetAncestor(w, GA_PARENT))
        if (TWinControl* control = FindControl(w)) return control;
    return nullptr;
}
