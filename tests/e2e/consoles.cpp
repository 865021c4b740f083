#include "consoles.h"

#include "program_paths.h"

#include <tlhelp32.h>

#include <memory>
#include <type_traits>

namespace e2e {

namespace {

struct THandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, THandleCloser>;

bool IsConsoleName(const wchar_t* exeFile) {
    return ::CompareStringOrdinal(exeFile, -1, L"powershell.exe", -1, TRUE) == CSTR_EQUAL;
}

} // namespace

std::vector<DWORD> ConsoleProcesses() {
    std::vector<DWORD> found;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        throw driver::DriverError(L"cannot take a process snapshot");
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL got = ::Process32FirstW(snapshot.get(), &entry); got;
         got = ::Process32NextW(snapshot.get(), &entry))
        if (IsConsoleName(entry.szExeFile)) found.push_back(entry.th32ProcessID);
    return found;
}

void KillConsoles() {
    for (DWORD id : ConsoleProcesses()) {
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process) continue; // ended meanwhile
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
    if (!driver::WaitUntil([] { return ConsoleProcesses().empty(); }))
        throw driver::DriverError(L"a powershell.exe process does not go away");
}

TStartedConsole StartConsole() {
    TStartedConsole console{driver::StartProgram(ConsolePath()), nullptr};
    console.window = driver::WaitForWindow(console.process, L"Windows PowerShell");
    return console;
}

void TypeIntoConsole(HWND console, std::wstring_view line) {
    for (wchar_t unit : line)
        ::SendMessageW(console, WM_CHAR, unit, 0);
    ::PostMessageW(console, WM_KEYDOWN, VK_RETURN, 0);
}

} // namespace e2e
