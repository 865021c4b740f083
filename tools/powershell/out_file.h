#pragma once
// The file written by the redirection ">" of Windows PowerShell 5.1: UTF-16LE with a byte-order mark,
// each line followed by CR LF, the file created or replaced. With no line at all the file holds the
// byte-order mark alone, as .NET's writer leaves it.
#include "win_handle.h"

#include <string>
#include <string_view>
#include <vector>

struct TOutFileResult {
    TWinHandle file; // still open after the writing: the caller decides when it is closed
    std::wstring failure;
};

TOutFileResult WriteOutFile(std::wstring_view path, const std::vector<std::wstring>& lines);

// The bytes WriteOutFile writes for these lines.
std::vector<unsigned char> OutFileBytes(const std::vector<std::wstring>& lines);
// Creates or replaces the file with exactly these bytes, as the redirection does.
TOutFileResult WriteOutFileBytes(std::wstring_view path, const std::vector<unsigned char>& bytes);
