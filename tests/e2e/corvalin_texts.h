#pragma once
// The texts Corvalin shows, written out here rather than taken from the program, so that a misspelt
// message in the program fails the tests.
#include <string>

namespace e2e {

inline const std::wstring kTitle = L"Corvalin";
inline const std::wstring kUsernameIsEmpty = L"Username está vazio.";
inline const std::wstring kPasswordIsEmpty = L"Password está vazio.";
inline const std::wstring kPsNotFound = L"PowerShell não encontrado.";
inline const std::wstring kCommandCopied =
    L"Execute no PowerShell o comando que foi copiado para a Área de Transferência.\r\r"
    L"Após executar clique em OK para continuar.";
inline const std::wstring kFileNotFound = L"Arquivo de senha não encontrado.";
inline const std::wstring kPsFileNotDeleted = L"Não foi possível apagar o arquivo de senha anterior.";
inline const std::wstring kPsFolderNotWritable =
    L"Não é possível gravar o arquivo de senha na pasta do programa:";
inline const std::wstring kPsFileInvalid =
    L"Arquivo de senha inválido: o PowerShell não gerou a senha criptografada.";
inline const std::wstring kCannotOpenClipboard = L"Cannot open clipboard: ";

inline const std::wstring kDomainPrefix = L"domain:s:";
inline const std::wstring kUsernamePrefix = L"username:s:";
inline const std::wstring kPasswordPrefix = L"password 51:b:";
inline const std::wstring kDefaultDomain = L"MERIDOVANS";

} // namespace e2e
