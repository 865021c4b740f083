#include "key_dispatch.h"

#include "form.h"
#include "messages.h"
#include "window_binding.h"

namespace {
// The key press the loop is dispatching now, and whether a handler swallowed it. Nested loops (a
// handler that processes messages) keep their own.
struct TLoopKey {
    const MSG* Msg = nullptr;
    bool Swallowed = false;
};
TLoopKey CurrentKey;

UINT DialogCodeMask(WPARAM Key) {
    switch (Key) {
    case VK_TAB:
        return DLGC_WANTTAB;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return DLGC_WANTARROWS;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        return DLGC_WANTALLKEYS;
    default:
        return 0;
    }
}
} // namespace

bool PreDispatchDialogKey(const MSG& Msg) {
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) return false;
    const UINT mask = DialogCodeMask(Msg.wParam);
    if (!mask) return false;
    TWinControl* control = FindControlOrAncestor(Msg.hwnd);
    if (!control) return false;
    // No message data: given the message, some native controls switch to a dialog mode of their own.
    if (SendMessageW(Msg.hwnd, WM_GETDLGCODE, 0, 0) & mask) return false;
    TForm* form = GetParentForm(control);
    if (!form || !form->HandleAllocated()) return false;
    return SendMessageW(form->Handle(), CM_DIALOGKEY, Msg.wParam, Msg.lParam) != 0;
}

void DispatchLoopMessage(MSG& Msg) {
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
        return;
    }
    if (PreDispatchDialogKey(Msg)) return;
    const TLoopKey outer = CurrentKey;
    CurrentKey = TLoopKey{&Msg, false};
    DispatchMessageW(&Msg);
    const bool swallowed = CurrentKey.Swallowed;
    CurrentKey = outer;
    // Translated only now, so that a key the handlers swallowed makes no character either.
    if (!swallowed) TranslateMessage(&Msg);
}

void KeySwallowed(HWND Window, UINT Msg, WPARAM Key) {
    const MSG* m = CurrentKey.Msg;
    if (m && m->hwnd == Window && m->message == Msg && m->wParam == Key) CurrentKey.Swallowed = true;
}
