#include "out_file.h"

#include "system_message.h"

#include <windows.h>

namespace {

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    full.resize(length < needed ? length : 0);
    return full.empty() ? path : full;
}

// The texts .NET gives for the failures a path most often meets.
std::wstring OpenFailure(DWORD error, const std::wstring& path) {
    const std::wstring quoted = L"'" + FullPath(path) + L"'";
    switch (error) {
    case ERROR_PATH_NOT_FOUND:
        return L"Could not find a part of the path " + quoted + L".";
    case ERROR_ACCESS_DENIED:
        return L"Access to the path " + quoted + L" is denied.";
    case ERROR_SHARING_VIOLATION:
        return L"The process cannot access the file " + quoted +
               L" because it is being used by another process.";
    default:
        return SystemMessage(error);
    }
}

} // namespace

std::vector<unsigned char> OutFileBytes(const std::vector<std::wstring>& lines) {
    std::vector<unsigned char> bytes{0xFF, 0xFE};
    const auto put = [&bytes](wchar_t c) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    };
    for (const std::wstring& line : lines) {
        for (const wchar_t c : line)
            put(c);
        put(L'\r');
        put(L'\n');
    }
    return bytes;
}

TOutFileResult WriteOutFile(std::wstring_view path, const std::vector<std::wstring>& lines) {
    return WriteOutFileBytes(path, OutFileBytes(lines));
}

TOutFileResult WriteOutFileBytes(std::wstring_view path, const std::vector<unsigned char>& bytes) {
    const std::wstring name(path);
    TOutFileResult result;
    result.file = TWinHandle(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!result.file) {
        result.failure = OpenFailure(GetLastError(), name);
        return result;
    }
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(result.file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
         written != bytes.size())) {
        result.failure = SystemMessage(GetLastError());
        result.file.Close();
    }
    return result;
}
