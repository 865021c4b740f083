#pragma once
// TcxCustomEdit: what the suite's two editors share. The editor draws its own frame around the native
// control's text area: flat (a one-pixel line) or, while focused, as the focused style says (a thick
// coloured frame); with native style on, the platform's sunken edge. It also keeps the beep on Enter and
// the Tab rule of the editors' key handler.
#include "look_and_feel.h"
#include "win_control.h"

class TcxCustomEdit : public TWinControl {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TcxLookAndFeel& LookAndFeel() { return FLookAndFeel; }
    TcxEditStyle& Style() { return FStyle; }
    TcxEditStyle& StyleFocused() { return FStyleFocused; }
    // On: Enter beeps where the editor does not take it as input.
    bool BeepOnEnter() const { return FBeepOnEnter; }
    void SetBeepOnEnter(bool Value) { FBeepOnEnter = Value; }

    // The width of the frame drawn around the text area, at the editor's resolution.
    int FrameWidth() const;

protected:
    explicit TcxCustomEdit(TComponent* AOwner);

    // Tab, while the editor has the focus, does not want Tab as input and neither Alt nor Ctrl is in
    // Shift, moves to the next control of the form (the previous one with Shift) and becomes 0.
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void WndProc(TMessage& Message) override;
    void CreateWnd() override;
    void ColorChanged() override;

    // The text area inside the window rectangle Window (both in the same coordinates).
    virtual RECT TextArea(const RECT& Window) const;
    // Whether Enter is input for the native control (a line break).
    virtual bool WantsReturn() const { return false; }
    void RedrawFrame();

private:
    void PaintFrame();
    void CalcSize(TMessage& Message);

    TcxLookAndFeel FLookAndFeel;
    TcxEditStyle FStyle;
    TcxEditStyle FStyleFocused;
    bool FBeepOnEnter = true;
};
