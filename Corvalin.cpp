// Corvalin: start-up. The application object already exists by now: OLE is initialised for this thread,
// the icon and the default title are loaded and the hidden application window is made.
#include "UMainForm.h"
#include "toolkit/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Application->Initialize();
    Application->SetMainFormOnTaskBar(true);
    Application->CreateForm(MainForm);
    Application->Run();
    return 0;
}
