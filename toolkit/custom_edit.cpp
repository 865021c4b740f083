#include "custom_edit.h"

#include "dpi.h"
#include "form.h"
#include "published.h"

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clWindow);
    SetTabStop(true);
    FStyle.BindFont(Font());
    FStyleFocused.BindFont(Font());
    FLookAndFeel.OnChanged = [this] { RedrawFrame(); };
    FStyle.OnChanged = [this] { RedrawFrame(); };
    FStyleFocused.OnChanged = [this] { RedrawFrame(); };
}

int TcxCustomEdit::FrameWidth() const {
    return ScaleForDpi(2, CurrentPPI(), DesignPPI);
}

RECT TcxCustomEdit::TextArea(const RECT& Window) const {
    const int inset = FrameWidth() + ScaleForDpi(1, CurrentPPI(), DesignPPI);
    RECT r = Window;
    InflateRect(&r, -inset, -inset);
    return r;
}

void TcxCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key != VK_TAB || !Focused() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
    if (SendMessageW(Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB) return;
    if (TForm* form = GetParentForm(this)) {
        form->SelectNext(this, !Shift.Contains(ssShift), true);
        Key = 0;
    }
}

void TcxCustomEdit::KeyPress(wchar_t& Key) {
    TWinControl::KeyPress(Key);
    if (Key != L'\r' || WantsReturn()) return;
    if (FBeepOnEnter) MessageBeep(MB_OK);
    Key = 0;
}

void TcxCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    // The native control sized its text area before it was subclassed: size it again, inside our frame.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TcxCustomEdit::ColorChanged() {
    TWinControl::ColorChanged();
    RedrawFrame();
}

void TcxCustomEdit::RedrawFrame() {
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TcxCustomEdit::CalcSize(TMessage& Message) {
    RECT* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(Message.LParam);
    *r = TextArea(*r);
    // What is left is the native control's: its scroll bars, inside our frame.
    DefaultHandler(Message);
}

void TcxCustomEdit::PaintFrame() {
    HWND window = Handle();
    RECT bounds;
    GetWindowRect(window, &bounds);
    const RECT outer{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    const RECT inner = TextArea(outer);
    HDC dc = GetWindowDC(window);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    FillRect(dc, &outer, ColorBrush());

    const bool native = FLookAndFeel.NativeStyle() && FStyle.LookAndFeel().NativeStyle();
    const TcxEditStyle& style = Focused() ? FStyleFocused : FStyle;
    TColor color = style.BorderColor();
    if (color == clDefault || color == clNone) color = FStyle.BorderColor();
    if (color == clDefault || color == clNone) color = clBtnShadow;
    const int ppi = CurrentPPI();
    if (native || style.BorderStyle() == ebs3D) {
        RECT r = outer;
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    } else if (style.BorderStyle() != ebsNone) {
        const int width = style.BorderStyle() == ebsThick ? FrameWidth() : ScaleForDpi(1, ppi, DesignPPI);
        RECT line = outer;
        ExcludeClipRect(dc, line.left + width, line.top + width, line.right - width, line.bottom - width);
        TBrushHandle brush = CreateSolidBrushFor(color);
        FillRect(dc, &line, brush.get());
    }
    RestoreDC(dc, saved);
    ReleaseDC(window, dc);
}

void TcxCustomEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCCALCSIZE:
        CalcSize(Message);
        return;
    case WM_NCPAINT:
        DefaultHandler(Message);
        PaintFrame();
        Message.Result = 0;
        return;
    case WM_NCHITTEST:
        // The frame is part of the editor: a click on it sets the caret like a click on the text.
        DefaultHandler(Message);
        if (Message.Result == HTNOWHERE || Message.Result == HTBORDER) Message.Result = HTCLIENT;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::WndProc(Message);
        RedrawFrame();
        return;
    default:
        TWinControl::WndProc(Message);
    }
}

const TClassInfo& TcxCustomEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxCustomEdit>(L"TcxCustomEdit", TWinControl::StaticClass())
            .Color(L"Color", &TcxCustomEdit::Color, &TcxCustomEdit::SetColor, clWindow)
            .Boolean(L"ParentColor", &TcxCustomEdit::ParentColor, &TcxCustomEdit::SetParentColor, false)
            .Boolean(L"TabStop", &TcxCustomEdit::TabStop, &TcxCustomEdit::SetTabStop, true)
            .Object(L"LookAndFeel", [](TcxCustomEdit& e) -> TcxLookAndFeel& { return e.LookAndFeel(); })
            .Object(L"Style", [](TcxCustomEdit& e) -> TcxEditStyle& { return e.Style(); })
            .Object(L"StyleFocused", [](TcxCustomEdit& e) -> TcxEditStyle& { return e.StyleFocused(); });
    return info;
}

const TClassInfo& TcxCustomEdit::ClassInfo() const {
    return StaticClass();
}
