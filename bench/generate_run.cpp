#include "generate_run.h"

#include "CredentialRules.h"
#include "bench_clock.h"
#include "console_start.h"
#include "responsiveness_probe.h"
#include "run_watcher.h"

#include <optional>
#include <vector>

namespace {

constexpr DWORD kRunTimeoutMs = 180000;

std::vector<std::wstring> NonEmptyLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (wchar_t c : text + L"\r") {
        if (c != L'\r' && c != L'\n') {
            line += c;
        } else if (!line.empty()) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    return lines;
}

bool StartsWith(const std::wstring& text, std::wstring_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Whether the text holds the three lines, the last with an encrypted password.
bool ShowsThreeLines(const std::wstring& text) {
    const std::vector<std::wstring> lines = NonEmptyLines(text);
    return lines.size() == 3 && StartsWith(lines[0], L"domain:s:") && StartsWith(lines[1], L"username:s:") &&
           StartsWith(lines[2], L"password 51:b:") && lines[2].size() > 14;
}

[[noreturn]] void FailWithBox(HWND box) {
    const driver::TMessageBox read = driver::ReadMessageBox(box);
    driver::PressOk(box);
    throw driver::DriverError(L"the run ended in a message box: " + read.text);
}

} // namespace

TGenerateTiming RunGenerate(const driver::TProcess& corvalin, const TCorvalinWindow& window,
                            const std::wstring& corvalinPath, const std::wstring& consolePath,
                            const TGenerateRequest& request) {
    const std::wstring resultFile = GetPsFile(corvalinPath);
    TGenerateTiming timing;
    timing.commandLength =
        BuildPsCommand(ValidateCredentials(L"x", request.password).password, resultFile).size();

    if (!WriteText(window.edtUsername, request.user, 10000) ||
        !WriteText(window.edtPassword, request.password, 10000))
        throw driver::DriverError(L"the editors did not take their text");
    // A file left from elsewhere would be seen as this run's result before the program deletes it.
    DeleteFileW(resultFile.c_str());
    TReadyConsole console = StartReadyConsole(consolePath);
    driver::Activate(window.form);

    std::optional<TResponsivenessProbe> probe;
    if (request.probeResponsiveness) probe.emplace(window.form, 10);
    TRunWatcher watcher(window.btnGenerate, resultFile);
    const double clickAt = NowMs();
    driver::Click(window.btnGenerate);

    while (watcher.BusyAt() == 0) {
        if (NowMs() - clickAt > 10000) throw driver::DriverError(L"the click on Gerar started no run");
        Sleep(1);
    }
    // Nothing can show before the result file exists (or the run has ended without the watcher seeing it);
    // reading the editor before would only slow the typing down.
    while (watcher.FileAt() == 0 && !IsWindowEnabled(window.btnGenerate)) {
        if (HWND box = driver::FindMessageBox(corvalin)) FailWithBox(box);
        if (NowMs() - clickAt > kRunTimeoutMs) throw driver::DriverError(L"no result file came in time");
        Sleep(2);
    }
    std::wstring text;
    double linesAt = 0;
    for (;;) {
        if (!ReadText(window.redtConfiguration, text, kRunTimeoutMs))
            throw driver::DriverError(L"the result editor did not answer");
        const double now = NowMs();
        if (ShowsThreeLines(text)) {
            linesAt = now;
            break;
        }
        if (HWND box = driver::FindMessageBox(corvalin)) FailWithBox(box);
        if (now - clickAt > kRunTimeoutMs) throw driver::DriverError(L"no result lines came in time");
        Sleep(2);
    }
    watcher.Stop();
    timing.clickToLinesMs = linesAt - clickAt;
    timing.clickToBusyMs = watcher.BusyAt() - clickAt;
    if (watcher.FileAt() > 0) {
        timing.busyToFileMs = watcher.FileAt() - watcher.BusyAt();
        timing.fileToLinesMs = linesAt - watcher.FileAt();
    }
    if (probe) {
        const std::vector<TProbeWait> waits = probe->Stop();
        timing.longestFreezeMs = LongestWait(waits, clickAt, linesAt);
        if (watcher.FileAt() > 0) {
            timing.longestFreezeTypingMs = LongestWait(waits, watcher.BusyAt(), watcher.FileAt());
            timing.longestFreezeAfterFileMs = LongestWait(waits, watcher.FileAt(), linesAt);
        }
    }

    timing.lines = NonEmptyLines(text);
    const std::wstring passwordLine = timing.lines[2];
    const std::wstring expected = ValidateCredentials(L"x", request.password).password;
    if (driver::DecryptDpapiHex(std::wstring_view(passwordLine).substr(14)) != expected)
        throw driver::DriverError(L"the password line does not decrypt to the password");
    console.process.WaitForExit(10000);
    return timing;
}
