#pragma once
// The values that flow through the console's pipelines, and how Windows PowerShell turns each into text.
#include <string>

struct TPsValue {
    enum class TKind { Null, String, Number, Char, Bool, SecureString };
    TKind kind = TKind::Null;
    std::wstring text;    // String; SecureString: the protected text itself
    long long number = 0; // Number; Char: the code unit; Bool: 0 or 1

    static TPsValue Null() { return {}; }
    static TPsValue String(std::wstring s) { return {TKind::String, std::move(s), 0}; }
    static TPsValue Number(long long n) { return {TKind::Number, {}, n}; }
    static TPsValue Char(wchar_t c) { return {TKind::Char, {}, c}; }
    static TPsValue Bool(bool b) { return {TKind::Bool, {}, b ? 1 : 0}; }
    static TPsValue SecureString(std::wstring s) { return {TKind::SecureString, std::move(s), 0}; }
};

// The text of a value in a string, in output and in a file. A secure string never shows its content,
// only its type name, as in PowerShell.
inline std::wstring ToPsString(const TPsValue& v) {
    switch (v.kind) {
    case TPsValue::TKind::String:
        return v.text;
    case TPsValue::TKind::Number:
        return std::to_wstring(v.number);
    case TPsValue::TKind::Char:
        return std::wstring(1, wchar_t(v.number));
    case TPsValue::TKind::Bool:
        return v.number ? L"True" : L"False";
    case TPsValue::TKind::SecureString:
        return L"System.Security.SecureString";
    case TPsValue::TKind::Null:
        break;
    }
    return {};
}
