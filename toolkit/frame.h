#pragma once
// TFrame: a container of controls laid out together and placed on a form as one piece. It owns the
// controls laid out on it.
#include "win_control.h"

class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

protected:
    void CreateParams(TCreateParams& Params) override;
};
