#include "mcEnterTab.h"

#include "toolkit/messages.h"

bool EnterTabDialogKey(TWinControl& Control, bool EnterTab, TMessage& Message) {
    if (Message.WParam != VK_RETURN || !EnterTab || !Control.Focused() || !Control.CanFocus()) return false;
    // Only a windowed owner has a window to send the Tab to; any other owner leaves Enter to the base.
    auto* owner = dynamic_cast<TWinControl*>(Control.Owner());
    if (!owner) return false;
    SendMessageW(owner->Handle(), CM_DIALOGKEY, VK_TAB, 0);
    Message.Result = 1;
    return true;
}
