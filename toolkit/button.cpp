#include "button.h"

#include "form.h"
#include "published.h"

TcxButton::TcxButton(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 75;
    FHeight = 25;
    SetTabStop(true);
}

void TcxButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.ClassName = L"BUTTON";
    Params.Native = true;
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TcxButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETSTYLE, Value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TcxButton::Click() {
    TWinControl::Click();
}

bool TcxButton::TakesEnter() const {
    if (Focused()) return true;
    if (!FDefault) return false;
    const TForm* form = GetParentForm(this);
    const TWinControl* active = form ? form->ActiveControl() : nullptr;
    return !(active && active != this && dynamic_cast<const TcxButton*>(active) && active->Focused());
}

void TcxButton::CMDialogKey(TMessage& Message) {
    const bool plain = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 &&
                       (Message.LParam & (LPARAM(1) << 29)) == 0; // the key data's Alt bit
    const bool pressed =
        (Message.WParam == VK_RETURN && TakesEnter()) || (Message.WParam == VK_ESCAPE && FCancel);
    if (pressed && plain && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(Message);
}

void TcxButton::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == BN_CLICKED) Click();
        return;
    }
    TWinControl::WndProc(Message);
}

const TClassInfo& TcxButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxButton>(L"TcxButton", TWinControl::StaticClass())
            .Boolean(L"TabStop", &TcxButton::TabStop, &TcxButton::SetTabStop, true)
            .String(L"Caption", &TcxButton::Caption, &TcxButton::SetCaption)
            .Boolean(L"Cancel", &TcxButton::Cancel, &TcxButton::SetCancel, false)
            .Boolean(L"Default", &TcxButton::Default, &TcxButton::SetDefault, false)
            .Object(L"LookAndFeel", [](TcxButton& b) -> TcxLookAndFeel& { return b.LookAndFeel(); });
    return info;
}

const TClassInfo& TcxButton::ClassInfo() const {
    return StaticClass();
}
