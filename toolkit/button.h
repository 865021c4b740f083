#pragma once
// TcxButton: the suite's push button over the native BUTTON control, drawn by the platform with its
// theme. Enter presses it while it is focused or the form's default button, Escape while it is the
// cancel button; both arrive as dialog keys.
#include "look_and_feel.h"
#include "win_control.h"

class TcxButton : public TWinControl {
public:
    explicit TcxButton(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TcxLookAndFeel& LookAndFeel() { return FLookAndFeel; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CMDialogKey(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

private:
    // Enter is this button's: it has the focus, or it is the default button and no other button has it.
    bool TakesEnter() const;

    TcxLookAndFeel FLookAndFeel;
    bool FDefault = false;
    bool FCancel = false;
};
