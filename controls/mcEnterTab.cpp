#include "mcEnterTab.h"

#include "toolkit/form.h"
#include "toolkit/messages.h"

bool EnterTabDialogKey(TWinControl& Control, bool EnterTab, TMessage& Message) {
    if (Message.WParam != VK_RETURN || !EnterTab || !Control.Focused() || !Control.CanFocus()) return false;
    // The owner's window when the owner is a form. Under a frame or another owner, the form that holds
    // the control knows the tab order, so Enter still moves on there.
    TForm* target = dynamic_cast<TForm*>(Control.Owner());
    if (!target) target = GetParentForm(&Control);
    if (!target) return false;
    SendMessageW(target->Handle(), CM_DIALOGKEY, VK_TAB, 0);
    Message.Result = 1;
    return true;
}
