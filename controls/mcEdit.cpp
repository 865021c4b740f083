#include "mcEdit.h"

#include "mcNames.h"
#include "toolkit/form.h"
#include "toolkit/messages.h"
#include "toolkit/published.h"

TmcEdit::TmcEdit(TComponent* AOwner) : TmcLabelled<TcxTextEdit>(AOwner) {
    if (!IsDesigning()) Properties().OnChange = [this](TObject* Sender) { OnChange(Sender); };
}

void TmcEdit::CMVisiblechanged(TMessage& Message) {
    TmcLabelled::CMVisiblechanged(Message);
    // The label repaints its area even when its own visibility did not change.
    if (FLabel) FLabel->Perform(CM_VISIBLECHANGED, Visible() ? 1 : 0, 0);
    if (FLabelDentro && FLabelCXDentro) {
        if (Visible())
            ShowInsideCaptionWhenEmpty();
        else
            FLabelCXDentro->SetVisible(false);
    }
}

void TmcEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TmcLabelled::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabelCXDentro) FLabelCXDentro = nullptr;
}

// Inside caption.

void TmcEdit::SetLabelDentro(bool Value) {
    FLabelDentro = Value;
    if (IsDesigning()) return;
    if (!Value) {
        // A caption that is no longer kept in step must not linger over the field.
        if (FLabelCXDentro) FLabelCXDentro->SetVisible(false);
        return;
    }
    if (!FLabelCXDentro) {
        const std::wstring caption = FLabel ? FLabel->Caption() : std::wstring();
        FLabelCXDentro = new TcxLabel(this);
        FLabelCXDentro->SetParent(Parent());
        FLabelCXDentro->SetCaption(L"(" + caption + L")");
        FLabelCXDentro->Style().Font().SetColor(clGray);
        if (FLabel) {
            FLabelCXDentro->Style().Font().SetSize(FLabel->Font().Size());
            FLabelCXDentro->Style().Font().SetName(FLabel->Font().Name());
        }
        FLabelCXDentro->SetTop(Top());
        FLabelCXDentro->SetLeft(Left() + 1);
        FLabelCXDentro->SetTransparent(true);
        FLabelCXDentro->SetCursor(crIBeam);
        FLabelCXDentro->OnClick = [this](TObject* Sender) { LabelDentro_Click(Sender); };
        SetLabelPosition(lpAbove);
        SetLabelSpacing(-19);
        if (Hint().empty()) SetHint(caption);
        if (FLabel) FLabel->SetCaption(L"");
    }
    // Two visibility changes, each with its notification: the inside caption follows the rule at once.
    SetVisible(!Visible());
    SetVisible(!Visible());
}

void TmcEdit::ShowInsideCaptionWhenEmpty() {
    if (FLabelDentro && FLabelCXDentro) FLabelCXDentro->SetVisible(Text().empty());
}

void TmcEdit::OnChange(TObject*) { ShowInsideCaptionWhenEmpty(); }

void TmcEdit::DoOnChange() {
    TmcLabelled::DoOnChange();
    OnChange(this);
}

void TmcEdit::LabelDentro_Click(TObject*) {
    if (FLabelDentro && Visible() && Enabled()) SetFocus();
}

// Focus.

void TmcEdit::DoEnter() {
    if (Properties().EchoMode() == eemPassword && Properties().CharCase() != ecNormal)
        Properties().SetCharCase(ecNormal);
    TmcLabelled::DoEnter();
    if (FLabelDentro && FLabelCXDentro) FLabelCXDentro->SetVisible(false);
}

void TmcEdit::DoExit() {
    TmcLabelled::DoExit();
    if (FCapilalize) {
        const std::optional<std::wstring> value = EditValue();
        if (value) SetEditValue(UpperNome(*EditValue()));
    }
    ShowInsideCaptionWhenEmpty();
}

void TmcEdit::SetCapilalize(bool Value) { FCapilalize = Value; }

// Keys.

void TmcEdit::KeyDown(WORD& Key, TShiftState Shift) {
    auto* form = dynamic_cast<TForm*>(Owner());
    auto* frame = form ? nullptr : dynamic_cast<TFrame*>(Owner());
    switch (Key) {
    case VK_RETURN:
    case VK_DOWN:
        if (form) {
            SendMessageW(form->Handle(), CM_DIALOGKEY, VK_TAB, 0);
        } else if (frame) {
            Key = VK_TAB;
            TmcLabelled::KeyDown(Key, Shift);
        }
        break;
    case VK_UP:
        if (form || frame) {
            Key = VK_TAB;
            TmcLabelled::KeyDown(Key, ssShift);
        }
        break;
    default:
        TmcLabelled::KeyDown(Key, Shift);
    }
}

// The labelled controls declare their properties without defaults: a stored layout always carries them.
const TClassInfo& TmcEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TmcEdit>(L"TmcEdit", TcxTextEdit::StaticClass())
            .SubComponent(L"AutoLabel", &TmcEdit::FLabel)
            .Enum(L"AutoLabelPosition", LabelPositionIdents(), &TmcEdit::FLabelPosition, &TmcEdit::SetLabelPosition)
            .Integer(L"AutoLabelSpacing", &TmcEdit::FLabelSpacing, &TmcEdit::SetLabelSpacing)
            .Boolean(L"AutoLabelSempreEnabled", &TmcEdit::FLabelSempreEnabled, &TmcEdit::SetLabelSempreEnabled)
            .Boolean(L"AltCad", &TmcEdit::FAltCad, &TmcEdit::SetAltCad)
            .Boolean(L"Capilalize", &TmcEdit::FCapilalize, &TmcEdit::SetCapilalize)
            .Boolean(L"AutoLabelDentro", &TmcEdit::FLabelDentro, &TmcEdit::SetLabelDentro);
    return info;
}
