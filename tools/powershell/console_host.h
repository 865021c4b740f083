#pragma once
// The language's view of the console: the real environment, DPAPI, the result file and the scroll-back.
#include "console_screen.h"
#include "ps_host.h"
#include "win_handle.h"

#include <optional>
#include <vector>

class TConsoleHost : public TPsHost {
public:
    // With `holdFiles`, each written file stays open after the writing, until ReleaseFile. With `output`,
    // the redirection writes these bytes whatever the pipeline gave.
    TConsoleHost(TConsoleScreen& screen, bool holdFiles,
                 std::optional<std::vector<unsigned char>> output = {})
        : FScreen(screen), FHoldFiles(holdFiles), FOutput(std::move(output)) {}

    std::optional<std::wstring> EnvironmentVariable(std::wstring_view name) override;
    std::optional<std::wstring> SessionVariable(std::wstring_view name) override;
    TPsHostAnswer Protect(std::wstring_view plainText) override;
    TPsHostAnswer WriteFile(std::wstring_view path, const std::vector<std::wstring>& lines) override;
    void WriteOutput(std::wstring_view text) override;
    void WriteError(const std::vector<std::wstring>& lines) override;

    bool HoldsFile() const { return bool(FHeldFile); }
    void ReleaseFile() { FHeldFile.Close(); }

private:
    TConsoleScreen& FScreen;
    bool FHoldFiles;
    std::optional<std::vector<unsigned char>> FOutput;
    TWinHandle FHeldFile;
};

// The console's current directory, as its prompt shows it.
std::wstring CurrentDirectory();
