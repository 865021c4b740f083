#include "frame.h"

#include "published.h"

TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner) {
    FWidth = 320;
    FHeight = 240;
}

void TFrame::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CONTROLPARENT;
}

const TClassInfo& TFrame::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFrame>(L"TFrame", TWinControl::StaticClass());
    return info;
}

const TClassInfo& TFrame::ClassInfo() const {
    return StaticClass();
}
