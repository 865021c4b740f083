#include "mcBtn.h"

#include "mcEnterTab.h"
#include "toolkit/published.h"

TmcBtn::TmcBtn(TComponent* AOwner) : TcxButton(AOwner) {
    LookAndFeel().SetNativeStyle(false);
    LookAndFeel().SetKind(lfStandard);
    LookAndFeel().SetNativeStyle(true);
}

void TmcBtn::CMDialogKey(TMessage& Message) {
    if (!EnterTabDialogKey(*this, FEnterTab, Message)) TcxButton::CMDialogKey(Message);
}

const TClassInfo& TmcBtn::StaticClass() {
    static const TClassInfo info = TClassBuilder<TmcBtn>(L"TmcBtn", TcxButton::StaticClass())
                                       .Boolean(L"EnterTab", &TmcBtn::FEnterTab, &TmcBtn::FEnterTab, false);
    return info;
}
