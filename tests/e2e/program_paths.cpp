#include "program_paths.h"

#include "driver.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace e2e {

namespace {

std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return path;
}

} // namespace

std::wstring CorvalinPath() {
    return WindowsPath(CORVALIN_EXE);
}

std::wstring ConsolePath() {
    return WindowsPath(POWERSHELL_EXE);
}

std::wstring ReadOnlyCorvalinPath() {
    return WindowsPath(READONLY_CORVALIN_EXE);
}

std::wstring ForeignConsolePath() {
    return WindowsPath(FOREIGN_CONSOLE_EXE);
}

std::wstring ResultFilePath() {
    const std::wstring exe = CorvalinPath();
    return exe.substr(0, exe.find_last_of(L'.')) + L".out";
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    struct TCloser {
        void operator()(HANDLE h) const { ::CloseHandle(h); }
    };
    HANDLE raw =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) throw driver::DriverError(L"cannot create " + path);
    std::unique_ptr<std::remove_pointer_t<HANDLE>, TCloser> file(raw);
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        throw driver::DriverError(L"cannot write " + path);
}

} // namespace e2e
