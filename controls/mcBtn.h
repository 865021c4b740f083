#pragma once
// TmcBtn: the platform's themed push button, with Enter as a move to the next field when EnterTab is on.
#include "toolkit/button.h"

class TmcBtn : public TcxButton {
public:
    explicit TmcBtn(TComponent* AOwner);

    bool EnterTab() const { return FEnterTab; }
    void SetEnterTab(bool Value) { FEnterTab = Value; }

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

protected:
    void CMDialogKey(TMessage& Message) override;

private:
    bool FEnterTab = false;
};
