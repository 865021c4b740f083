#include "mcStatusBarHint.h"

#include "toolkit/application.h"
#include "toolkit/status_bar.h"

void ShowInStatusBar(const std::wstring& Text) {
    TForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!mainForm) return;
    // Looked up afresh every time, among the main window's own components only.
    auto* statusBar = dynamic_cast<TStatusBar*>(mainForm->FindComponent(L"StatusBar"));
    if (!statusBar || statusBar->Panels().Count() == 0) return;
    statusBar->Panels().Items(statusBar->Panels().Count() - 1).SetText(Text);
}
