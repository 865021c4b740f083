#include "mcRichEdit.h"

#include "mcCaptionLabel.h"
#include "mcEnterTab.h"
#include "mcRecordMarker.h"
#include "mcStatusBarHint.h"
#include "toolkit/form.h"
#include "toolkit/messages.h"
#include "toolkit/published.h"

TmcRichEdit::TmcRichEdit(TComponent* AOwner) : TcxRichEdit(AOwner) {
    LookAndFeel().SetNativeStyle(false);
    Style().LookAndFeel().SetNativeStyle(false);
    StyleFocused().SetBorderColor(clRed);
    StyleFocused().SetBorderStyle(ebsThick);
    FLabelPosition = lpAbove;
    FLabelSpacing = 0;
    SetBeepOnEnter(false);
    SetupInternalLabel();
}

void TmcRichEdit::SetupInternalLabel() {
    if (!FLabel) FLabel = NewCaptionLabel(*this);
}

void TmcRichEdit::SetLabelPosition(TLabelPosition Value) {
    if (!FLabel) return;
    FLabelPosition = Value;
    PlaceCaptionLabel(*FLabel, Value, FLabelSpacing, *this);
}

void TmcRichEdit::SetLabelSpacing(int Value) {
    FLabelSpacing = Value;
    SetLabelPosition(FLabelPosition);
}

void TmcRichEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TcxRichEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    SetLabelPosition(FLabelPosition);
}

void TmcRichEdit::AtualizaLabelEnabled() {
    if (FLabel) FLabel->SetEnabled(FLabelSempreEnabled ? true : Enabled());
}

void TmcRichEdit::SetLabelSempreEnabled(bool Value) {
    FLabelSempreEnabled = Value;
    AtualizaLabelEnabled();
}

void TmcRichEdit::CMEnabledchanged(TMessage& Message) {
    TcxRichEdit::CMEnabledchanged(Message);
    if (FLabel) FLabel->SetEnabled(Enabled());
    AtualizaLabelEnabled();
}

void TmcRichEdit::CMVisiblechanged(TMessage& Message) {
    TcxRichEdit::CMVisiblechanged(Message);
    if (FLabel) FLabel->SetVisible(Visible());
}

void TmcRichEdit::CMBidimodechanged(TMessage& Message) {
    TcxRichEdit::CMBidimodechanged(Message);
    if (FLabel) FLabel->SetBiDiMode(BiDiMode());
}

void TmcRichEdit::SetParent(TWinControl* AParent) {
    TcxRichEdit::SetParent(AParent);
    if (FLabel) {
        FLabel->SetParent(AParent);
        FLabel->SetVisible(true);
    }
}

void TmcRichEdit::SetName(const std::wstring& Value) {
    const bool designing = IsDesigning();
    if (designing && FLabel) FollowRename(*FLabel, Name(), Value);
    TcxRichEdit::SetName(Value);
    if (designing) SetText(L"");
}

void TmcRichEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TcxRichEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TmcRichEdit::DoEnter() {
    TcxRichEdit::DoEnter();
    ShowCaptionFocused(FLabel, true);
    ShowInStatusBar(Hint());
}

void TmcRichEdit::DoExit() {
    TcxRichEdit::DoExit();
    ShowCaptionFocused(FLabel, false);
    ShowInStatusBar(L"");
}

void TmcRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key != VK_RETURN || !FEnterTab) {
        TcxRichEdit::KeyDown(Key, Shift);
        return;
    }
    if (auto* form = dynamic_cast<TForm*>(Owner())) {
        SendMessageW(form->Handle(), CM_DIALOGKEY, VK_TAB, 0);
    } else if (dynamic_cast<TFrame*>(Owner())) {
        // Under a frame, Enter moves on as it does in the single-line editor: as a Tab for the base.
        Key = VK_TAB;
        TcxRichEdit::KeyDown(Key, Shift);
    }
}

void TmcRichEdit::CMDialogKey(TMessage& Message) {
    if (!EnterTabDialogKey(*this, FEnterTab, Message)) TcxRichEdit::CMDialogKey(Message);
}

void TmcRichEdit::KeyUp(WORD& Key, TShiftState Shift) {
    // Key releases reach the base first, as in the single-line editor, so the editor's own key-up event
    // can still take F9 away.
    TcxRichEdit::KeyUp(Key, Shift);
    if (FAltCad && Key == VK_F9 && FLabel && FLabel->OnClick) FLabel->OnClick(this);
}

void TmcRichEdit::SetAltCad(bool Value) {
    FAltCad = Value;
    if (FLabel) ApplyRecordChangeMarker(*FLabel, Value);
}

const TClassInfo& TmcRichEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TmcRichEdit>(L"TmcRichEdit", TcxRichEdit::StaticClass())
            .SubComponent(L"AutoLabel", &TmcRichEdit::FLabel)
            .Enum(L"AutoLabelPosition", LabelPositionIdents(), &TmcRichEdit::FLabelPosition,
                  &TmcRichEdit::SetLabelPosition)
            .Boolean(L"EnterTab", &TmcRichEdit::FEnterTab, &TmcRichEdit::FEnterTab, false)
            .Integer(L"AutoLabelSpacing", &TmcRichEdit::FLabelSpacing, &TmcRichEdit::SetLabelSpacing)
            .Boolean(L"AutoLabelSempreEnabled", &TmcRichEdit::FLabelSempreEnabled,
                     &TmcRichEdit::SetLabelSempreEnabled)
            .Boolean(L"AltCad", &TmcRichEdit::FAltCad, &TmcRichEdit::SetAltCad);
    return info;
}
