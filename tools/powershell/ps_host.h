#pragma once
// What the language needs from the program around it: the environment, the encryption, the files and the
// screen. The console gives the real ones; the tests give recording ones.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The outcome of a host operation: a value, or the text of what went wrong.
struct TPsHostAnswer {
    std::wstring value;
    std::wstring failure;
    bool Failed() const { return !failure.empty(); }
};

class TPsHost {
public:
    virtual ~TPsHost() = default;
    // $env:NAME
    virtual std::optional<std::wstring> EnvironmentVariable(std::wstring_view name) = 0;
    // Variables of the session other than the automatic ones the language knows itself ($HOME, $PID, ...).
    virtual std::optional<std::wstring> SessionVariable(std::wstring_view name) = 0;
    // The encrypted standard string of a secure string's text, as ConvertFrom-SecureString gives it.
    virtual TPsHostAnswer Protect(std::wstring_view plainText) = 0;
    // The redirection ">": the lines, each ended by CR LF, as the whole new content of the file.
    virtual TPsHostAnswer WriteFile(std::wstring_view path, const std::vector<std::wstring>& lines) = 0;
    virtual void WriteOutput(std::wstring_view text) = 0;
    virtual void WriteError(const std::vector<std::wstring>& lines) = 0;
};
