#include "win_control.h"

#include "application.h"
#include "form.h"
#include "key_dispatch.h"
#include "published.h"
#include "sysutils.h"
#include "window_binding.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace {
int NextControlId() {
    static int id = 100;
    return ++id;
}

bool IsWindowed(const TControl* Control) {
    return dynamic_cast<const TWinControl*>(Control) != nullptr;
}
} // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    // Owned controls go while this control is still whole; controls owned elsewhere only lose their parent.
    Destroying();
    DestroyComponents();
    if (TForm* form = GetParentForm(this)) form->DefocusControl(this, true);
    while (!FControls.empty())
        FControls.back()->SetParent(nullptr);
    DestroyHandle();
    TWindowBinding::ObjectDestroyed(*this);
    if (FParent) FParent->RemoveControl(this);
}

HWND TWinControl::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (FVisible) Params.Style |= WS_VISIBLE;
    if (!FEnabled) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.ExStyle = BiDiExStyle();
    Params.X = FLeft;
    Params.Y = FTop;
    Params.Width = FWidth;
    Params.Height = FHeight;
}

void TWinControl::CreateHandle() {
    if (FHandle || IsDestroying()) return;
    TCreateParams params;
    params.ClassName = TWindowBinding::ToolkitClassName();
    CreateParams(params);
    HMENU id = nullptr;
    if (params.Style & WS_CHILD) {
        if (!FParent) return;
        params.WndParent = FParent->Handle();
        if (!params.WndParent) return;
        id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId()));
    }
    HWND window = CreateWindowExW(params.ExStyle, params.ClassName.c_str(), FText.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, id,
                                  GetModuleHandleW(nullptr), params.Native ? nullptr : this);
    if (!window) throw Exception(L"Cannot create the window of " + (Name().empty() ? ClassName() : Name()));
    if (params.Native) TWindowBinding::AttachNative(*this, window);
    CreateWnd();
    for (TControl* child : std::vector<TControl*>(FControls))
        if (auto* w = dynamic_cast<TWinControl*>(child)) w->CreateHandle();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (!HandleAllocated()) return;
    for (TControl* child : std::vector<TControl*>(FControls))
        if (auto* w = dynamic_cast<TWinControl*>(child)) w->CreateHandle();
}

void TWinControl::CreateWnd() {
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

void TWinControl::DestroyWnd() {
    FText = Text();
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TControl* child : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(child)) w->DestroyHandle();
    DestroyWnd();
    HWND window = FHandle;
    TWindowBinding::Detach(*this);
    HWND appWindow = Application ? Application->Handle() : nullptr;
    if (TWindowBinding::InDispatch(*this) && appWindow) {
        // One of this window's messages is still being handled, maybe inside the native control's own
        // code: the window goes only once that is off the stack.
        ShowWindow(window, SW_HIDE);
        if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ::SetParent(window, appWindow);
        PostMessageW(appWindow, CM_DESTROYWINDOW, reinterpret_cast<WPARAM>(window), 0);
    } else {
        DestroyWindow(window);
    }
}

// Children.

void TWinControl::InsertControl(TControl* Control) {
    FControls.push_back(Control);
    Control->FParent = this;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        w->FTabOrder = int(FTabList.size());
        FTabList.push_back(w);
    }
    Control->ApplyParentFont();
    Control->ApplyParentColor();
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        if (HandleAllocated() && !IsLoading()) w->CreateHandle();
    } else {
        Control->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* Control) {
    const auto it = std::find(FControls.begin(), FControls.end(), Control);
    if (it == FControls.end()) return;
    if (auto* w = dynamic_cast<TWinControl*>(Control)) {
        if (TForm* form = GetParentForm(this)) form->DefocusControl(w, true);
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
        if (!IsLoading()) RenumberTabList();
        w->DestroyHandle();
    } else {
        Control->Invalidate();
    }
    if (FMouseControl == Control) FMouseControl = nullptr;
    FControls.erase(std::find(FControls.begin(), FControls.end(), Control));
    Control->FParent = nullptr;
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT Point) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (IsWindowed(c) || !c->Visible() || !c->Enabled()) continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, Point)) return c;
    }
    return nullptr;
}

// Tab order.

int TWinControl::TabOrder() const {
    if (!FParent) return FTabOrder;
    const auto& list = FParent->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
    FTabOrder = Value;
    if (!FParent) return;
    if (IsLoading()) {
        // A layout may name the places in any order: keep the numbers and sort by them.
        FParent->SortTabList();
        return;
    }
    auto& list = FParent->FTabList;
    const int count = int(list.size());
    if (Value < 0 || Value >= count) Value = count - 1;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin() + Value, this);
    FParent->RenumberTabList();
}

void TWinControl::SortTabList() {
    std::stable_sort(FTabList.begin(), FTabList.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
}

void TWinControl::RenumberTabList() {
    for (size_t i = 0; i < FTabList.size(); ++i)
        FTabList[i]->FTabOrder = int(i);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* w : FTabList) {
        List.push_back(w);
        w->GetTabOrderList(List);
    }
}

// Focus.

void TWinControl::SetFocus() {
    if (TForm* form = GetParentForm(this))
        form->FocusControl(this);
    else if (FHandle)
        ::SetFocus(FHandle);
}

bool TWinControl::Focused() const {
    return FHandle && GetFocus() == FHandle;
}

bool TWinControl::CanFocus() const {
    const TForm* form = GetParentForm(this);
    if (!form) return false;
    for (const TControl* c = this; c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// Keys.

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(wchar_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyMessage(TMessage& Message) {
    HWND window = FHandle;
    const bool down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
    if (Message.Msg == WM_CHAR) {
        wchar_t ch = wchar_t(Message.WParam);
        KeyPress(ch);
        if (ch == 0) return;
        Message.WParam = ch;
    } else {
        WORD key = WORD(Message.WParam);
        if (down)
            KeyDown(key, KeyboardShiftState());
        else
            KeyUp(key, KeyboardShiftState());
        if (key == 0) {
            if (down) KeySwallowed(window, Message.Msg, Message.WParam);
            return;
        }
        Message.WParam = key;
    }
    DefaultHandler(Message);
}

void TWinControl::CMDialogKey(TMessage& Message) {
    for (TControl* child : std::vector<TControl*>(FControls)) {
        TMessage offer{Message.Msg, Message.WParam, Message.LParam, 0};
        child->WndProc(offer);
        if (offer.Result != 0) {
            Message.Result = offer.Result;
            return;
        }
    }
}

// State.

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (FHandle) SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::UpdateBounds() {
    if (!FHandle || IsIconic(FHandle)) return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
}

void TWinControl::ChangeScale(int M, int D) {
    TControl::ChangeScale(M, D);
    ScaleControls(M, D);
}

void TWinControl::ParentResized() {}

void TWinControl::ScaleControls(int M, int D) {
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        if (!IsWindowed(c)) c->ChangeScale(M, D);
    for (TControl* c : children)
        if (IsWindowed(c)) c->ChangeScale(M, D);
}

std::wstring TWinControl::Text() const {
    if (!FHandle) return FText;
    std::wstring text(size_t(GetWindowTextLengthW(FHandle)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(FHandle, text.data(), int(text.size()))));
    return text;
}

void TWinControl::SetText(const std::wstring& Value) {
    if (Text() == Value) return;
    FText = Value;
    if (FHandle) SetWindowTextW(FHandle, Value.c_str());
    TextChanged();
}

void TWinControl::TextChanged() {}

void TWinControl::VisibleChanging() {
    if (!FVisible)
        if (TForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    if (FHandle) ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::CMVisiblechanged(TMessage&) {}

void TWinControl::EnabledChanging() {
    // A disabled window can't keep the focus: it moves to the form, so that the keyboard still works.
    if (!FEnabled)
        if (TForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    if (FHandle) EnableWindow(FHandle, FEnabled);
}

DWORD TWinControl::BiDiExStyle() const {
    switch (BiDiMode()) {
    case bdRightToLeft:
        return WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    case bdRightToLeftNoAlign:
        return WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    case bdRightToLeftReadingOnly:
        return WS_EX_RTLREADING;
    default:
        return 0;
    }
}

void TWinControl::BiDiModeChanging() {
    if (!FHandle) return;
    constexpr LONG_PTR mask = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    const LONG_PTR ex = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, (ex & ~mask) | LONG_PTR(BiDiExStyle()));
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
}

void TWinControl::FontChanged() {
    if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ApplyParentFont();
    Invalidate();
}

void TWinControl::ColorChanged() {
    FBrush.reset();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ApplyParentColor();
    Invalidate();
}

HBRUSH TWinControl::ColorBrush() {
    if (!FBrush) FBrush = CreateSolidBrushFor(Color());
    return FBrush.get();
}

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

// Messages.

void TWinControl::DefaultHandler(TMessage& Message) {
    if (Message.Msg >= CM_BASE && Message.Msg < 0xC000) return; // the toolkit's own: no window knows them
    HWND window = FHandle ? FHandle : (FDispatchFrames ? FDispatchFrames->Window : nullptr);
    if (!window) return;
    Message.Result = FNative ? DefSubclassProc(window, Message.Msg, Message.WParam, Message.LParam)
                             : DefWindowProcW(window, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::ReflectToChild(TMessage& Message, HWND Child) {
    if (Child && Child != FHandle && FindControl(Child)) {
        Message.Result = SendMessageW(Child, CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result != 0 || Message.Msg == WM_COMMAND) return;
    }
    DefaultHandler(Message);
}

void TWinControl::PaintWindow(HDC DC, const RECT& Area) {
    for (TControl* c : FControls) {
        if (IsWindowed(c) || !c->Visible()) continue;
        RECT bounds = c->BoundsRect(), common;
        if (!IntersectRect(&common, &bounds, &Area)) continue;
        const int saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, bounds.left, bounds.top, nullptr);
        IntersectClipRect(DC, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
        c->Paint(DC);
        RestoreDC(DC, saved);
    }
}

void TWinControl::PaintMessage(TMessage& Message) {
    PAINTSTRUCT ps;
    HDC dc = Message.WParam ? reinterpret_cast<HDC>(Message.WParam) : BeginPaint(FHandle, &ps);
    if (Message.WParam) GetClipBox(dc, &ps.rcPaint);
    PaintWindow(dc, ps.rcPaint);
    if (!Message.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::HandleMouse(TMessage& Message) {
    const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    TControl* target = ControlAtPos(p);
    if (!target) target = this;
    if (Message.Msg == WM_LBUTTONDOWN) {
        FMouseControl = target;
        return;
    }
    // A click is a press and a release on the same control.
    TControl* pressed = FMouseControl;
    FMouseControl = nullptr;
    if (pressed == target) target->Click();
}

bool TWinControl::HandleSetCursor(TMessage& Message) {
    if (reinterpret_cast<HWND>(Message.WParam) != FHandle || LOWORD(Message.LParam) != HTCLIENT) return false;
    TCursor cursor = Cursor();
    if (!FNative) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(FHandle, &p);
        if (const TControl* c = ControlAtPos(p); c && c->Cursor() != crDefault) cursor = c->Cursor();
    }
    HCURSOR handle = CursorHandle(cursor);
    if (!handle) return false;
    ::SetCursor(handle);
    Message.Result = TRUE;
    return true;
}

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        KeyMessage(Message);
        return;
    case WM_SETFOCUS:
        DefaultHandler(Message);
        if (TForm* form = GetParentForm(this)) form->SetFocusedControl(this);
        return;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(Message);
        UpdateBounds();
        return;
    case WM_SIZE:
        DefaultHandler(Message);
        for (TControl* c : std::vector<TControl*>(FControls))
            if (auto* w = dynamic_cast<TWinControl*>(c)) w->ParentResized();
        return;
    case WM_SETCURSOR:
        if (!HandleSetCursor(Message)) DefaultHandler(Message);
        return;
    case WM_COMMAND:
        if (Message.LParam) {
            ReflectToChild(Message, reinterpret_cast<HWND>(Message.LParam));
            return;
        }
        break;
    case WM_NOTIFY:
        ReflectToChild(Message, reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom);
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ReflectToChild(Message, reinterpret_cast<HWND>(Message.LParam));
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
        SetBkColor(dc, ColorToRGB(Color()));
        Message.Result = reinterpret_cast<LRESULT>(ColorBrush());
        return;
    }
    case CM_DIALOGKEY:
        CMDialogKey(Message);
        return;
    default:
        break;
    }
    if (!FNative) {
        switch (Message.Msg) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(FHandle, &r);
            FillRect(reinterpret_cast<HDC>(Message.WParam), &r, ColorBrush());
            Message.Result = 1;
            return;
        }
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintMessage(Message);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            DefaultHandler(Message);
            HandleMouse(Message);
            return;
        default:
            break;
        }
    }
    TControl::WndProc(Message);
}

TForm* GetParentForm(const TControl* Control) {
    while (Control && Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(Control));
}

TShiftState KeyboardShiftState() {
    TShiftState state;
    if (GetKeyState(VK_SHIFT) < 0) state |= ssShift;
    if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) state |= ssCtrl;
    if (GetKeyState(VK_LBUTTON) < 0) state |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) state |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) state |= ssMiddle;
    return state;
}

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TWinControl>(L"TWinControl", TControl::StaticClass())
            .Integer(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Boolean(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
    return info;
}

const TClassInfo& TWinControl::ClassInfo() const {
    return StaticClass();
}
