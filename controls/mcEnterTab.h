#pragma once
// Enter as a move to the next field, for the controls with an EnterTab switch.
#include "toolkit/win_control.h"

// The dialog-key step of the rich editor and the button: a focused control that can take the focus turns
// an offered Enter into a Tab for its form and reports the key handled, so no button is pressed.
// Returns false when the control leaves the key to its base handling.
bool EnterTabDialogKey(TWinControl& Control, bool EnterTab, TMessage& Message);
