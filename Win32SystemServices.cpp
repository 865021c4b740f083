#include "Win32SystemServices.h"

#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/sysutils.h"

#include <chrono>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <type_traits>

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using UniqueFileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// The system's description of an error code, without the line break and period it ends with.
std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? std::wstring(buffer, length) : L"System error " + std::to_wstring(code);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

[[noreturn]] void ThrowFileError(const wchar_t* what, const std::wstring& path, DWORD code) {
    std::wstring message = std::wstring(what) + L" \"" + path + L"\". " + SystemErrorText(code);
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) throw EFileInUse(std::move(message));
    throw Exception(std::move(message));
}

} // namespace

HANDLE TWin32SystemServices::CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
    return ::CreateToolhelp32Snapshot(flags, processId);
}

BOOL TWin32SystemServices::Process32FirstW(HANDLE snapshot, PROCESSENTRY32W* entry) {
    return ::Process32FirstW(snapshot, entry);
}

BOOL TWin32SystemServices::Process32NextW(HANDLE snapshot, PROCESSENTRY32W* entry) {
    return ::Process32NextW(snapshot, entry);
}

BOOL TWin32SystemServices::CloseHandle(HANDLE handle) {
    return ::CloseHandle(handle);
}

HINSTANCE TWin32SystemServices::ShellExecuteW(HWND hwnd, const wchar_t* verb, const wchar_t* file,
                                              const wchar_t* parameters, const wchar_t* directory,
                                              int showCmd) {
    return ::ShellExecuteW(hwnd, verb, file, parameters, directory, showCmd);
}

HWND TWin32SystemServices::FindWindowW(const wchar_t* className, const wchar_t* windowName) {
    return ::FindWindowW(className, windowName);
}

HWND TWin32SystemServices::FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className,
                                         const wchar_t* windowName) {
    return ::FindWindowExW(parent, childAfter, className, windowName);
}

DWORD TWin32SystemServices::GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    return ::GetWindowThreadProcessId(hwnd, processId);
}

void TWin32SystemServices::Sleep(DWORD milliseconds) {
    // A pause of the workflow, not of the window: messages that other threads and programs send to it
    // are answered as they come, so that nothing waiting on the window hangs for the pause. Input, paint
    // and every posted message stay queued for the processing that follows the pause.
    using clock = std::chrono::steady_clock;
    const clock::time_point end = clock::now() + std::chrono::milliseconds(milliseconds);
    for (clock::time_point now = clock::now(); now < end; now = clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
        if (MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(left), QS_SENDMESSAGE, 0) == WAIT_OBJECT_0) {
            MSG message;
            PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

LRESULT TWin32SystemServices::SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(hwnd, msg, wParam, lParam);
}

BOOL TWin32SystemServices::PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(hwnd, msg, wParam, lParam);
}

int TWin32SystemServices::MessageBoxW(HWND hwnd, const wchar_t* text, const wchar_t* caption, UINT type) {
    return ::MessageBoxW(hwnd, text, caption, type);
}

UINT TWin32SystemServices::GetACP() {
    return ::GetACP();
}

DWORD TWin32SystemServices::SetClipboardSecret(std::wstring_view text) {
    return Clipboard()->SetAsSecretText(text);
}

void TWin32SystemServices::EmptyClipboardIfUnchanged(DWORD sequenceNumber) {
    // Another program may hold the clipboard open for a moment.
    for (int attempt = 0; attempt < 10 && !Clipboard()->EmptyIfUnchanged(sequenceNumber); ++attempt)
        ::Sleep(10);
}

std::wstring TWin32SystemServices::GetExeFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool TWin32SystemServices::FileExists(const std::wstring& path) {
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TWin32SystemServices::PathExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TWin32SystemServices::RemoveFile(const std::wstring& path) {
    ::DeleteFileW(path.c_str());
}

bool TWin32SystemServices::CanCreateFile(const std::wstring& path) {
    HANDLE created = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (created == INVALID_HANDLE_VALUE) return false;
    UniqueFileHandle close(created);
    return true;
}

std::vector<unsigned char> TWin32SystemServices::ReadAllBytes(const std::wstring& path) {
    // Windows refuses such paths in a program that does not declare long-path awareness; Wine does not,
    // so the limit is kept here to behave the same everywhere.
    if (path.size() >= MAX_PATH) ThrowFileError(L"Cannot open file", path, ERROR_FILENAME_EXCED_RANGE);
    // Sharing for reading only: a file that PowerShell still has open for writing is not read half-written.
    HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) ThrowFileError(L"Cannot open file", path, ::GetLastError());
    UniqueFileHandle file(opened);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) ThrowFileError(L"Cannot read file", path, ::GetLastError());
    std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = 0;
        DWORD wanted = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(file.get(), bytes.data() + done, wanted, &chunk, nullptr))
            ThrowFileError(L"Cannot read file", path, ::GetLastError());
        if (chunk == 0) break;
        done += chunk;
    }
    bytes.resize(done);
    return bytes;
}

void TWin32SystemServices::ProcessMessages() {
    Application->ProcessMessages();
}
