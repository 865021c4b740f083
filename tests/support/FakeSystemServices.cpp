#include "FakeSystemServices.h"

#include "toolkit/sysutils.h"

#include <algorithm>
#include <iterator>

namespace {

std::wstring Quoted(const wchar_t* text) {
    return text ? L"\"" + std::wstring(text) + L"\"" : L"null";
}

std::wstring Quoted(std::wstring_view text) {
    return L"\"" + std::wstring(text) + L"\"";
}

std::wstring Number(unsigned long long value) {
    return std::to_wstring(value);
}

} // namespace

std::wstring TFakeSystemServices::TCall::ToString() const {
    std::wstring text = name + L"(";
    for (size_t i = 0; i < args.size(); ++i)
        text += (i ? L", " : L"") + args[i];
    return text + L")";
}

std::wstring TFakeSystemServices::Text(const void* handle) {
    return Number(reinterpret_cast<uintptr_t>(handle));
}

void TFakeSystemServices::Record(std::wstring name, std::vector<std::wstring> args) {
    FLog.push_back({std::move(name), std::move(args)});
}

std::vector<TFakeSystemServices::TCall> TFakeSystemServices::Named(std::wstring_view name) const {
    std::vector<TCall> calls;
    std::copy_if(FLog.begin(), FLog.end(), std::back_inserter(calls),
                 [&](const TCall& call) { return call.name == name; });
    return calls;
}

size_t TFakeSystemServices::Count(std::wstring_view call) const {
    return std::count_if(FLog.begin(), FLog.end(), [&](const TCall& c) { return c.ToString() == call; });
}

void TFakeSystemServices::AddProcess(std::wstring exeFile, DWORD processId) {
    FProcesses.push_back({std::move(exeFile), processId});
}

HWND TFakeSystemServices::AddWindow(std::wstring className, std::wstring title, DWORD processId,
                                    int hiddenForLookups) {
    HWND handle = reinterpret_cast<HWND>(FNextHandle += 0x10);
    FWindows.push_back(
        {handle, std::move(className), std::move(title), processId, FLookups + hiddenForLookups + 1});
    return handle;
}

void TFakeSystemServices::ReplaceClipboard(std::wstring text) {
    Clipboard = std::move(text);
    ClipboardMarkedSecret = false;
    ++ClipboardSequence;
}

void TFakeSystemServices::AddFile(std::wstring path, std::vector<unsigned char> bytes, int hiddenForTests) {
    if (hiddenForTests == 0)
        Files[std::move(path)] = std::move(bytes);
    else
        FPendingFiles.push_back({std::move(path), std::move(bytes), hiddenForTests});
}

HANDLE TFakeSystemServices::CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
    Record(L"CreateToolhelp32Snapshot", {Number(flags), Number(processId)});
    if (SnapshotFails) return INVALID_HANDLE_VALUE;
    HANDLE handle = reinterpret_cast<HANDLE>(FNextHandle += 0x10);
    FSnapshots[handle] = {FProcesses, 0};
    return handle;
}

// Like Windows, a walk needs an entry of exactly the size of the structure the program was built with.
BOOL TFakeSystemServices::Deliver(HANDLE snapshot, PROCESSENTRY32W* entry, bool first) {
    auto found = FSnapshots.find(snapshot);
    if (found == FSnapshots.end() || entry == nullptr || entry->dwSize != sizeof(PROCESSENTRY32W))
        return FALSE;
    TSnapshot& walk = found->second;
    walk.next = first ? 0 : walk.next + 1;
    if (walk.next >= walk.processes.size()) return FALSE;
    const TProcess& process = walk.processes[walk.next];
    *entry = PROCESSENTRY32W{};
    entry->dwSize = sizeof(PROCESSENTRY32W);
    entry->th32ProcessID = process.processId;
    entry->cntThreads = 1;
    size_t length = std::min(process.exeFile.size(), std::size(entry->szExeFile) - 1);
    std::copy_n(process.exeFile.begin(), length, entry->szExeFile);
    return TRUE;
}

BOOL TFakeSystemServices::Process32FirstW(HANDLE snapshot, PROCESSENTRY32W* entry) {
    Record(L"Process32FirstW", {Text(snapshot), Number(entry ? entry->dwSize : 0)});
    return Deliver(snapshot, entry, true);
}

BOOL TFakeSystemServices::Process32NextW(HANDLE snapshot, PROCESSENTRY32W* entry) {
    Record(L"Process32NextW", {Text(snapshot), Number(entry ? entry->dwSize : 0)});
    return Deliver(snapshot, entry, false);
}

BOOL TFakeSystemServices::CloseHandle(HANDLE handle) {
    Record(L"CloseHandle", {Text(handle)});
    return FSnapshots.erase(handle) ? TRUE : FALSE;
}

HINSTANCE TFakeSystemServices::ShellExecuteW(HWND hwnd, const wchar_t* verb, const wchar_t* file,
                                             const wchar_t* parameters, const wchar_t* directory,
                                             int showCmd) {
    Record(L"ShellExecuteW",
           {Text(hwnd), Quoted(verb), Quoted(file), Quoted(parameters), Quoted(directory), Number(showCmd)});
    if (OnShellExecute) OnShellExecute();
    return reinterpret_cast<HINSTANCE>(42); // above 32: what Windows returns when it started something
}

bool TFakeSystemServices::Findable(const TWindow& window, const wchar_t* className,
                                   const wchar_t* windowName) const {
    return FLookups >= window.findableFromLookup && (!className || window.className == className) &&
           (!windowName || window.title == windowName);
}

HWND TFakeSystemServices::FindWindowW(const wchar_t* className, const wchar_t* windowName) {
    Record(L"FindWindowW", {Quoted(className), Quoted(windowName)});
    ++FLookups;
    for (const TWindow& window : FWindows)
        if (Findable(window, className, windowName)) return window.handle;
    return nullptr;
}

HWND TFakeSystemServices::FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className,
                                        const wchar_t* windowName) {
    Record(L"FindWindowExW", {Text(parent), Text(childAfter), Quoted(className), Quoted(windowName)});
    if (parent != nullptr) return nullptr; // only top-level windows here
    if (childAfter == nullptr) ++FLookups;
    auto window = FWindows.begin();
    if (childAfter != nullptr) {
        window = std::find_if(FWindows.begin(), FWindows.end(),
                              [&](const TWindow& w) { return w.handle == childAfter; });
        if (window == FWindows.end()) return nullptr; // no longer there: the walk ends, as in Windows
        ++window;
    }
    for (; window != FWindows.end(); ++window)
        if (Findable(*window, className, windowName)) return window->handle;
    return nullptr;
}

DWORD TFakeSystemServices::GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    Record(L"GetWindowThreadProcessId", {Text(hwnd)});
    const auto window =
        std::find_if(FWindows.begin(), FWindows.end(), [&](const TWindow& w) { return w.handle == hwnd; });
    if (processId) *processId = window != FWindows.end() ? window->processId : 0;
    return window != FWindows.end() ? 1 : 0;
}

void TFakeSystemServices::Sleep(DWORD milliseconds) {
    Record(L"Sleep", {Number(milliseconds)});
}

LRESULT TFakeSystemServices::SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record(L"SendMessageW", {Text(hwnd), Number(msg), Number(wParam), Number(lParam)});
    return 0;
}

BOOL TFakeSystemServices::PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Record(L"PostMessageW", {Text(hwnd), Number(msg), Number(wParam), Number(lParam)});
    return TRUE;
}

int TFakeSystemServices::MessageBoxW(HWND hwnd, const wchar_t* text, const wchar_t* caption, UINT type) {
    Record(L"MessageBoxW", {Text(hwnd), Quoted(text), Quoted(caption), Number(type)});
    return OnMessageBox ? OnMessageBox(text ? text : L"") : IDOK;
}

UINT TFakeSystemServices::GetACP() {
    Record(L"GetACP", {});
    return ACP;
}

DWORD TFakeSystemServices::SetClipboardSecret(std::wstring_view text) {
    Record(L"SetClipboardSecret", {Quoted(text)});
    if (ClipboardFails) throw Exception(L"Cannot open clipboard: Access is denied");
    Clipboard = std::wstring(text);
    ClipboardMarkedSecret = true;
    return ++ClipboardSequence;
}

void TFakeSystemServices::EmptyClipboardIfUnchanged(DWORD sequenceNumber) {
    Record(L"EmptyClipboardIfUnchanged", {Number(sequenceNumber)});
    if (sequenceNumber != ClipboardSequence) return;
    Clipboard.reset();
    ClipboardMarkedSecret = false;
    ++ClipboardSequence;
}

std::wstring TFakeSystemServices::GetExeFileName() {
    Record(L"GetExeFileName", {});
    return ExeFileName;
}

bool TFakeSystemServices::FileExists(const std::wstring& path) {
    Record(L"FileExists", {Quoted(path)});
    for (auto pending = FPendingFiles.begin(); pending != FPendingFiles.end();) {
        if (pending->path != path) {
            ++pending;
        } else if (pending->testsLeft > 0) {
            --pending->testsLeft;
            ++pending;
        } else {
            Files[pending->path] = std::move(pending->bytes);
            pending = FPendingFiles.erase(pending);
        }
    }
    return Files.count(path) != 0;
}

bool TFakeSystemServices::PathExists(const std::wstring& path) {
    Record(L"PathExists", {Quoted(path)});
    return Files.count(path) != 0 || Folders.count(path) != 0;
}

void TFakeSystemServices::RemoveFile(const std::wstring& path) {
    Record(L"RemoveFile", {Quoted(path)});
    if (Undeletable.count(path) == 0) Files.erase(path);
}

bool TFakeSystemServices::CanCreateFile(const std::wstring& path) {
    Record(L"CanCreateFile", {Quoted(path)});
    return !CreateFails && Files.count(path) == 0 && Folders.count(path) == 0;
}

std::vector<unsigned char> TFakeSystemServices::ReadAllBytes(const std::wstring& path) {
    Record(L"ReadAllBytes", {Quoted(path)});
    auto file = Files.find(path);
    if (ReadFails) throw Exception(L"Cannot open file \"" + path + L"\". The file name is too long");
    if (file != Files.end() && ReadsInUse > 0) {
        --ReadsInUse;
        throw EFileInUse(
            L"Cannot open file \"" + path +
            L"\". The process cannot access the file because it is being used by another process");
    }
    if (file == Files.end())
        throw Exception(L"Cannot open file \"" + path + L"\". The system cannot find the file specified");
    return file->second;
}

void TFakeSystemServices::ProcessMessages() {
    Record(L"ProcessMessages", {});
    if (OnProcessMessages) OnProcessMessages();
}
