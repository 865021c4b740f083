#include "console_process.h"

#include "ps_text.h"

#include <algorithm>

namespace {

// The build gives the console's path as a Unix path; Wine shows the Unix root as drive Z:.
std::wstring ConsolePath() {
    const std::string unixPath = POWERSHELL_EXE;
    std::wstring path = L"Z:";
    for (const char c : unixPath)
        path += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return path;
}

std::vector<wchar_t> EnvironmentBlock(const std::map<std::wstring, std::wstring>& faults) {
    static const std::wstring kPrefix = L"CORVALIN_PS_";
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
            const std::wstring entry(p);
            if (!SameText(std::wstring_view(entry).substr(0, kPrefix.size()), kPrefix))
                entries.push_back(entry);
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : faults)
        entries.push_back(name + L"=" + value);
    std::vector<wchar_t> result;
    for (const std::wstring& e : entries)
        result.insert(result.end(), e.c_str(), e.c_str() + e.size() + 1);
    result.push_back(L'\0');
    return result;
}

struct TWindowSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<TWindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->process) s->found.push_back(window);
    return TRUE;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace

TConsoleProcess::TConsoleProcess(const std::map<std::wstring, std::wstring>& faults) {
    const std::wstring path = ConsolePath();
    std::wstring commandLine = L"\"" + path + L"\"";
    std::vector<wchar_t> environment = EnvironmentBlock(faults);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), nullptr, &startup, &info)) {
        FProcess = TWinHandle(info.hProcess);
        CloseHandle(info.hThread);
        FId = info.dwProcessId;
    }
}

TConsoleProcess::~TConsoleProcess() {
    if (Running()) {
        TerminateProcess(FProcess.Get(), 1);
        WaitForSingleObject(FProcess.Get(), 5000);
    }
}

bool TConsoleProcess::Running() const {
    return FProcess && WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT;
}

bool TConsoleProcess::WaitForExit(DWORD ms) const {
    return FProcess && WaitForSingleObject(FProcess.Get(), ms) == WAIT_OBJECT_0;
}

DWORD TConsoleProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (FProcess) GetExitCodeProcess(FProcess.Get(), &code);
    return code;
}

std::vector<HWND> TConsoleProcess::Windows() const {
    TWindowSearch search{FId, {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TConsoleProcess::WaitForWindow(DWORD ms) const {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        for (HWND w : Windows())
            if (IsWindowVisible(w)) return w;
        if (GetTickCount64() >= end || !Running()) return nullptr;
        Sleep(50);
    }
}

void TypeLine(HWND window, std::wstring_view text) {
    for (const wchar_t c : text)
        SendMessageW(window, WM_CHAR, WPARAM(c), 0);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
}

std::optional<std::vector<unsigned char>> ReadDenyingWrite(const std::wstring& path, DWORD* error) {
    const TWinHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (error) *error = GetLastError();
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(GetFileSize(file.Get(), nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr)) {
        if (error) *error = GetLastError();
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

bool WaitForFile(const std::wstring& path, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
}

TScratchDirectory::TScratchDirectory(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    FPath = std::wstring(temp) + L"corvalin-ps-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
    RemoveTree(FPath);
    CreateDirectoryW(FPath.c_str(), nullptr);
}

TScratchDirectory::~TScratchDirectory() {
    RemoveTree(FPath);
}
