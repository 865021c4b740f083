#pragma once
// The message loop's part in keyboard handling. A key press goes first to the focused control as a
// possible dialog key: Tab, Enter, Escape and the arrows that the native control does not take as input
// (WM_GETDLGCODE) are offered to the form as CM_DIALOGKEY. A key the form does not take is dispatched
// and reaches the control's KeyDown; a key set to 0 there is not translated into characters either.
#include <windows.h>

// Dispatches one message taken from the queue, with the key handling above.
void DispatchLoopMessage(MSG& Msg);

// Offers a key press to the form of the focused control; true when the form handled it.
bool PreDispatchDialogKey(const MSG& Msg);

// Tells the loop that a handler swallowed the key press it is dispatching (Window, Msg and Key name it).
void KeySwallowed(HWND Window, UINT Msg, WPARAM Key);
