#pragma once
// The built console started as a child process, as Corvalin meets it: found by its window, typed into
// with WM_CHAR, Enter posted as WM_KEYDOWN. The process is killed when the object goes, if still running.
#include "win_handle.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

class TConsoleProcess {
public:
    // Starts the console with the given CORVALIN_PS_* variables (all others of that prefix removed).
    explicit TConsoleProcess(const std::map<std::wstring, std::wstring>& faults = {});
    TConsoleProcess(const TConsoleProcess&) = delete;
    TConsoleProcess& operator=(const TConsoleProcess&) = delete;
    ~TConsoleProcess();

    DWORD Id() const { return FId; }
    bool Started() const { return bool(FProcess); }
    bool Running() const;
    // Waits for the process to end; true when it did within the time.
    bool WaitForExit(DWORD ms) const;
    DWORD ExitCode() const;
    // The top-level windows of the process.
    std::vector<HWND> Windows() const;
    // Waits for the process's first top-level window.
    HWND WaitForWindow(DWORD ms) const;

private:
    TWinHandle FProcess;
    DWORD FId = 0;
};

// Types the text into the window one code unit at a time, then presses Enter, as Corvalin does.
void TypeLine(HWND window, std::wstring_view text);

// Reads the whole file, opened for reading while others are denied write access (as Corvalin reads it).
// Without a value, the error code of the failed open is in `error`.
std::optional<std::vector<unsigned char>> ReadDenyingWrite(const std::wstring& path, DWORD* error = nullptr);

// Waits until a file exists at the path.
bool WaitForFile(const std::wstring& path, DWORD ms);

// A new empty directory under the temporary directory, removed with everything in it at the end.
class TScratchDirectory {
public:
    explicit TScratchDirectory(const std::wstring& name);
    TScratchDirectory(const TScratchDirectory&) = delete;
    TScratchDirectory& operator=(const TScratchDirectory&) = delete;
    ~TScratchDirectory();
    const std::wstring& Path() const { return FPath; }

private:
    std::wstring FPath;
};
