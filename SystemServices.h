#pragma once
// Everything the Generate workflow asks of the operating system, behind one interface, so that the
// workflow is written once and runs against Windows or against a scripted stand-in in the tests.
//
// Naming: an operation known by its Windows function carries that function's exact name, the wide-character
// one where there are two (the *W names are functions, never macros, so windows.h leaves them alone), and
// its parameters and result. The others are named for what they do, with names that are no Windows macro
// (hence RemoveFile, not DeleteFile).
#include "toolkit/sysutils.h"

#include <windows.h>
// after windows.h, which it needs
#include <tlhelp32.h>

#include <string>
#include <string_view>
#include <vector>

// The file is there but another program has it open in a way that keeps it from being read, as the
// console does for a moment while it writes the result.
class EFileInUse : public Exception {
public:
    using Exception::Exception;
};

class ISystemServices {
public:
    virtual ~ISystemServices() = default;

    // The running processes, walked through a snapshot. A walk over a handle that cannot be walked,
    // or with an entry whose dwSize is not sizeof(PROCESSENTRY32W), delivers nothing.
    virtual HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId) = 0;
    virtual BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W* entry) = 0;
    virtual BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W* entry) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;

    virtual HINSTANCE ShellExecuteW(HWND hwnd, const wchar_t* verb, const wchar_t* file,
                                    const wchar_t* parameters, const wchar_t* directory, int showCmd) = 0;
    // Either argument may be null, meaning "any".
    virtual HWND FindWindowW(const wchar_t* className, const wchar_t* windowName) = 0;
    // The next top-level window (parent null) after childAfter (null: the first) in the system's order.
    virtual HWND FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className,
                               const wchar_t* windowName) = 0;
    // The window's thread; its process id into *processId (0 when the window is gone).
    virtual DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) = 0;
    virtual void Sleep(DWORD milliseconds) = 0;
    virtual LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    virtual int MessageBoxW(HWND hwnd, const wchar_t* text, const wchar_t* caption, UINT type) = 0;
    virtual UINT GetACP() = 0;

    // Puts a secret on the clipboard as CF_UNICODETEXT, marked to be kept out of clipboard history, cloud
    // clipboard and clipboard monitors; gives the clipboard's sequence number once it holds the text.
    // Throws Exception when the clipboard cannot be opened or refuses the data (it is then left empty).
    virtual DWORD SetClipboardSecret(std::wstring_view text) = 0;
    // Empties the clipboard if it is still as SetClipboardSecret left it (its sequence number has not
    // changed); what another program put there since is left alone. A failure is not reported.
    virtual void EmptyClipboardIfUnchanged(DWORD sequenceNumber) = 0;
    // The full path of the running executable.
    virtual std::wstring GetExeFileName() = 0;
    // True only for a file; a directory at the path does not count.
    virtual bool FileExists(const std::wstring& path) = 0;
    // True for anything at the path, a file or a folder.
    virtual bool PathExists(const std::wstring& path) = 0;
    // Removes the file if it is there; a failure is not reported.
    virtual void RemoveFile(const std::wstring& path) = 0;
    // True when a new file can be created at the path. The file is made with delete-on-close, so it is
    // gone again when this returns.
    virtual bool CanCreateFile(const std::wstring& path) = 0;
    // The whole file, read while others are denied write access; throws EFileInUse while another program
    // holds it open for writing, and Exception for any other reason it cannot be read.
    virtual std::vector<unsigned char> ReadAllBytes(const std::wstring& path) = 0;
    // Dispatches the program's pending window messages, then returns.
    virtual void ProcessMessages() = 0;
};
