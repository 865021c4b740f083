#pragma once
// TcxLabel: the suite's label. It has a window of its own, so it can lie over another control (an
// editor's inside caption lies over the editor's corner). Transparent, it shows the background of the
// control beneath it. It sizes itself to its text.
#include "look_and_feel.h"
#include "win_control.h"

class TcxLabel : public TWinControl {
public:
    explicit TcxLabel(TComponent* AOwner);

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    // Style.Font is the label's font.
    TcxEditStyle& Style() { return FStyle; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // With AutoSize on, the size given is replaced by that of the text.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void PaintWindow(HDC DC, const RECT& Area) override;
    void FontChanged() override;
    void TextChanged() override;
    void VisibleChanging() override;

private:
    void AdjustBounds();
    // The colour that shows through a transparent label: that of the control beneath it.
    TColor BackgroundColor() const;

    TcxEditStyle FStyle;
    bool FTransparent = false;
    bool FAutoSize = true;
};
