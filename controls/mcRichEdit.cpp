#include "mcRichEdit.h"

#include "mcEnterTab.h"
#include "toolkit/form.h"
#include "toolkit/published.h"

void TmcRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key != VK_RETURN || !FEnterTab) {
        TmcLabelled::KeyDown(Key, Shift);
        return;
    }
    if (auto* form = dynamic_cast<TForm*>(Owner())) {
        SendMessageW(form->Handle(), CM_DIALOGKEY, VK_TAB, 0);
    } else if (dynamic_cast<TFrame*>(Owner())) {
        // Under a frame, Enter moves on as it does in the single-line editor: as a Tab for the base.
        Key = VK_TAB;
        TmcLabelled::KeyDown(Key, Shift);
    }
}

void TmcRichEdit::CMDialogKey(TMessage& Message) {
    if (!EnterTabDialogKey(*this, FEnterTab, Message)) TmcLabelled::CMDialogKey(Message);
}

// The labelled controls declare their properties without defaults: a stored layout always carries them.
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
