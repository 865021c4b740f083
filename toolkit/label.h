#pragma once
// TLabel: a plain text label without a window of its own, painted by its parent and sized to its text;
// TBoundLabel: the label an editor owns as its caption.
#include "control.h"

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    // On: the label's size follows its text and font (its top-left corner stays).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // On: only the text is painted, over whatever lies beneath.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // With AutoSize on, the size given is replaced by that of the text.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Paint(HDC DC) override;
    void Loaded() override;

protected:
    void FontChanged() override;
    void TextChanged() override;
    void AdjustBounds();
    UINT DrawTextFlags() const;

private:
    bool FAutoSize = true;
    bool FTransparent = false;
};

class TBoundLabel : public TLabel {
public:
    explicit TBoundLabel(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;
};
