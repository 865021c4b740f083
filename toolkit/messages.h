#pragma once
// The toolkit's own control messages. They live in the range Windows leaves to each window class, and
// reach a control either through its window (SendMessageW) or straight through Perform.
#include "events.h"

#include <windows.h>

constexpr unsigned CM_BASE = 0xB000;
// A navigation key offered to a form and, through it, to its controls. WParam: the virtual-key code;
// LParam: the key data; a non-zero Result: the key was handled.
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5; // 0xB005
// Sent after Visible really changed. WParam: 1 visible, 0 hidden; LParam: 0.
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11; // 0xB00B
// Sent after Enabled really changed.
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12; // 0xB00C
// Sent after BiDiMode really changed.
constexpr unsigned CM_BIDIMODECHANGED = CM_BASE + 60; // 0xB03C
// Posted by a form to itself: free me once my own messages are off the stack.
constexpr unsigned CM_RELEASE = CM_BASE + 33;
// Posted to the application window: destroy the window in WParam, whose object is gone already.
constexpr unsigned CM_DESTROYWINDOW = CM_BASE + 0x70;

// Notifications that a native control sends to its parent come back to the control itself as
// CN_BASE + the original message, so that each control handles its own.
constexpr unsigned CN_BASE = 0xBC00;
constexpr unsigned CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr unsigned CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr unsigned CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr unsigned CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr unsigned CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
