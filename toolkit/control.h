#pragma once
// TControl: what every control has, windowed or not: a parent, bounds, visibility, enabled state,
// reading direction, hint, cursor, font, colour and text. A control without a window of its own (a
// label) is painted by its parent.
#include "component.h"
#include "events.h"
#include "gdi.h"
#include "graphics.h"
#include "messages.h"

#include <windows.h>

#include <cstdint>
#include <string>

enum TBiDiMode : unsigned char {
    bdLeftToRight,
    bdRightToLeft,
    bdRightToLeftNoAlign,
    bdRightToLeftReadingOnly
};
const TEnumInfo& BiDiModeIdents();

class TWinControl;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    // Stored layouts give a control its parent through these.
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;

    // Bounds in the parent's client coordinates (a form's: on the screen, its outer frame).
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);

    const std::wstring& Hint() const { return FHint; }
    void SetHint(const std::wstring& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value) { FCursor = Value; }

    // Changing the font switches ParentFont off; switching ParentFont on copies the parent's font.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);

    // The caption of a label or button, the text of an editor: one value under two names.
    std::wstring Caption() const { return Text(); }
    void SetCaption(const std::wstring& Value) { SetText(Value); }
    virtual std::wstring Text() const;
    virtual void SetText(const std::wstring& Value);

    TNotifyEvent OnClick;
    virtual void Click();

    // Delivers a message straight to the control's own handlers and returns its result. A window
    // message for a control with a window goes through the window (SendMessageW), so that the native
    // control sees what the handlers leave to it.
    std::intptr_t Perform(unsigned Msg, std::uintptr_t WParam, std::intptr_t LParam);
    virtual void WndProc(TMessage& Message);

    // The resolution the control's positions, sizes and font heights are in: that of its form.
    int CurrentPPI() const;
    // Scales positions, sizes and an own font by M / D.
    virtual void ChangeScale(int M, int D);

    HFONT FontHandle() const;
    // Paints a control without a window of its own, in its own coordinates, on its parent's DC.
    virtual void Paint(HDC DC);
    virtual void Invalidate();

protected:
    // The notifications, sent only after a real change.
    virtual void CMVisiblechanged(TMessage& Message);
    virtual void CMEnabledchanged(TMessage& Message);
    virtual void CMBidimodechanged(TMessage& Message);
    // Whatever no handler took.
    virtual void DefaultHandler(TMessage& Message);

    // The state changes themselves, made before the notification goes out.
    virtual void VisibleChanging();
    virtual void EnabledChanging();
    virtual void BiDiModeChanging();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();

    void ApplyParentFont();
    void ApplyParentColor();
    // The part of the parent to repaint for this control (a control without window).
    void InvalidateInParent(const RECT& Area) const;

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
    std::wstring FText;
    TColor FColor = clBtnFace;

private:
    friend class TWinControl;
    void FontNotified();

    std::wstring FHint;
    bool FShowHint = false;
    TCursor FCursor = crDefault;
    TFont FFont;
    bool FParentFont = true;
    bool FParentColor = true;
    bool FApplyingParent = false;
    mutable TFontHandle FFontHandle;
};
