// A small program the UI tests start in its own process, for what needs a process of its own: the
// start-up show command, the end of the program, the default title, the resolution read at start-up and
// a clipboard held open by another program. The first argument names the scenario; results go to the
// file named by the second.
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/sysutils.h"
#include "toolkit/text_edit.h"

#include <shellapi.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Argument(int Index) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring value = Index < count ? args[Index] : L"";
    LocalFree(args);
    return value;
}

void Report(const std::string& Line) {
    const std::wstring path = Argument(2);
    if (path.empty()) return;
    FILE* file = _wfopen(path.c_str(), L"a");
    if (!file) return;
    std::fprintf(file, "%s\n", Line.c_str());
    std::fclose(file);
}

class THelperForm : public TForm {
public:
    explicit THelperForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption(L"Toolkit helper");
        SetBorderStyle(bsSingle);
        SetPosition(poScreenCenter);
        SetClientWidth(687);
        SetClientHeight(154);
        First = new TcxTextEdit(this);
        First->SetParent(this);
        First->SetBounds(16, 24, 305, 21);
        Second = new TcxTextEdit(this);
        Second->SetParent(this);
        Second->SetBounds(16, 72, 305, 21);
        Button = new TcxButton(this);
        Button->SetParent(this);
        Button->SetBounds(246, 112, 75, 25);
        Label = new TLabel(this);
        Label->SetParent(this);
        Label->SetBounds(16, 117, 0, 0);
        Label->Font().SetStyle(fsBold);
        Label->SetCaption(L"2024.2.8.1900");
    }

    TcxTextEdit* First;
    TcxTextEdit* Second;
    TcxButton* Button;
    TLabel* Label;
};

THelperForm* MainForm = nullptr;

std::string Bounds(const TControl& C) {
    return std::to_string(C.Left()) + "," + std::to_string(C.Top()) + "," + std::to_string(C.Width()) + "," +
           std::to_string(C.Height());
}

// Run: reports how the main form was shown, then closes it.
void CALLBACK ReportShowing(HWND Window, UINT, UINT_PTR Id, DWORD) {
    KillTimer(Window, Id);
    const LONG_PTR ex = GetWindowLongPtrW(Window, GWL_EXSTYLE);
    const LONG_PTR appEx = GetWindowLongPtrW(Application->Handle(), GWL_EXSTYLE);
    Report("zoomed=" + std::to_string(IsZoomed(Window) ? 1 : 0));
    Report("iconic=" + std::to_string(IsIconic(Window) ? 1 : 0));
    Report("foreground=" + std::to_string(GetForegroundWindow() == Window ? 1 : 0));
    Report("focus-first=" + std::to_string(GetFocus() == MainForm->First->Handle() ? 1 : 0));
    Report("active-first=" + std::to_string(MainForm->ActiveControl() == MainForm->First ? 1 : 0));
    Report("appwindow=" + std::to_string((ex & WS_EX_APPWINDOW) ? 1 : 0));
    Report("owner=" + std::to_string(GetWindow(Window, GW_OWNER) ? 1 : 0));
    Report("app-toolwindow=" + std::to_string((appEx & WS_EX_TOOLWINDOW) ? 1 : 0));
    Report("app-visible=" + std::to_string(IsWindowVisible(Application->Handle()) ? 1 : 0));
    Report("app-title=" + std::to_string(GetWindowTextLengthW(Application->Handle())));
    PostMessageW(Window, WM_CLOSE, 0, 0);
}

// Close in handler: the main window is closed while a click handler runs; the handler goes on, shows a
// message box, and only then does the program end.
void CloseDuringHandler(TObject*) {
    PostMessageW(MainForm->Handle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    Report("terminated=" + std::to_string(Application->Terminated() ? 1 : 0));
    Report("window=" + std::to_string(IsWindowVisible(MainForm->Handle()) ? 1 : 0));
    MessageBoxW(MainForm->Handle(), L"Still running", L"Toolkit helper", MB_OK);
    Report("box-returned");
}

int HoldClipboard() {
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, Argument(2).c_str());
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, Argument(3).c_str());
    if (!ready || !release || !OpenClipboard(nullptr)) return 2;
    SetEvent(ready);
    WaitForSingleObject(release, 20000);
    CloseClipboard();
    return 0;
}

} // namespace

int main() {
    const std::wstring scenario = Argument(1);
    if (scenario == L"hold-clipboard") return HoldClipboard();

    Application->Initialize();
    Application->SetMainFormOnTaskBar(true);
    Application->CreateForm(MainForm);
    if (scenario == L"dpi") {
        Report("ppi=" + std::to_string(MainForm->PixelsPerInch()));
        Report("client=" + std::to_string(MainForm->ClientWidth()) + "x" +
               std::to_string(MainForm->ClientHeight()));
        Report("edit=" + Bounds(*MainForm->First));
        Report("button=" + Bounds(*MainForm->Button));
        Report("label=" + Bounds(*MainForm->Label));
        Report("font=" + std::to_string(MainForm->Font().Height()));
        Report("label-font=" + std::to_string(MainForm->Label->Font().Height()));
        return 0;
    }
    if (scenario == L"run") {
        SetTimer(MainForm->Handle(), 1, 300, ReportShowing);
    } else if (scenario == L"close-in-handler") {
        MainForm->Button->OnClick = CloseDuringHandler;
        PostMessageW(MainForm->Button->Handle(), BM_CLICK, 0, 0);
    } else if (scenario == L"throw") {
        MainForm->Button->OnClick = [](TObject*) { throw Exception(L"Boom"); };
        PostMessageW(MainForm->Button->Handle(), BM_CLICK, 0, 0);
    } else {
        return 3;
    }
    Application->Run();
    Report("run-ended");
    return 0;
}
