#include "text_edit.h"

#include "dpi.h"
#include "published.h"

#include <algorithm>

namespace {
constexpr wchar_t PasswordChar = L'*';
constexpr DWORD CharCaseStyles = ES_UPPERCASE | ES_LOWERCASE;

DWORD CharCaseStyle(TEditCharCase CharCase) {
    switch (CharCase) {
    case ecUpperCase:
        return ES_UPPERCASE;
    case ecLowerCase:
        return ES_LOWERCASE;
    default:
        return 0;
    }
}
} // namespace

void TcxTextEditProperties::SetEchoMode(TcxEditEchoMode Value) {
    if (FEchoMode == Value) return;
    FEchoMode = Value;
    FEditor.PropertiesChanged();
}

void TcxTextEditProperties::SetCharCase(TEditCharCase Value) {
    if (FCharCase == Value) return;
    FCharCase = Value;
    FEditor.PropertiesChanged();
}

void TcxTextEditProperties::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    FEditor.PropertiesChanged();
}

TcxTextEdit::TcxTextEdit(TComponent* AOwner) : TcxCustomEdit(AOwner) {
    FWidth = 121;
    FHeight = AutoHeight();
}

void TcxTextEdit::CreateParams(TCreateParams& Params) {
    TcxCustomEdit::CreateParams(Params);
    Params.ClassName = L"EDIT";
    Params.Native = true;
    Params.Style |= ES_LEFT | ES_AUTOHSCROLL | CharCaseStyle(FProperties.CharCase());
    if (FProperties.ReadOnly()) Params.Style |= ES_READONLY;
}

void TcxTextEdit::CreateWnd() {
    TcxCustomEdit::CreateWnd();
    FSettingText = true;
    SetWindowTextW(Handle(), FEditValue.value_or(L"").c_str());
    FSettingText = false;
    PropertiesChanged();
}

void TcxTextEdit::PropertiesChanged() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    SendMessageW(window, EM_SETPASSWORDCHAR, FProperties.EchoMode() == eemPassword ? PasswordChar : 0, 0);
    SendMessageW(window, EM_SETREADONLY, FProperties.ReadOnly() ? TRUE : FALSE, 0);
    ApplyCharCase();
    InvalidateRect(window, nullptr, TRUE);
}

void TcxTextEdit::ApplyCharCase() {
    HWND window = Handle();
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR wanted =
        (style & ~LONG_PTR(CharCaseStyles)) | LONG_PTR(CharCaseStyle(FProperties.CharCase()));
    if (wanted != style) SetWindowLongPtrW(window, GWL_STYLE, wanted);
}

std::wstring TcxTextEdit::Text() const {
    return HandleAllocated() ? TcxCustomEdit::Text() : FEditValue.value_or(std::wstring());
}

void TcxTextEdit::SetText(const std::wstring& Value) {
    SetEditValue(Value);
}

void TcxTextEdit::SetEditValue(const std::optional<std::wstring>& Value) {
    if (Value == FEditValue) return;
    FEditValue = Value;
    if (HandleAllocated()) {
        FSettingText = true;
        SetWindowTextW(Handle(), Value.value_or(L"").c_str());
        FSettingText = false;
        // The value as the control holds it, after its case conversion.
        if (FEditValue) FEditValue = TcxCustomEdit::Text();
    }
    FText = FEditValue.value_or(std::wstring());
    ValueChanged();
}

void TcxTextEdit::ValueChanged() {
    if (!IsLoading() && !IsDestroying()) DoOnChange();
}

void TcxTextEdit::DoOnChange() {
    if (FProperties.OnChange) FProperties.OnChange(this);
}

void TcxTextEdit::SetAutoSize(bool Value) {
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    SetBounds(Left(), Top(), Width(), Height());
}

int TcxTextEdit::AutoHeight() const {
    const int padding = ScaleForDpi(2, CurrentPPI(), DesignPPI);
    return FontLineHeight(Font()) + 2 * (FrameWidth() + padding);
}

void TcxTextEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TcxCustomEdit::SetBounds(ALeft, ATop, AWidth, FAutoSize ? AutoHeight() : AHeight);
}

void TcxTextEdit::FontChanged() {
    TcxCustomEdit::FontChanged();
    SetBounds(Left(), Top(), Width(), Height());
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

RECT TcxTextEdit::TextArea(const RECT& Window) const {
    // One line, centred vertically: the native single-line control puts its text at the top.
    const int frame = FrameWidth();
    const int inset = frame + ScaleForDpi(1, CurrentPPI(), DesignPPI);
    const int line = FontLineHeight(Font());
    RECT r = Window;
    r.left += inset;
    r.right = std::max(r.left, LONG(r.right - inset));
    r.top += std::max(frame, int(Window.bottom - Window.top - line) / 2);
    r.bottom = std::max(r.top, std::min(LONG(r.top + line), LONG(Window.bottom - frame)));
    return r;
}

void TcxTextEdit::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == EN_CHANGE) {
        if (FSettingText) return;
        const std::wstring text = TcxCustomEdit::Text();
        if (!FEditValue || *FEditValue != text) {
            FEditValue = text;
            FText = text;
            ValueChanged();
        }
        return;
    }
    TcxCustomEdit::WndProc(Message);
}

const TEnumInfo& EchoModeIdents() {
    static const TEnumInfo info(L"TcxEditEchoMode",
                                {{eemNormal, L"eemNormal"}, {eemPassword, L"eemPassword"}});
    return info;
}

const TEnumInfo& CharCaseIdents() {
    static const TEnumInfo info(
        L"TEditCharCase",
        {{ecNormal, L"ecNormal"}, {ecUpperCase, L"ecUpperCase"}, {ecLowerCase, L"ecLowerCase"}});
    return info;
}

const TClassInfo& TcxTextEditProperties::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxTextEditProperties>(L"TcxTextEditProperties", TPersistent::StaticClass())
            .Enum(L"CharCase", CharCaseIdents(), &TcxTextEditProperties::CharCase,
                  &TcxTextEditProperties::SetCharCase, ecNormal)
            .Enum(L"EchoMode", EchoModeIdents(), &TcxTextEditProperties::EchoMode,
                  &TcxTextEditProperties::SetEchoMode, eemNormal)
            .Boolean(L"ReadOnly", &TcxTextEditProperties::ReadOnly, &TcxTextEditProperties::SetReadOnly,
                     false)
            .Event(L"OnChange", &TcxTextEditProperties::OnChange);
    return info;
}

const TClassInfo& TcxTextEditProperties::ClassInfo() const {
    return StaticClass();
}

const TClassInfo& TcxTextEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxTextEdit>(L"TcxTextEdit", TcxCustomEdit::StaticClass())
            .Boolean(L"AutoSize", &TcxTextEdit::AutoSize, &TcxTextEdit::SetAutoSize, true)
            .Boolean(L"BeepOnEnter", &TcxTextEdit::BeepOnEnter, &TcxTextEdit::SetBeepOnEnter, true)
            .Object(L"Properties", [](TcxTextEdit& e) -> TcxTextEditProperties& { return e.Properties(); })
            .String(L"Text", &TcxTextEdit::Text, &TcxTextEdit::SetText, L"");
    return info;
}

const TClassInfo& TcxTextEdit::ClassInfo() const {
    return StaticClass();
}
