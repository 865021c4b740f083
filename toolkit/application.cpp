#include "application.h"

#include "application_texts.h"
#include "dpi.h"
#include "key_dispatch.h"
#include "messages.h"
#include "sysutils.h"
#include "toolkit_classes.h"
#include "window_binding.h"

#include <ole2.h>

TApplication* Application = nullptr;

namespace {
// The toolkit makes the application object as the program starts and frees it, with every form it
// owns, as the program ends.
struct TApplicationUnit {
    TApplicationUnit() { Application = new TApplication(); }
    ~TApplicationUnit() {
        delete Application;
        Application = nullptr;
    }
    TApplicationUnit(const TApplicationUnit&) = delete;
    TApplicationUnit& operator=(const TApplicationUnit&) = delete;
} ApplicationUnit;

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Widen(const char* Text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, Text, -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring text(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Text, -1, text.data(), n);
    text.resize(size_t(n - 1));
    return text;
}

constexpr const wchar_t* ApplicationClassName = L"CorvalinApplication";
} // namespace

TApplication::TApplication() : TComponent(nullptr) {
    FOleInitialized = SUCCEEDED(OleInitialize(nullptr));
    EnableDpiAwareness();
    RegisterToolkitClasses();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    FIcon = LoadIconW(instance, L"MAINICON");
    if (!FIcon) FIcon = LoadIconW(nullptr, IDI_APPLICATION);
    FSmallIcon =
        static_cast<HICON>(LoadImageW(instance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!FSmallIcon) FSmallIcon = FIcon;
    FTitle = DefaultApplicationTitle(ExecutablePath());

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TApplication::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = ApplicationClassName;
    RegisterClassExW(&wc);
    // A tool window without a title that is never shown: it owns the clipboard and carries no taskbar entry.
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
    if (FHandle) DestroyWindow(FHandle);
    if (FComInitialized) CoUninitialize();
    if (FOleInitialized) OleUninitialize();
}

void TApplication::Initialize() {
    if (!FComInitialized) FComInitialized = SUCCEEDED(CoInitialize(nullptr));
}

void TApplication::FormCreated(TForm* Form) {
    if (!FMainForm) FMainForm = Form;
}

void TApplication::FormDestroyed(TForm* Form) {
    if (FMainForm == Form) FMainForm = nullptr;
}

void TApplication::Run() {
    if (!FMainForm) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    FMainForm->SetInitialShowCommand(StartupShowCommand(startup));
    FMainForm->SetVisible(true);
    while (!FTerminated)
        HandleMessage();
}

bool TApplication::ProcessMessage(MSG& Msg) {
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    DispatchLoopMessage(Msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) WaitMessage();
}

void TApplication::Terminate() {
    // Asked from inside the handling of another message (the window closed while a handler waits in a
    // message box, say), the loop ends once the outer handler has returned. A quit message posted now
    // would end every message box that handler still has to show.
    if (TWindowBinding::DispatchDepth() > 1) {
        FTerminated = true;
        return;
    }
    PostQuitMessage(0);
}

void TApplication::HandleException(std::exception_ptr Error) {
    if (!Error || FShowingException) return;
    const std::wstring text = ErrorBoxText(ExceptionMessage(Error));
    FShowingException = true;
    MessageBoxW(GetActiveWindow(), text.c_str(), FTitle.c_str(), MB_ICONERROR | MB_OK);
    FShowingException = false;
}

LRESULT CALLBACK TApplication::WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == CM_DESTROYWINDOW) {
        DestroyWindow(reinterpret_cast<HWND>(WParam));
        return 0;
    }
    return DefWindowProcW(Window, Msg, WParam, LParam);
}

int StartupShowCommand(const STARTUPINFOW& StartupInfo) {
    if (StartupInfo.dwFlags & STARTF_USESHOWWINDOW) {
        if (StartupInfo.wShowWindow == SW_SHOWMAXIMIZED) return SW_SHOWMAXIMIZED;
        if (StartupInfo.wShowWindow == SW_SHOWMINNOACTIVE) return SW_SHOWMINNOACTIVE;
    }
    return SW_SHOWNORMAL;
}

std::wstring ExceptionMessage(std::exception_ptr Error) {
    try {
        std::rethrow_exception(Error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return Widen(e.what());
    } catch (...) {
        return L"Unknown error";
    }
}
