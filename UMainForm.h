#pragma once
// The main window: the user and password editors, "Gerar", the result editor, "Copiar" and the version label.
#include "CredentialRules.h"
#include "SystemServices.h"
#include "controls/mcBtn.h"
#include "controls/mcEdit.h"
#include "controls/mcRichEdit.h"
#include "toolkit/form.h"
#include "toolkit/label.h"

#include <cstdint>
#include <functional>

class TMainForm : public TForm {
public:
    // Reads the window's stored layout. The services are Windows itself unless a test gives its own.
    explicit TMainForm(TComponent* AOwner, ISystemServices* Services = nullptr);

    TmcEdit* edtUsername = nullptr;
    TmcEdit* edtPassword = nullptr;
    TmcBtn* btnGenerate = nullptr;
    TmcRichEdit* redtConfiguration = nullptr;
    TLabel* lblVersion = nullptr;
    TmcBtn* btnClipboard = nullptr;

    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void btnGenerateClick(TObject* Sender);
    void btnClipboardClick(TObject* Sender);
    // The id of the first running process whose executable file name is ProcessName (ASCII letters
    // compared without regard to case), or 0.
    std::int32_t GetPid(const std::wstring& ProcessName);

private:
    // The id of the first process of a snapshot walk for which Matches holds, or 0.
    std::int32_t FindProcess(DWORD Flags, const std::function<bool(const PROCESSENTRY32W&)>& Matches);
    // The first PowerShell console window by its class, or 0.
    HWND FindPsConsole();
    void RestoreControls();

    ISystemServices& FSys;
};

extern TMainForm* MainForm;
