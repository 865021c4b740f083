#pragma once
// A scripted stand-in for the system services. The test sets up processes, windows, files and the answers
// of message boxes; every call is recorded in order, so a test can check exact sequences of calls.
#include "SystemServices.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class TFakeSystemServices : public ISystemServices {
public:
    struct TCall {
        // Texts in quotes, null pointers as null, handles and numbers in decimal.
        std::wstring name;              // the operation, e.g. L"SendMessageW"
        std::vector<std::wstring> args; // its arguments
        std::wstring ToString() const;  // e.g. L"SendMessageW(65552, 258, 40, 0)"
    };

    // The script.
    std::wstring ExeFileName = L"C:\\Tools\\Corvalin.exe";
    UINT ACP = 1252;
    bool SnapshotFails = false;  // CreateToolhelp32Snapshot gives INVALID_HANDLE_VALUE
    bool ClipboardFails = false; // SetClipboardSecret throws as when another program holds the clipboard
    bool ReadFails = false;      // ReadAllBytes throws Exception, as for a path too long to open
    int ReadsInUse = 0;          // the next ReadAllBytes calls that throw EFileInUse, as while it is written
    bool CreateFails = false;    // CanCreateFile says no, as in a folder the user cannot write to
    std::set<std::wstring> Undeletable; // files that RemoveFile leaves in place, as when read-only
    std::set<std::wstring> Folders;     // folders: PathExists sees them, FileExists does not
    std::function<void()> OnShellExecute;
    std::function<int(const std::wstring& text)> OnMessageBox; // the box's answer; without it, IDOK
    std::function<void()> OnProcessMessages;

    void AddProcess(std::wstring exeFile, DWORD processId);
    // A top-level window of the process, below those added before it. It stays hidden from the next
    // `hiddenForLookups` lookups (FindWindowW calls and FindWindowExW walks begun after no window), then
    // can be found.
    HWND AddWindow(std::wstring className, std::wstring title, DWORD processId, int hiddenForLookups = 0);
    // The file is missing for the next `hiddenForTests` FileExists calls on its path, then appears.
    void AddFile(std::wstring path, std::vector<unsigned char> bytes, int hiddenForTests = 0);

    // What the calls left behind.
    std::map<std::wstring, std::vector<unsigned char>> Files; // the files that exist
    std::optional<std::wstring> Clipboard;
    bool ClipboardMarkedSecret = false;
    DWORD ClipboardSequence = 1;
    // Another program puts its own text on the clipboard.
    void ReplaceClipboard(std::wstring text);
    int OpenSnapshots() const { return static_cast<int>(FSnapshots.size()); }

    const std::vector<TCall>& Log() const { return FLog; }
    std::vector<TCall> Named(std::wstring_view name) const;
    size_t Count(std::wstring_view call) const; // calls whose ToString() equals `call`
    void ClearLog() { FLog.clear(); }
    static std::wstring Text(const void* handle); // a handle as the log writes it

    HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId) override;
    BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W* entry) override;
    BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W* entry) override;
    BOOL CloseHandle(HANDLE handle) override;
    HINSTANCE ShellExecuteW(HWND hwnd, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                            const wchar_t* directory, int showCmd) override;
    HWND FindWindowW(const wchar_t* className, const wchar_t* windowName) override;
    HWND FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className,
                       const wchar_t* windowName) override;
    DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) override;
    void Sleep(DWORD milliseconds) override;
    LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    int MessageBoxW(HWND hwnd, const wchar_t* text, const wchar_t* caption, UINT type) override;
    UINT GetACP() override;
    DWORD SetClipboardSecret(std::wstring_view text) override;
    void EmptyClipboardIfUnchanged(DWORD sequenceNumber) override;
    std::wstring GetExeFileName() override;
    bool FileExists(const std::wstring& path) override;
    bool PathExists(const std::wstring& path) override;
    void RemoveFile(const std::wstring& path) override;
    bool CanCreateFile(const std::wstring& path) override;
    std::vector<unsigned char> ReadAllBytes(const std::wstring& path) override;
    void ProcessMessages() override;

private:
    struct TProcess {
        std::wstring exeFile;
        DWORD processId;
    };
    struct TSnapshot {
        std::vector<TProcess> processes; // as they were when the snapshot was taken
        size_t next = 0;
    };
    struct TWindow {
        HWND handle;
        std::wstring className, title;
        DWORD processId;
        int findableFromLookup; // the number of the first FindWindowW call that can see it
    };
    struct TPendingFile {
        std::wstring path;
        std::vector<unsigned char> bytes;
        int testsLeft;
    };

    void Record(std::wstring name, std::vector<std::wstring> args);
    bool Findable(const TWindow& window, const wchar_t* className, const wchar_t* windowName) const;
    BOOL Deliver(HANDLE snapshot, PROCESSENTRY32W* entry, bool first);

    std::vector<TProcess> FProcesses;
    std::map<HANDLE, TSnapshot> FSnapshots;
    std::vector<TWindow> FWindows;
    std::vector<TPendingFile> FPendingFiles;
    std::vector<TCall> FLog;
    int FLookups = 0;
    uintptr_t FNextHandle = 0x1000;
};
