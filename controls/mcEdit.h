#pragma once
// TmcEdit: the labelled single-line editor. A caption label beside it, a red caption while focused, Enter
// and the arrows as moves between fields, an optional inside caption, name capitalisation and the
// record-change marker.
#include "mcCaptionPlacement.h"
#include "toolkit/cx_label.h"
#include "toolkit/label.h"
#include "toolkit/text_edit.h"

class TmcEdit : public TcxTextEdit {
public:
    explicit TmcEdit(TComponent* AOwner);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Makes the caption label if there is none.
    void SetupInternalLabel();

    // Published properties. C++ has no property syntax, so the setters behind them are public too.
    TBoundLabel* AutoLabel() const { return FLabel; }
    TLabelPosition AutoLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value);
    int AutoLabelSpacing() const { return FLabelSpacing; }
    void SetLabelSpacing(int Value);
    bool AutoLabelSempreEnabled() const { return FLabelSempreEnabled; }
    void SetLabelSempreEnabled(bool Value);
    bool AltCad() const { return FAltCad; }
    void SetAltCad(bool Value);
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
    void SetName(const std::wstring& Value) override;
    void SetParent(TWinControl* AParent) override;
    void DoOnChange() override;
    void CMVisiblechanged(TMessage& Message) override;
    void CMEnabledchanged(TMessage& Message) override;
    void CMBidimodechanged(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

private:
    void AtualizaLabelEnabled();
    void LabelDentro_Click(TObject* Sender);
    void OnChange(TObject* Sender);
    void ShowInsideCaptionWhenEmpty();

    TBoundLabel* FLabel = nullptr;
    TLabelPosition FLabelPosition = lpAbove;
    int FLabelSpacing = 0;
    bool FLabelSempreEnabled = false;
    bool FAltCad = false;
    bool FCapilalize = false;
    bool FLabelDentro = false;
    TcxLabel* FLabelCXDentro = nullptr;
};
