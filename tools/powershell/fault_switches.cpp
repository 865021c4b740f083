#include "fault_switches.h"

#include "out_file.h"

#include <windows.h>

#include <optional>
#include <string>

namespace {

std::optional<std::wstring> Environment(const wchar_t* name) {
    wchar_t buffer[64];
    const DWORD length = GetEnvironmentVariableW(name, buffer, DWORD(std::size(buffer)));
    if (length == 0 || length >= std::size(buffer)) return std::nullopt;
    return std::wstring(buffer, length);
}

void ReadFlag(const wchar_t* name, bool& flag) {
    const auto value = Environment(name);
    if (value) flag = !value->empty() && *value != L"0";
}

void ReadMilliseconds(const wchar_t* name, unsigned& ms) {
    const auto value = Environment(name);
    if (!value || value->empty() || value->size() > 9) return;
    unsigned n = 0;
    for (const wchar_t c : *value) {
        if (c < L'0' || c > L'9') return;
        n = n * 10 + unsigned(c - L'0');
    }
    ms = n;
}

void ReadOutput(const wchar_t* name, std::optional<std::vector<unsigned char>>& output) {
    const auto value = Environment(name);
    if (!value) return;
    const std::wstring line = L"line:";
    if (*value == L"empty")
        output.emplace();
    else if (*value == L"bom")
        output = OutFileBytes({});
    else if (*value == L"blank")
        output = OutFileBytes({L"  \t", L""});
    else if (value->compare(0, line.size(), line) == 0)
        output = OutFileBytes({value->substr(line.size())});
}

} // namespace

TFaultSwitches ReadFaultSwitches() {
    TFaultSwitches f;
    ReadFlag(L"CORVALIN_PS_NO_CLASS", f.noClass);
    ReadMilliseconds(L"CORVALIN_PS_RUN_DELAY_MS", f.runDelayMs);
    ReadFlag(L"CORVALIN_PS_IGNORE_ENTER", f.ignoreEnter);
    ReadMilliseconds(L"CORVALIN_PS_HOLD_FILE_MS", f.holdFileMs);
    ReadFlag(L"CORVALIN_PS_NO_WINDOW", f.noWindow);
    ReadMilliseconds(L"CORVALIN_PS_NO_WINDOW_MS", f.noWindowLifetimeMs);
    ReadOutput(L"CORVALIN_PS_OUTPUT", f.output);
    return f;
}
