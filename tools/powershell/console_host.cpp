#include "console_host.h"

#include "dpapi_protect.h"
#include "out_file.h"
#include "ps_text.h"

#include <windows.h>

namespace {

std::optional<std::wstring> Environment(const std::wstring& name) {
    const DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), needed);
    value.resize(length < needed ? length : 0);
    return value;
}

std::wstring ExecutableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

} // namespace

std::wstring CurrentDirectory() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, dir.data());
    dir.resize(length < needed ? length : 0);
    return dir;
}

std::optional<std::wstring> TConsoleHost::EnvironmentVariable(std::wstring_view name) {
    return Environment(std::wstring(name));
}

std::optional<std::wstring> TConsoleHost::SessionVariable(std::wstring_view name) {
    if (SameText(name, L"HOME")) return Environment(L"USERPROFILE");
    if (SameText(name, L"PID")) return std::to_wstring(GetCurrentProcessId());
    if (SameText(name, L"PWD")) return CurrentDirectory();
    if (SameText(name, L"PSHOME")) return ExecutableDirectory();
    return std::nullopt;
}

TPsHostAnswer TConsoleHost::Protect(std::wstring_view plainText) {
    return ProtectToHex(plainText);
}

TPsHostAnswer TConsoleHost::WriteFile(std::wstring_view path, const std::vector<std::wstring>& lines) {
    FHeldFile.Close();
    TOutFileResult written = FOutput ? WriteOutFileBytes(path, *FOutput) : WriteOutFile(path, lines);
    if (!written.failure.empty()) return {{}, written.failure};
    if (FHoldFiles) FHeldFile = std::move(written.file);
    return {};
}

void TConsoleHost::WriteOutput(std::wstring_view text) {
    FScreen.Write(text, TScreenColour::Output);
}

void TConsoleHost::WriteError(const std::vector<std::wstring>& lines) {
    for (const std::wstring& line : lines)
        FScreen.Write(line, TScreenColour::Error);
}
