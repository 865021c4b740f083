#pragma once
// TmcEdit: the labelled single-line editor. Besides what both labelled editors have, Enter and the arrows
// move between fields, it can show its caption inside itself while empty, and capitalise a person's name.
#include "mcLabelled.h"
#include "toolkit/cx_label.h"
#include "toolkit/text_edit.h"

class TmcEdit : public TmcLabelled<TcxTextEdit> {
public:
    explicit TmcEdit(TComponent* AOwner);

    bool Capilalize() const { return FCapilalize; }
    void SetCapilalize(bool Value);
    bool AutoLabelDentro() const { return FLabelDentro; }
    void SetLabelDentro(bool Value);

    // The inside caption, once made (null before, and after its destruction).
    TcxLabel* InsideCaption() const { return FLabelCXDentro; }

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoOnChange() override;
    void CMVisiblechanged(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void LabelDentro_Click(TObject* Sender);
    void OnChange(TObject* Sender);
    void ShowInsideCaptionWhenEmpty();

    bool FCapilalize = false;
    bool FLabelDentro = false;
    TcxLabel* FLabelCXDentro = nullptr;
};
