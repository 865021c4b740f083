#pragma once
// TForm: a top-level window. It keeps track of its focused control (running the exit and entry
// handlers as the focus moves between its controls), takes Tab as a dialog key, places itself at its
// first showing and scales everything on it to its monitor's resolution.
#include "frame.h"
#include "win_control.h"

enum TFormBorderStyle : unsigned char { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition : unsigned char {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
const TEnumInfo& FormBorderStyleIdents();
const TEnumInfo& PositionIdents();

class TForm : public TWinControl {
public:
    // The window is made at once. The first form made becomes the application's main form.
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    int ClientWidth() const;
    void SetClientWidth(int Value);
    int ClientHeight() const;
    void SetClientHeight(int Value);

    // The control that has the focus, or gets it when the form is next activated.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // Focuses the next (or previous) control in tab order after CurControl that can take the focus.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;

    // The resolution its positions, sizes and font heights are in (96 until it scales itself).
    int PixelsPerInch() const { return FPixelsPerInch; }
    // Scales every position, size and font height on the form to NewPPI.
    void ScaleForPPI(int NewPPI);
    // Once: scales from the layout's 96 pixels per inch to the resolution of the form's monitor.
    void ScaleToMonitor();

    // At the first showing the form is placed (Position) and its first control in tab order focused.
    // ShowCommand is what ShowWindow is given then; SW_SHOWMINNOACTIVE shows it without activation.
    void SetInitialShowCommand(int ShowCommand) { FShowCommand = ShowCommand; }
    // Closing the main form ends the application (the quit message); another form only hides.
    void Close();
    // Frees the form once its own messages are off the stack.
    void Release();

    void ChangeScale(int M, int D) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void CMDialogKey(TMessage& Message) override;
    void VisibleChanging() override;

private:
    friend class TWinControl;

    // The focus arrived at Control (the form itself: at none of its controls).
    void SetFocusedControl(TWinControl* Control);
    // Control is disabled, hidden or leaves the form: it keeps neither the focus nor the active place.
    void DefocusControl(TWinControl* Control, bool Removing);
    void FocusControl(TWinControl* Control);
    void ShowAtFirstShowing();
    void Activated();
    void DpiChanged(int NewDpi, const RECT* Suggested);
    void ApplyBorderStyle();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDefaultPosOnly;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    int FPixelsPerInch = 96;
    bool FScaled = false;
    bool FShown = false;
    int FShowCommand = SW_SHOWNORMAL;
    HMONITOR FCreationMonitor = nullptr;
};
