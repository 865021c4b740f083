#pragma once
// Where the programs under test lie, as Windows paths: the build gives Unix paths, and Wine shows the
// Unix root as drive Z:.
#include <string>

namespace e2e {

std::wstring CorvalinPath();
// The substitute PowerShell console as built (the same program the session installs as powershell.exe).
std::wstring ConsolePath();
// A copy of Corvalin in a folder that cannot be written to, made before the tests that need it.
std::wstring ReadOnlyCorvalinPath();
// A program with a console window that is not PowerShell's.
std::wstring ForeignConsolePath();
// Corvalin's result file: beside the executable, with its name and the extension ".out".
std::wstring ResultFilePath();

bool FileExists(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

} // namespace e2e
