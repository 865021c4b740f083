#pragma once
// The character classes of the Windows PowerShell 5.1 tokenizer that the console's small language needs.
// PowerShell accepts the typographic quotation marks and dashes that word processors put into pasted text,
// so they count here exactly as the plain ASCII ones do.

inline bool IsPsDoubleQuote(wchar_t c) {
    return c == L'"' || c == 0x201C || c == 0x201D || c == 0x201E;
}

inline bool IsPsSingleQuote(wchar_t c) {
    return c == L'\'' || (c >= 0x2018 && c <= 0x201B);
}

inline bool IsPsQuote(wchar_t c) {
    return IsPsDoubleQuote(c) || IsPsSingleQuote(c);
}

inline bool IsPsDash(wchar_t c) {
    return c == L'-' || (c >= 0x2013 && c <= 0x2015);
}

inline bool IsPsNewline(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

// Blanks between tokens: space, tab, vertical tab, form feed and the Unicode space separators.
inline bool IsPsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f' || c == 0x00A0 || c == 0x0085 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

inline bool IsAsciiLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

inline bool IsAsciiDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Outside ASCII, PowerShell asks .NET whether the character is a letter or a digit; the system's own
// character types answer the same question.
bool IsNonAsciiLetterOrDigit(wchar_t c);

// A character that can follow "$" and start a variable name: letters, digits, "_", and the one-character
// automatic variables "$", "?" and "^".
inline bool IsPsVariableStart(wchar_t c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'_' || c == L'?' || c == L'$' || c == L'^' ||
           IsNonAsciiLetterOrDigit(c);
}

// A character that continues a variable name. "?" is one: that is why "$a?b" names the variable "a?b".
inline bool IsPsVariableChar(wchar_t c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c) || c == L'_' || c == L'?' || IsNonAsciiLetterOrDigit(c);
}

// Characters that end a bare word (a command name or an unquoted argument) in command mode.
inline bool IsPsWordEnd(wchar_t c) {
    return IsPsBlank(c) || IsPsNewline(c) || c == L';' || c == L'|' || c == L'(' || c == L')' || c == L'{' ||
           c == L'}' || c == L'&' || c == L',' || c == L'<' || c == L'>';
}
