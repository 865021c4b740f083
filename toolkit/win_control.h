#pragma once
// TWinControl: a control with a window of its own. The object owns the window: the window is made
// when the control has a parent with a window (a form makes its own at once) and is destroyed with the
// object or when the control leaves its parent. It holds child controls, keeps their tab order, takes
// the focus and receives the keyboard.
#include "control.h"

#include <windows.h>

#include <string>
#include <vector>

class TForm;
struct TDispatchFrame;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    // The window, made on first use when the control can have one (it needs a parent with a window,
    // unless it is a form); null when it cannot.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int Index) const { return FControls[size_t(Index)]; }
    // True when Control is this control or lies somewhere inside it.
    bool ContainsControl(const TControl* Control) const;
    // The topmost visible, enabled control without a window at Point (client coordinates), or null.
    TControl* ControlAtPos(POINT Point) const;

    // The place among the parent's windowed controls in tab order; setting it moves the others.
    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    // Every windowed control inside this one, in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;

    // Moves the focus here through the form, which runs the exit and entry handlers.
    virtual void SetFocus();
    bool Focused() const;
    // On a form, and it and each parent up to the form visible and enabled.
    virtual bool CanFocus() const;

    std::wstring Text() const override;
    void SetText(const std::wstring& Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ChangeScale(int M, int D) override;
    void Invalidate() override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    struct TCreateParams {
        std::wstring ClassName; // a native class (EDIT, BUTTON, ...) or the toolkit's own
        bool Native = false;    // native classes are subclassed after creation
        DWORD Style = 0;
        DWORD ExStyle = 0;
        int X = 0;
        int Y = 0;
        int Width = 0;
        int Height = 0;
        HWND WndParent = nullptr;
    };
    // The child windows of a control read from a stored layout are made here, once every value has been
    // read, each with its final bounds, font and text, rather than made at once and then moved, resized
    // and refreshed value by value.
    void Loaded() override;
    virtual void CreateParams(TCreateParams& Params);
    // Runs once the window exists: gives it the state the object holds.
    virtual void CreateWnd();
    // Runs before the window goes: keeps in the object what only the window held.
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();

    // A key pressed, released or typed while the control has the focus; Key set to 0 keeps it from
    // the native control.
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(wchar_t& Key);
    // The focus came into the control from elsewhere on its form, or left it for elsewhere on the form.
    virtual void DoEnter();
    virtual void DoExit();
    // A navigation key offered by the form: by default offered on to each child until one takes it.
    virtual void CMDialogKey(TMessage& Message);

    void CMVisiblechanged(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void VisibleChanging() override;
    void EnabledChanging() override;
    void BiDiModeChanging() override;
    void FontChanged() override;
    void ColorChanged() override;
    void TextChanged() override;

    // The brush of the control's background colour.
    HBRUSH ColorBrush();
    // Paints the background and the controls without a window (the toolkit's own window class only).
    virtual void PaintWindow(HDC DC, const RECT& Area);
    // The window's bounds changed (moved by the user or the system): the object follows.
    virtual void UpdateBounds();
    // Scales the children: those without a window first, as an editor places its caption label after
    // its own move.
    void ScaleControls(int M, int D);
    // The parent's client area changed size.
    virtual void ParentResized();
    // Extended styles for the reading direction.
    DWORD BiDiExStyle() const;

private:
    friend class TControl;
    friend class TForm;
    friend struct TWindowBinding;

    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);
    void SortTabList();
    void RenumberTabList();
    void ReflectToChild(TMessage& Message, HWND Child);
    void HandleMouse(TMessage& Message);
    bool HandleSetCursor(TMessage& Message);
    void PaintMessage(TMessage& Message);
    void KeyMessage(TMessage& Message);

    HWND FHandle = nullptr;
    bool FNative = false;
    std::vector<TControl*> FControls;   // in creation order: the order of painting and of key offers
    std::vector<TWinControl*> FTabList; // windowed children in tab order
    int FTabOrder = 0;
    bool FTabStop = false;
    TControl* FMouseControl = nullptr; // the control without window that took the button press
    TBrushHandle FBrush;
    TDispatchFrame* FDispatchFrames = nullptr; // messages of this control now on the stack
};

// The form that Control lies on (the form itself for a form), or null.
TForm* GetParentForm(const TControl* Control);
// Modifier keys and mouse buttons held now.
TShiftState KeyboardShiftState();
