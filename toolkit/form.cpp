#include "form.h"

#include "application.h"
#include "dpi.h"
#include "placement.h"
#include "published.h"

#include <algorithm>
#include <vector>

namespace {
constexpr DWORD BorderStyleMask = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                                  WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;
constexpr DWORD BorderExStyleMask = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW;

void BorderStyles(TFormBorderStyle Border, DWORD& Style, DWORD& ExStyle) {
    switch (Border) {
    case bsNone:
        Style = WS_POPUP;
        break;
    case bsSingle:
        Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsDialog:
        Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        ExStyle = WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        ExStyle = WS_EX_TOOLWINDOW;
        break;
    case bsSizeable:
    default:
        Style = WS_OVERLAPPEDWINDOW;
        break;
    }
}
} // namespace

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    FWidth = 320;
    FHeight = 240;
    SetColor(clBtnFace);
    SetParentFont(false);
    if (Application) Application->FormCreated(this);
    CreateHandle();
}

TForm::~TForm() {
    Destroying();
    DestroyComponents();
    FActiveControl = nullptr;
    FFocusedControl = nullptr;
    if (Application) Application->FormDestroyed(this);
}

void TForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    DWORD style = 0, ex = 0;
    BorderStyles(FBorderStyle, style, ex);
    Params.Style = style | WS_CLIPCHILDREN;
    Params.ExStyle = ex | BiDiExStyle();
    // Created where the system puts new windows: that decides the monitor it is centred on.
    Params.X = CW_USEDEFAULT;
    Params.Y = CW_USEDEFAULT;
    Params.Width = FWidth;
    Params.Height = FHeight;
    const bool onTaskBar = Application && Application->MainFormOnTaskBar();
    TForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (onTaskBar && mainForm == this) {
        Params.ExStyle |= WS_EX_APPWINDOW;
        Params.WndParent = nullptr;
    } else if (onTaskBar && mainForm && mainForm->HandleAllocated()) {
        Params.WndParent = mainForm->Handle();
    } else {
        Params.WndParent = Application ? Application->Handle() : nullptr;
    }
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    FCreationMonitor = MonitorFromWindow(FHandle, MONITOR_DEFAULTTOPRIMARY);
    if (Application) {
        SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application->Icon()));
        SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application->SmallIcon()));
    }
    UpdateBounds();
}

// Frame and size.

void TForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    const int cw = ClientWidth(), ch = ClientHeight();
    FBorderStyle = Value;
    if (!FHandle) return;
    ApplyBorderStyle();
    SetClientWidth(cw);
    SetClientHeight(ch);
}

void TForm::ApplyBorderStyle() {
    DWORD style = 0, ex = 0;
    BorderStyles(FBorderStyle, style, ex);
    const LONG_PTR oldStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
    const LONG_PTR oldEx = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, (oldStyle & ~LONG_PTR(BorderStyleMask)) | LONG_PTR(style));
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, (oldEx & ~LONG_PTR(BorderExStyleMask)) | LONG_PTR(ex));
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    UpdateBounds();
}

int TForm::ClientWidth() const {
    if (!FHandle) return FWidth;
    RECT r;
    GetClientRect(FHandle, &r);
    return r.right - r.left;
}

int TForm::ClientHeight() const {
    if (!FHandle) return FHeight;
    RECT r;
    GetClientRect(FHandle, &r);
    return r.bottom - r.top;
}

void TForm::SetClientWidth(int Value) {
    SetBounds(FLeft, FTop, FWidth - ClientWidth() + Value, FHeight);
}

void TForm::SetClientHeight(int Value) {
    SetBounds(FLeft, FTop, FWidth, FHeight - ClientHeight() + Value);
}

// Showing.

void TForm::VisibleChanging() {
    if (!FHandle) return;
    if (!FVisible) {
        ShowWindow(FHandle, SW_HIDE);
        return;
    }
    int command = SW_SHOW;
    if (!FShown) {
        FShown = true;
        ShowAtFirstShowing();
        command = FShowCommand;
    }
    ShowWindow(FHandle, command);
    if (command != SW_SHOWMINNOACTIVE && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE) {
        SetForegroundWindow(FHandle);
        if (GetActiveWindow() == FHandle) Activated();
    }
}

void TForm::ShowAtFirstShowing() {
    ScaleToMonitor();
    if (FPosition == poScreenCenter || FPosition == poDesktopCenter) {
        RECT r;
        GetWindowRect(FHandle, &r);
        const POINT p =
            CenteredPosition(MonitorWorkArea(FCreationMonitor), r.right - r.left, r.bottom - r.top);
        SetWindowPos(FHandle, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
}

void TForm::Activated() {
    if (FActiveControl && FActiveControl->CanFocus() && FActiveControl->Handle())
        ::SetFocus(FActiveControl->Handle());
    else
        ::SetFocus(FHandle);
}

void TForm::Close() {
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        SetVisible(false);
}

void TForm::Release() {
    if (FHandle) PostMessageW(FHandle, CM_RELEASE, 0, 0);
}

// Focus.

void TForm::SetActiveControl(TWinControl* Control) {
    if (!Control || Control == this) {
        FActiveControl = nullptr;
        return;
    }
    FocusControl(Control);
}

void TForm::FocusControl(TWinControl* Control) {
    if (Control == this) {
        if (FHandle) ::SetFocus(FHandle);
        return;
    }
    if (!Control->CanFocus()) return;
    FActiveControl = Control;
    if (FHandle && IsWindowVisible(FHandle) && Control->Handle()) ::SetFocus(Control->Handle());
}

void TForm::SetFocusedControl(TWinControl* Control) {
    TWinControl* target = Control == this ? nullptr : Control;
    if (target) FActiveControl = target;
    if (target == FFocusedControl) return;
    TWinControl* old = FFocusedControl;
    FFocusedControl = target;
    // Exit of the old before entry of the new; an exit handler that moved the focus on has won.
    if (old) old->DoExit();
    if (target && FFocusedControl == target) target->DoEnter();
}

void TForm::DefocusControl(TWinControl* Control, bool Removing) {
    const bool active = Control->ContainsControl(FActiveControl);
    const bool focused = Control->ContainsControl(FFocusedControl);
    if (!active && !focused) return;
    if (active) FActiveControl = nullptr;
    if (!focused) return;
    if (Removing) {
        FFocusedControl = nullptr;
        return;
    }
    HWND focus = GetFocus();
    if (focus && Control->HandleAllocated() &&
        (focus == Control->FHandle || IsChild(Control->FHandle, focus))) {
        ::SetFocus(FHandle); // the form's WM_SETFOCUS runs the exit
    } else {
        TWinControl* old = FFocusedControl;
        FFocusedControl = nullptr;
        old->DoExit();
    }
}

TWinControl* TForm::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                    bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int count = int(list.size());
    if (count == 0) return nullptr;
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (list[size_t(i)] == CurControl) start = i;
    if (start < 0) start = GoForward ? count - 1 : 0;
    int i = start;
    do {
        if (GoForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TWinControl* c = list[size_t(i)];
        if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TForm::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

void TForm::CMDialogKey(TMessage& Message) {
    // Modifiers as they are held now, not as the message says.
    if (Message.WParam == VK_TAB && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(Message);
}

// Resolution.

void TForm::ScaleToMonitor() {
    if (FScaled) return;
    FScaled = true;
    ScaleForPPI(DpiForWindow(FHandle));
}

void TForm::ScaleForPPI(int NewPPI) {
    if (NewPPI <= 0 || NewPPI == FPixelsPerInch) return;
    const int old = FPixelsPerInch;
    FPixelsPerInch = NewPPI;
    ChangeScale(NewPPI, old);
}

void TForm::ChangeScale(int M, int D) {
    const int cw = ScaleForDpi(ClientWidth(), M, D), ch = ScaleForDpi(ClientHeight(), M, D);
    Font().SetPixelsPerInch(ScaleForDpi(Font().PixelsPerInch(), M, D));
    Font().SetHeight(ScaleForDpi(Font().Height(), M, D));
    ScaleControls(M, D);
    SetClientWidth(cw);
    SetClientHeight(ch);
}

void TForm::DpiChanged(int NewDpi, const RECT* Suggested) {
    FScaled = true;
    ScaleForPPI(NewDpi);
    if (Suggested)
        SetWindowPos(FHandle, nullptr, Suggested->left, Suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Messages.

void TForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
        // The form passes the focus on to its active control, as a dialog does.
        if (FActiveControl && FActiveControl->CanFocus() && FActiveControl->Handle()) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
        DefaultHandler(Message);
        SetFocusedControl(this);
        return;
    case WM_ACTIVATE:
        if (LOWORD(Message.WParam) != WA_INACTIVE && !HIWORD(Message.WParam)) {
            Activated();
            Message.Result = 0;
            return;
        }
        break;
    case WM_CLOSE:
        Close();
        return;
    case WM_DPICHANGED:
        DpiChanged(LOWORD(Message.WParam), reinterpret_cast<const RECT*>(Message.LParam));
        return;
    case WM_GETMINMAXINFO: {
        // By default the system limits a window to about the screen's size; a form larger than the
        // screen (a small screen at a high resolution) keeps the size it asks for.
        DefaultHandler(Message);
        auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        info->ptMaxTrackSize.x = std::max<LONG>(info->ptMaxTrackSize.x, FWidth);
        info->ptMaxTrackSize.y = std::max<LONG>(info->ptMaxTrackSize.y, FHeight);
        Message.Result = 0;
        return;
    }
    case CM_RELEASE:
        Free();
        return;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}

const TEnumInfo& FormBorderStyleIdents() {
    static const TEnumInfo info(L"TFormBorderStyle", {{bsNone, L"bsNone"},
                                                      {bsSingle, L"bsSingle"},
                                                      {bsSizeable, L"bsSizeable"},
                                                      {bsDialog, L"bsDialog"},
                                                      {bsToolWindow, L"bsToolWindow"},
                                                      {bsSizeToolWin, L"bsSizeToolWin"}});
    return info;
}

const TEnumInfo& PositionIdents() {
    static const TEnumInfo info(L"TPosition", {{poDesigned, L"poDesigned"},
                                               {poDefault, L"poDefault"},
                                               {poDefaultPosOnly, L"poDefaultPosOnly"},
                                               {poDefaultSizeOnly, L"poDefaultSizeOnly"},
                                               {poScreenCenter, L"poScreenCenter"},
                                               {poDesktopCenter, L"poDesktopCenter"},
                                               {poMainFormCenter, L"poMainFormCenter"},
                                               {poOwnerFormCenter, L"poOwnerFormCenter"}});
    return info;
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TForm>(L"TForm", TWinControl::StaticClass())
            .Boolean(L"ParentColor", &TForm::ParentColor, &TForm::SetParentColor, false)
            .Boolean(L"ParentFont", &TForm::ParentFont, &TForm::SetParentFont, false)
            .Integer(L"TabOrder", &TForm::TabOrder, &TForm::SetTabOrder)
            .NotStored()
            .Boolean(L"TabStop", &TForm::TabStop, &TForm::SetTabStop)
            .NotStored()
            .Boolean(L"Visible", &TForm::Visible, &TForm::SetVisible)
            .NotStored()
            .Enum(L"BorderStyle", FormBorderStyleIdents(), &TForm::BorderStyle, &TForm::SetBorderStyle,
                  bsSizeable)
            .String(L"Caption", &TForm::Caption, &TForm::SetCaption)
            .Integer(L"ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
            .Integer(L"ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
            .Enum(L"Position", PositionIdents(), &TForm::Position, &TForm::SetPosition, poDefaultPosOnly);
    return info;
}

const TClassInfo& TForm::ClassInfo() const {
    return StaticClass();
}
