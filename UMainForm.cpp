#include "UMainForm.h"

#include "Win32SystemServices.h"
#include "controls/mcRegister.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/layout_resource.h"
#include "toolkit/published.h"
#include "toolkit/sysutils.h"

#include <exception>
#include <functional>
#include <optional>
#include <vector>

TMainForm* MainForm = nullptr;

namespace {

ISystemServices& Windows() {
    static TWin32SystemServices services;
    return services;
}

// Runs the restore step exactly once, however the click ends.
class TRestoreGuard {
public:
    explicit TRestoreGuard(std::function<void()> Restore) : FRestore(std::move(Restore)) {}
    ~TRestoreGuard() noexcept(false) {
        if (std::uncaught_exceptions() > FUncaught) {
            // An error is already on its way to the general error handler; it is the one to report.
            try {
                FRestore();
            } catch (...) {
            }
        } else {
            FRestore();
        }
    }
    TRestoreGuard(const TRestoreGuard&) = delete;
    TRestoreGuard& operator=(const TRestoreGuard&) = delete;

private:
    std::function<void()> FRestore;
    int FUncaught = std::uncaught_exceptions();
};

} // namespace

TMainForm::TMainForm(TComponent* AOwner, ISystemServices* Services)
    : TForm(AOwner), FSys(Services ? *Services : Windows()) {
    RegisterControlClasses();
    ReadLayoutResource(*this, L"TMAINFORM");
}

const TClassInfo& TMainForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainForm>(L"TMainForm", TForm::StaticClass())
                                       .Field(L"edtUsername", &TMainForm::edtUsername)
                                       .Field(L"edtPassword", &TMainForm::edtPassword)
                                       .Field(L"btnGenerate", &TMainForm::btnGenerate)
                                       .Field(L"redtConfiguration", &TMainForm::redtConfiguration)
                                       .Field(L"lblVersion", &TMainForm::lblVersion)
                                       .Field(L"btnClipboard", &TMainForm::btnClipboard)
                                       .Method(L"btnGenerateClick", &TMainForm::btnGenerateClick)
                                       .Method(L"btnClipboardClick", &TMainForm::btnClipboardClick);
    return info;
}

std::int32_t TMainForm::FindProcess(DWORD Flags, const std::function<bool(const PROCESSENTRY32W&)>& Matches) {
    HANDLE snapshot = FSys.CreateToolhelp32Snapshot(Flags, 0);
    struct TCloseSnapshot {
        ISystemServices& sys;
        HANDLE h;
        ~TCloseSnapshot() { sys.CloseHandle(h); }
    } closeSnapshot{FSys, snapshot};

    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry); // 568 in a 64-bit build: the walk refuses any other size
    BOOL gotProcess = FSys.Process32FirstW(snapshot, &entry);
    while (gotProcess && !Matches(entry))
        gotProcess = FSys.Process32NextW(snapshot, &entry);
    return gotProcess ? std::int32_t(entry.th32ProcessID) : 0;
}

std::int32_t TMainForm::GetPid(const std::wstring& ProcessName) {
    return FindProcess(TH32CS_SNAPALL,
                       [&](const PROCESSENTRY32W& entry) { return SameText(entry.szExeFile, ProcessName); });
}

// Every console window on a desktop has the console's class (cmd.exe, build tools, SSH clients): the
// password goes only to one whose process runs PowerShell, the first in the system's order of windows.
HWND TMainForm::FindPsConsole() {
    const wchar_t* const className = PS_WINDOW_CLASS.c_str();
    for (HWND window = FSys.FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FSys.FindWindowExW(nullptr, window, className, nullptr)) {
        DWORD processId = 0;
        FSys.GetWindowThreadProcessId(window, &processId);
        const auto runsPowerShell = [&](const PROCESSENTRY32W& entry) {
            return entry.th32ProcessID == processId && SameText(entry.szExeFile, PS_PROCESS_NAME);
        };
        // Only the processes: their threads, modules and heaps would cost time and tell nothing here.
        if (processId != 0 && FindProcess(TH32CS_SNAPPROCESS, runsPowerShell) != 0) return window;
    }
    return nullptr;
}

void TMainForm::RestoreControls() {
    edtUsername->SetEnabled(true);
    edtPassword->SetEnabled(true);
    btnGenerate->SetEnabled(true);
    redtConfiguration->SetEnabled(!redtConfiguration->Text().empty());
    btnClipboard->SetEnabled(redtConfiguration->Enabled());
    FSys.ProcessMessages();
}

void TMainForm::btnGenerateClick(TObject*) {
    TRestoreGuard restore([this] { RestoreControls(); });
    const auto warn = [this](const std::wstring& text) {
        FSys.MessageBoxW(Handle(), text.c_str(), Caption().c_str(), MB_OK | MB_ICONWARNING);
    };
    const auto fail = [this](const std::wstring& text) {
        FSys.MessageBoxW(Handle(), text.c_str(), Caption().c_str(), MB_OK | MB_ICONERROR);
    };

    // Checking.
    const TDomainUser du = SplitDomainUser(edtUsername->Text());
    const TCredentialCheck check = ValidateCredentials(du.username, edtPassword->Text());
    if (check.failure == &USERNAME_IS_EMPTY) {
        warn(USERNAME_IS_EMPTY);
        edtUsername->SetFocus();
        return;
    }
    if (check.failure == &PASSWORD_IS_EMPTY) {
        warn(PASSWORD_IS_EMPTY);
        edtPassword->SetFocus();
        return;
    }
    const std::wstring& password = check.password;

    // Busy: nothing can start a second run once messages flow again.
    redtConfiguration->Lines().Clear();
    edtUsername->SetEnabled(false);
    edtPassword->SetEnabled(false);
    btnGenerate->SetEnabled(false);
    redtConfiguration->SetEnabled(false);
    btnClipboard->SetEnabled(false);
    FSys.ProcessMessages();

    // Find or start PowerShell.
    std::int32_t psPid = GetPid(PS_PROCESS_NAME);
    if (psPid == 0) {
        FSys.ShellExecuteW(Handle(), L"open", PS_PROCESS_NAME.c_str(), L"", L"", SW_SHOWNORMAL);
        psPid = GetPid(PS_PROCESS_NAME);
    }
    if (psPid == 0) {
        fail(PS_NOT_FOUND_MESSAGE);
        return;
    }

    // Find its console, by class and then by title; each pass pauses after its lookup.
    const auto search = [this](const std::function<HWND()>& lookUp) {
        HWND psHandle = lookUp();
        for (int i = 0; psHandle == nullptr && i < 20; ++i) {
            psHandle = lookUp();
            FSys.Sleep(500);
            FSys.ProcessMessages();
        }
        return psHandle;
    };
    HWND psHandle = search([this] { return FindPsConsole(); });
    if (psHandle == nullptr)
        psHandle = search([this] { return FSys.FindWindowW(nullptr, PS_WINDOW_NAME.c_str()); });
    if (psHandle == nullptr) {
        fail(PS_NOT_FOUND_MESSAGE);
        return;
    }

    // Clear the way: a result file left by an earlier run must never pass for the new one, and the
    // console must be able to write the new one. Nothing is typed otherwise.
    const std::wstring psFile = GetPsFile(FSys.GetExeFileName());
    FSys.RemoveFile(psFile);
    if (FSys.PathExists(psFile)) {
        fail(PS_FILE_NOT_DELETED_MESSAGE + L"\n" + psFile);
        return;
    }
    if (!FSys.CanCreateFile(psFile)) {
        fail(PS_FOLDER_NOT_WRITABLE_MESSAGE + L"\n" + GetPsFolder(psFile));
        return;
    }

    // Type the command.
    const std::wstring psCommand = BuildPsCommand(password, psFile);
    for (const wchar_t c : psCommand) FSys.SendMessageW(psHandle, WM_CHAR, WPARAM(c), 0);
    FSys.PostMessageW(psHandle, WM_KEYDOWN, VK_RETURN, 0);

    // Wait for the file; then hand the command to the operator, through the clipboard, for as long as
    // the run needs it there.
    for (int i = 0; !FSys.FileExists(psFile) && i < 10; ++i) {
        FSys.Sleep(500);
        FSys.ProcessMessages();
    }
    std::optional<DWORD> copied;
    if (!FSys.FileExists(psFile)) {
        copied = FSys.SetClipboardSecret(psCommand);
        warn(PS_COMMAND_COPY_MESSAGE);
    }
    const bool arrived = FSys.FileExists(psFile);
    if (copied) FSys.EmptyClipboardIfUnchanged(*copied);
    if (!arrived) {
        fail(PS_FILE_NOT_FOUND_MESSAGE);
        return;
    }

    // Read, while the console may still be writing it.
    std::vector<unsigned char> content;
    for (int i = 0;; ++i) {
        try {
            content = FSys.ReadAllBytes(psFile);
            break;
        } catch (const EFileInUse&) {
            if (i >= 10) throw;
        }
        FSys.Sleep(500);
        FSys.ProcessMessages();
    }
    const std::wstring cryptPassword = ReadCryptPassword(content, FSys.GetACP());
    FSys.RemoveFile(psFile);
    if (!IsCryptPassword(cryptPassword)) {
        fail(PS_FILE_INVALID_MESSAGE);
        return;
    }

    // Show.
    redtConfiguration->Lines().Clear();
    for (const std::wstring& line : BuildConfigurationLines(du.domain, du.username, cryptPassword))
        redtConfiguration->Lines().Add(line);
}

void TMainForm::btnClipboardClick(TObject*) {
    std::wstring text;
    const int count = redtConfiguration->Lines().Count();
    for (int i = 0; i < count; ++i) {
        std::wstring line = redtConfiguration->Lines()[i];
        while (!line.empty() && (line.back() == L'\r' || line.back() == L'\n')) line.pop_back();
        text += line + L"\r\n";
    }
    Clipboard()->SetAsText(text);
}
