#pragma once
// The credential text rules of the main window unit: how the user field splits into domain and user name,
// the input checks, the result-file path, the PowerShell command, the decoding of the result file and the
// three connection-file lines. Pure text; the only system call is the code-page conversion of an unmarked file.
#include <array>
#include <string>
#include <string_view>
#include <vector>

inline const std::wstring DOMAIN_DEFAULT = L"MERIDOVANS";
inline const std::wstring USERNAME_IS_EMPTY = L"Username está vazio.";
inline const std::wstring PASSWORD_IS_EMPTY = L"Password está vazio.";
inline const std::wstring PS_PROCESS_NAME = L"powershell.exe";
inline const std::wstring PS_WINDOW_CLASS = L"ConsoleWindowClass";
inline const std::wstring PS_WINDOW_NAME = L"Windows PowerShell";
inline const std::wstring PS_NOT_FOUND_MESSAGE = L"PowerShell não encontrado.";
inline const std::wstring PS_COMMAND_COPY_MESSAGE =
    L"Execute no PowerShell o comando que foi copiado para a Área de Transferência.\r\r"
    L"Após executar clique em OK para continuar.";
inline const std::wstring PS_FILE_NOT_FOUND_MESSAGE = L"Arquivo de senha não encontrado.";
// Followed by the result file's path on a line of its own.
inline const std::wstring PS_FILE_NOT_DELETED_MESSAGE =
    L"Não foi possível apagar o arquivo de senha anterior.";
// Followed by the folder's path on a line of its own.
inline const std::wstring PS_FOLDER_NOT_WRITABLE_MESSAGE =
    L"Não é possível gravar o arquivo de senha na pasta do programa:";
inline const std::wstring PS_FILE_INVALID_MESSAGE =
    L"Arquivo de senha inválido: o PowerShell não gerou a senha criptografada.";

struct TDomainUser {
    std::wstring domain = DOMAIN_DEFAULT;
    std::wstring username;
    std::vector<std::wstring> du; // the pieces of the trimmed field, cut at every backslash
};

// Splits the user field: "DOMAIN\user", "user", with blanks trimmed around the field and each piece.
TDomainUser SplitDomainUser(std::wstring_view userField);

struct TCredentialCheck {
    const std::wstring* failure = nullptr; // &USERNAME_IS_EMPTY or &PASSWORD_IS_EMPTY when a check fails
    std::wstring password;                 // the trimmed password when the checks pass
    bool Passed() const { return failure == nullptr; }
};

// The user name is checked first; the password field is looked at only when there is a user name.
TCredentialCheck ValidateCredentials(std::wstring_view username, std::wstring_view passwordField);

// The executable's path with its extension replaced by ".out" (appended when the file name has none).
std::wstring GetPsFile(std::wstring_view exePath);

// The folder that holds the result file, as the operator would look for it: C:\Tools, or C:\ for a root.
std::wstring GetPsFolder(std::wstring_view psFile);

// The command typed into PowerShell. The password and the path stand inside double-quoted PowerShell
// strings, so the characters PowerShell treats specially there are escaped with a backtick and control
// characters are written as escapes: PowerShell then encrypts exactly the password that was typed.
std::wstring BuildPsCommand(std::wstring_view password, std::wstring_view psFile);

// Decodes the result file by its byte-order mark (UTF-8, UTF-16 LE, UTF-16 BE; without one, the ANSI
// code page given) and trims the text.
std::wstring ReadCryptPassword(const std::vector<unsigned char>& content, unsigned codePage);

// True for what ConvertFrom-SecureString writes: one string of hexadecimal digits of either case, of even
// length. Anything else in the result file (nothing, blanks, an error text) means the encryption failed.
bool IsCryptPassword(std::wstring_view cryptPassword);

std::array<std::wstring, 3> BuildConfigurationLines(std::wstring_view domain, std::wstring_view username,
                                                    std::wstring_view cryptPassword);
