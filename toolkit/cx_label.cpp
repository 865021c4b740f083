#include "cx_label.h"

#include "published.h"

TcxLabel::TcxLabel(TComponent* AOwner) : TWinControl(AOwner) {
    FStyle.BindFont(Font());
    AdjustBounds();
}

void TcxLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Invalidate();
}

void TcxLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TcxLabel::AdjustBounds() {
    SetBounds(Left(), Top(), Width(), Height());
}

void TcxLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FAutoSize && !IsLoading()) {
        const std::wstring text = Text();
        const SIZE size = TextSize(Font(), text.empty() ? std::wstring(L" ") : text, DT_LEFT | DT_NOPREFIX);
        AWidth = size.cx;
        AHeight = size.cy;
    }
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TcxLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustBounds();
}

void TcxLabel::TextChanged() {
    TWinControl::TextChanged();
    AdjustBounds();
    Invalidate();
}

void TcxLabel::CreateWnd() {
    TWinControl::CreateWnd();
    // Above its siblings: it lies over the control it labels.
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TcxLabel::VisibleChanging() {
    TWinControl::VisibleChanging();
    if (Visible() && HandleAllocated())
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TColor TcxLabel::BackgroundColor() const {
    if (!FTransparent || !Parent()) return Color();
    const RECT mine = BoundsRect();
    const POINT corner{mine.left, mine.top};
    for (int i = Parent()->ControlCount() - 1; i >= 0; --i) {
        const TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible()) continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, corner)) return c->Color();
    }
    return Parent()->Color();
}

void TcxLabel::PaintWindow(HDC DC, const RECT&) {
    RECT r;
    GetClientRect(Handle(), &r);
    TBrushHandle brush = CreateSolidBrushFor(BackgroundColor());
    FillRect(DC, &r, brush.get());
    TSelectObject font(DC, FontHandle());
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    const std::wstring text = Text();
    DrawTextW(DC, text.c_str(), int(text.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void TcxLabel::WndProc(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1; // painted whole in WM_PAINT
        return;
    }
    TWinControl::WndProc(Message);
}

const TClassInfo& TcxLabel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxLabel>(L"TcxLabel", TWinControl::StaticClass())
            .Boolean(L"AutoSize", &TcxLabel::AutoSize, &TcxLabel::SetAutoSize, true)
            .String(L"Caption", &TcxLabel::Caption, &TcxLabel::SetCaption)
            .Object(L"Style", [](TcxLabel& l) -> TcxEditStyle& { return l.Style(); })
            .Boolean(L"Transparent", &TcxLabel::Transparent, &TcxLabel::SetTransparent, false);
    return info;
}

const TClassInfo& TcxLabel::ClassInfo() const {
    return StaticClass();
}
