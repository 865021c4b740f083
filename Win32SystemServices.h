#pragma once
// The system services as Windows gives them.
#include "SystemServices.h"

class TWin32SystemServices : public ISystemServices {
public:
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
};
