#pragma once
// Binds windows to their objects and carries every message from Win32 into them: one window procedure
// for the toolkit's own window class, one subclass procedure for native controls, one exception barrier.
#include <windows.h>

class TWinControl;

// One message of a control on the stack. The object marks its frames when it is destroyed, so that the
// procedure below it no longer touches the object.
struct TDispatchFrame {
    TDispatchFrame* Prev = nullptr;
    HWND Window = nullptr;
    bool Destroyed = false;
};

struct TWindowBinding {
    // The toolkit's own window class (forms, frames, windowed labels), registered on first use.
    static const wchar_t* ToolkitClassName();
    // Binds a native control's new window to Control and subclasses it.
    static void AttachNative(TWinControl& Control, HWND Window);
    // Stops dispatching to Control: its window no longer knows it.
    static void Detach(TWinControl& Control);
    // Control is being destroyed: the procedures below it must not touch it again.
    static void ObjectDestroyed(TWinControl& Control);
    static bool InDispatch(const TWinControl& Control);
    // How many messages of the toolkit's windows are being handled, one inside another, right now.
    static int DispatchDepth() { return FDepth; }

    static LRESULT CALLBACK ToolkitWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
    static LRESULT CALLBACK NativeSubclassProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam,
                                               UINT_PTR Id, DWORD_PTR RefData);

private:
    static void Bind(TWinControl& Control, HWND Window, bool Native);
    static LRESULT Dispatch(TWinControl& Control, HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

    static inline int FDepth = 0;
};

// The object bound to Window, or null.
TWinControl* FindControl(HWND Window);
// The object bound to Window or to the nearest of its ancestors, or null.
TWinControl* FindControlOrAncestor(HWND Window);
