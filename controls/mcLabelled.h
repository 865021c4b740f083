#pragma once
// What both labelled editors share, over their different base editors: the caption label beside the editor
// (made, placed, following the editor's bounds, parent, enabled state and reading direction, following
// renames in a designer), its red colour and the status-bar hint while the editor has the focus, and the
// record-change marker with F9.
#include "mcCaptionLabel.h"
#include "mcRecordMarker.h"
#include "mcStatusBarHint.h"
#include "toolkit/label.h"
#include "toolkit/look_and_feel.h"
#include "toolkit/messages.h"

#include <string>

template <class TBase> class TmcLabelled : public TBase {
public:
    explicit TmcLabelled(TComponent* AOwner) : TBase(AOwner) {
        this->LookAndFeel().SetNativeStyle(false);
        this->Style().LookAndFeel().SetNativeStyle(false);
        this->StyleFocused().SetBorderColor(clRed);
        this->StyleFocused().SetBorderStyle(ebsThick);
        // Straight into the fields: the label is not placed here.
        FLabelPosition = lpAbove;
        FLabelSpacing = 0;
        this->SetBeepOnEnter(false);
        SetupInternalLabel();
    }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override {
        TBase::SetBounds(ALeft, ATop, AWidth, AHeight);
        SetLabelPosition(FLabelPosition);
    }

    // Makes the caption label if there is none.
    void SetupInternalLabel() {
        if (!FLabel) FLabel = NewCaptionLabel(*this);
    }

    // Published properties. C++ has no property syntax, so the setters behind them are public too.
    TBoundLabel* AutoLabel() const { return FLabel; }
    TLabelPosition AutoLabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition Value) {
        if (!FLabel) return;
        FLabelPosition = Value;
        PlaceCaptionLabel(*FLabel, Value, FLabelSpacing, *this);
    }
    int AutoLabelSpacing() const { return FLabelSpacing; }
    void SetLabelSpacing(int Value) {
        FLabelSpacing = Value;
        SetLabelPosition(FLabelPosition);
    }
    bool AutoLabelSempreEnabled() const { return FLabelSempreEnabled; }
    void SetLabelSempreEnabled(bool Value) {
        FLabelSempreEnabled = Value;
        AtualizaLabelEnabled();
    }
    bool AltCad() const { return FAltCad; }
    void SetAltCad(bool Value) {
        FAltCad = Value;
        if (FLabel) ApplyRecordChangeMarker(*FLabel, Value);
    }

protected:
    void AtualizaLabelEnabled() {
        if (FLabel) FLabel->SetEnabled(FLabelSempreEnabled ? true : this->Enabled());
    }

    void Notification(TComponent* AComponent, TOperation Operation) override {
        TBase::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
    }

    void SetName(const std::wstring& Value) override {
        const bool designing = this->IsDesigning();
        if (designing && FLabel) FollowRename(*FLabel, this->Name(), Value);
        TBase::SetName(Value);
        if (designing) this->SetText(L"");
    }

    void SetParent(TWinControl* AParent) override {
        TBase::SetParent(AParent);
        if (FLabel) {
            FLabel->SetParent(AParent);
            FLabel->SetVisible(true);
        }
    }

    void CMVisiblechanged(TMessage& Message) override {
        TBase::CMVisiblechanged(Message);
        if (FLabel) FLabel->SetVisible(this->Visible());
    }

    void CMEnabledchanged(TMessage& Message) override {
        TBase::CMEnabledchanged(Message);
        if (FLabel) FLabel->SetEnabled(this->Enabled());
        AtualizaLabelEnabled();
    }

    void CMBidimodechanged(TMessage& Message) override {
        TBase::CMBidimodechanged(Message);
        if (FLabel) FLabel->SetBiDiMode(this->BiDiMode());
    }

    void DoEnter() override {
        TBase::DoEnter();
        ShowCaptionFocused(FLabel, true);
        ShowInStatusBar(this->Hint());
    }

    void DoExit() override {
        TBase::DoExit();
        ShowCaptionFocused(FLabel, false);
        ShowInStatusBar(L"");
    }

    // Key releases reach the base first, so the editor's own key-up event can still take F9 away.
    void KeyUp(WORD& Key, TShiftState Shift) override {
        TBase::KeyUp(Key, Shift);
        if (FAltCad && Key == VK_F9 && FLabel && FLabel->OnClick) FLabel->OnClick(this);
    }

    TBoundLabel* FLabel = nullptr;
    TLabelPosition FLabelPosition = lpAbove;
    int FLabelSpacing = 0;
    bool FLabelSempreEnabled = false;
    bool FAltCad = false;
};
