#include "toolkit_classes.h"

#include "button.h"
#include "class_registry.h"
#include "cx_label.h"
#include "form.h"
#include "label.h"
#include "rich_edit.h"
#include "status_bar.h"
#include "text_edit.h"

void RegisterToolkitClasses() {
    RegisterComponentClasses<TLabel, TBoundLabel, TcxTextEdit, TcxRichEdit, TcxButton, TcxLabel, TStatusBar,
                             TFrame, TForm>();
}
