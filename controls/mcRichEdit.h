#pragma once
// TmcRichEdit: the labelled rich-text editor. Besides what both labelled editors have, Enter moves on to
// the next field when EnterTab is on.
#include "mcLabelled.h"
#include "toolkit/rich_edit.h"

class TmcRichEdit : public TmcLabelled<TcxRichEdit> {
public:
    explicit TmcRichEdit(TComponent* AOwner) : TmcLabelled<TcxRichEdit>(AOwner) {}

    bool EnterTab() const { return FEnterTab; }
    void SetEnterTab(bool Value) { FEnterTab = Value; }

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

protected:
    void CMDialogKey(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    bool FEnterTab = false;
};
