#include "run_watcher.h"

#include "bench_clock.h"

TRunWatcher::TRunWatcher(HWND button, std::wstring resultFile)
    : FButton(button), FResultFile(std::move(resultFile)), FThread([this] { Run(); }) {}

TRunWatcher::~TRunWatcher() {
    Stop();
}

void TRunWatcher::Stop() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
}

void TRunWatcher::Run() {
    while (!FStop && FButton && IsWindowEnabled(FButton))
        Sleep(1);
    if (FStop) return;
    FBusyAt = NowMs();

    const std::wstring directory = FResultFile.substr(0, FResultFile.find_last_of(L'\\'));
    HANDLE change = FindFirstChangeNotificationW(directory.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    while (!FStop) {
        if (GetFileAttributesW(FResultFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
            FFileAt = NowMs();
            break;
        }
        // Without a notice handle, a slow poll still finds the file.
        if (change == INVALID_HANDLE_VALUE) {
            Sleep(20);
        } else if (WaitForSingleObject(change, 20) == WAIT_OBJECT_0) {
            FindNextChangeNotification(change);
        }
    }
    if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
}
