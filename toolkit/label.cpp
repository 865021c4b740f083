#include "label.h"

#include "published.h"
#include "win_control.h"

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) {
    AdjustBounds();
}

void TLabel::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool Value) {
    if (FTransparent == Value) return;
    FTransparent = Value;
    Invalidate();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustBounds();
}

void TLabel::TextChanged() {
    TControl::TextChanged();
    AdjustBounds();
}

UINT TLabel::DrawTextFlags() const {
    UINT flags = DT_LEFT | DT_TOP | DT_EXPANDTABS | DT_NOPREFIX;
    if (BiDiMode() != bdLeftToRight) flags |= DT_RTLREADING;
    if (BiDiMode() == bdRightToLeft) flags = (flags & ~UINT(DT_LEFT)) | DT_RIGHT;
    return flags;
}

void TLabel::AdjustBounds() {
    SetBounds(Left(), Top(), Width(), Height());
}

void TLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FAutoSize && !IsLoading()) {
        // An empty caption still takes the height of a line.
        const SIZE size = TextSize(Font(), FText.empty() ? std::wstring(L" ") : FText, DrawTextFlags());
        AWidth = size.cx;
        AHeight = size.cy;
    }
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TLabel::Paint(HDC DC) {
    RECT r{0, 0, Width(), Height()};
    if (!FTransparent) {
        TBrushHandle brush = CreateSolidBrushFor(Color());
        FillRect(DC, &r, brush.get());
    }
    TSelectObject font(DC, FontHandle());
    SetBkMode(DC, TRANSPARENT);
    const UINT flags = DrawTextFlags();
    if (Enabled()) {
        SetTextColor(DC, ColorToRGB(Font().Color()));
        DrawTextW(DC, FText.c_str(), int(FText.size()), &r, flags);
        return;
    }
    // Disabled: engraved, as the system draws disabled text.
    OffsetRect(&r, 1, 1);
    SetTextColor(DC, ColorToRGB(clBtnHighlight));
    DrawTextW(DC, FText.c_str(), int(FText.size()), &r, flags);
    OffsetRect(&r, -1, -1);
    SetTextColor(DC, ColorToRGB(clBtnShadow));
    DrawTextW(DC, FText.c_str(), int(FText.size()), &r, flags);
}

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TLabel>(L"TLabel", TControl::StaticClass())
            .Boolean(L"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
            .String(L"Caption", &TLabel::Caption, &TLabel::SetCaption)
            .Boolean(L"Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false);
    return info;
}

const TClassInfo& TLabel::ClassInfo() const {
    return StaticClass();
}

TBoundLabel::TBoundLabel(TComponent* AOwner) : TLabel(AOwner) {}

const TClassInfo& TBoundLabel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBoundLabel>(L"TBoundLabel", TLabel::StaticClass());
    return info;
}

const TClassInfo& TBoundLabel::ClassInfo() const {
    return StaticClass();
}
