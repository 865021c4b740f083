#include "control.h"

#include "dpi.h"
#include "form.h"
#include "published.h"
#include "sysutils.h"
#include "win_control.h"

namespace {
// Sets a flag for the lifetime of the guard.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
};
} // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
    FFont.OnChange = [this] { FontNotified(); };
}

TControl::~TControl() {
    FFont.OnChange = nullptr;
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (static_cast<TControl*>(AParent) == this) throw Exception(L"A control cannot be its own parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* Value) {
    auto* parent = dynamic_cast<TWinControl*>(Value);
    if (Value && !parent) throw Exception(L"A control's parent must be a windowed control");
    SetParent(parent);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (AWidth < 0) AWidth = 0;
    if (AHeight < 0) AHeight = 0;
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    const RECT old = BoundsRect();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    InvalidateInParent(old);
    InvalidateInParent(BoundsRect());
}

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    VisibleChanging();
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    EnabledChanging();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    if (FBiDiMode == Value) return;
    FBiDiMode = Value;
    BiDiModeChanging();
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::VisibleChanging() {
    InvalidateInParent(BoundsRect());
}
void TControl::EnabledChanging() {
    Invalidate();
}
void TControl::BiDiModeChanging() {
    Invalidate();
}

void TControl::CMVisiblechanged(TMessage&) {
    InvalidateInParent(BoundsRect());
}
void TControl::CMEnabledchanged(TMessage&) {}
void TControl::CMBidimodechanged(TMessage&) {}

void TControl::SetParentFont(bool Value) {
    FParentFont = Value;
    if (Value) ApplyParentFont();
}

void TControl::ApplyParentFont() {
    if (!FParent || !FParentFont) return;
    TFlagScope applying(FApplyingParent);
    FFont.Assign(FParent->Font());
}

void TControl::FontNotified() {
    if (!FApplyingParent) FParentFont = false;
    FFontHandle.reset();
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

HFONT TControl::FontHandle() const {
    if (!FFontHandle) FFontHandle = CreateFontHandle(FFont);
    return FFontHandle.get();
}

void TControl::SetColor(TColor Value) {
    if (!FApplyingParent) FParentColor = false;
    if (FColor == Value) return;
    FColor = Value;
    ColorChanged();
}

void TControl::SetParentColor(bool Value) {
    FParentColor = Value;
    if (Value) ApplyParentColor();
}

void TControl::ApplyParentColor() {
    if (!FParent || !FParentColor) return;
    TFlagScope applying(FApplyingParent);
    SetColor(FParent->Color());
}

void TControl::ColorChanged() {
    Invalidate();
}

std::wstring TControl::Text() const {
    return FText;
}

void TControl::SetText(const std::wstring& Value) {
    if (FText == Value) return;
    FText = Value;
    TextChanged();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

std::intptr_t TControl::Perform(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    if (Msg < CM_BASE)
        if (auto* windowed = dynamic_cast<TWinControl*>(this); windowed && windowed->HandleAllocated())
            return SendMessageW(windowed->Handle(), Msg, WParam, LParam);
    TMessage message{Msg, WParam, LParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        CMVisiblechanged(Message);
        break;
    case CM_ENABLEDCHANGED:
        CMEnabledchanged(Message);
        break;
    case CM_BIDIMODECHANGED:
        CMBidimodechanged(Message);
        break;
    default:
        DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

int TControl::CurrentPPI() const {
    if (const TForm* form = GetParentForm(this)) return form->PixelsPerInch();
    return DesignPPI;
}

void TControl::ChangeScale(int M, int D) {
    // Bounds before the font: a size that follows the font (a label's, an editor's height) then comes
    // from the scaled font and is not scaled twice.
    SetBounds(ScaleForDpi(FLeft, M, D), ScaleForDpi(FTop, M, D), ScaleForDpi(FWidth, M, D),
              ScaleForDpi(FHeight, M, D));
    if (!FParentFont) {
        FFont.SetPixelsPerInch(ScaleForDpi(FFont.PixelsPerInch(), M, D));
        FFont.SetHeight(ScaleForDpi(FFont.Height(), M, D));
    }
}

void TControl::Paint(HDC) {}

void TControl::Invalidate() {
    InvalidateInParent(BoundsRect());
}

void TControl::InvalidateInParent(const RECT& Area) const {
    if (FParent && FParent->HandleAllocated()) InvalidateRect(FParent->Handle(), &Area, TRUE);
}

const TEnumInfo& BiDiModeIdents() {
    static const TEnumInfo info(L"TBiDiMode", {{bdLeftToRight, L"bdLeftToRight"},
                                               {bdRightToLeft, L"bdRightToLeft"},
                                               {bdRightToLeftNoAlign, L"bdRightToLeftNoAlign"},
                                               {bdRightToLeftReadingOnly, L"bdRightToLeftReadingOnly"}});
    return info;
}

const TClassInfo& TControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TControl>(L"TControl", TComponent::StaticClass())
            .Integer(L"Left", &TControl::Left, &TControl::SetLeft)
            .Integer(L"Top", &TControl::Top, &TControl::SetTop)
            .Integer(L"Width", &TControl::Width, &TControl::SetWidth)
            .Integer(L"Height", &TControl::Height, &TControl::SetHeight)
            .Enum(L"BiDiMode", BiDiModeIdents(), &TControl::BiDiMode, &TControl::SetBiDiMode, bdLeftToRight)
            .Color(L"Color", &TControl::Color, &TControl::SetColor)
            .Stored([](TControl& c) { return !c.ParentColor(); })
            .Integer(L"Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
            .Boolean(L"Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
            .Object(L"Font", [](TControl& c) -> TFont& { return c.Font(); })
            .Stored([](TControl& c) { return !c.ParentFont(); })
            .Boolean(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
            .Boolean(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
            .String(L"Hint", &TControl::Hint, &TControl::SetHint, L"")
            .Boolean(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false)
            .Boolean(L"Visible", &TControl::Visible, &TControl::SetVisible, true)
            .Event(L"OnClick", &TControl::OnClick);
    return info;
}

const TClassInfo& TControl::ClassInfo() const {
    return StaticClass();
}
