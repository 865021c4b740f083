#pragma once
// TApplication and the Application object: the hidden application window, the main form, the message
// loop and the general error handler. The object exists from the program's start to its end.
#include "form.h"

#include <windows.h>

#include <exception>
#include <string>

class TApplication : public TComponent {
public:
    // Initialises OLE for the thread, loads the icon MAINICON, sets the default title and makes the
    // hidden application window.
    TApplication();
    ~TApplication() override;

    // The program's initialisation hook: COM for the thread.
    void Initialize();
    // Makes a form owned by the application and scales it to its monitor. The first form made is the
    // main form.
    template <class T> void CreateForm(T*& Reference) {
        Reference = new T(this);
        Reference->ScaleToMonitor();
    }
    // Shows the main form with the show command the program was started with and runs the message
    // loop until the quit message.
    void Run();
    // Handles every message waiting, with the loop's key handling; a quit message is taken out of the
    // queue and remembered (Terminated), so message boxes shown afterwards still work.
    void ProcessMessages();
    // Handles one message, waiting for one when there is none.
    void HandleMessage();
    // Asks the loop to end: posts the quit message.
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // The general error handler: a box with the error's text, the title and the error icon. An error
    // raised while the box is shown is not shown again.
    void HandleException(std::exception_ptr Error);

    HWND Handle() const { return FHandle; }
    TForm* MainForm() const { return FMainForm; }
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
    const std::wstring& Title() const { return FTitle; }
    void SetTitle(const std::wstring& Value) { FTitle = Value; }
    HICON Icon() const { return FIcon; }
    HICON SmallIcon() const { return FSmallIcon; }

private:
    friend class TForm;
    void FormCreated(TForm* Form);
    void FormDestroyed(TForm* Form);
    bool ProcessMessage(MSG& Msg);
    static LRESULT CALLBACK WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND FHandle = nullptr;
    TForm* FMainForm = nullptr;
    bool FMainFormOnTaskBar = false;
    std::wstring FTitle;
    HICON FIcon = nullptr;
    HICON FSmallIcon = nullptr;
    bool FTerminated = false;
    bool FShowingException = false;
    bool FOleInitialized = false;
    bool FComInitialized = false;
};

extern TApplication* Application;

// The show command Run gives the main form: maximised or minimised without activation when the program
// was started so, normal otherwise.
int StartupShowCommand(const STARTUPINFOW& StartupInfo);

// The text an error carries, as the general error handler shows it (before the final period).
std::wstring ExceptionMessage(std::exception_ptr Error);
