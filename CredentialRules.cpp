#include "CredentialRules.h"

#include "toolkit/sysutils.h"

#include <windows.h>

#include <algorithm>

TDomainUser SplitDomainUser(std::wstring_view userField) {
    TDomainUser r;
    const std::wstring field = Trim(userField);
    if (!field.empty()) {
        size_t start = 0;
        for (;;) {
            const size_t slash = field.find(L'\\', start);
            r.du.push_back(field.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start));
            if (slash == std::wstring::npos) break;
            start = slash + 1;
        }
    }
    const size_t duLength = r.du.size();
    if (duLength >= 2) {
        r.domain = Trim(r.du[0]);
        r.username = Trim(r.du[1]);
    } else if (duLength == 1) {
        r.username = Trim(r.du[0]);
    }
    return r;
}

TCredentialCheck ValidateCredentials(std::wstring_view username, std::wstring_view passwordField) {
    TCredentialCheck r;
    if (username.empty()) {
        r.failure = &USERNAME_IS_EMPTY;
        return r;
    }
    r.password = Trim(passwordField);
    if (r.password.empty()) r.failure = &PASSWORD_IS_EMPTY;
    return r;
}

std::wstring GetPsFile(std::wstring_view exePath) {
    const size_t last = exePath.find_last_of(L".\\:");
    if (last != std::wstring_view::npos && exePath[last] == L'.')
        return std::wstring(exePath.substr(0, last)) + L".out";
    return std::wstring(exePath) + L".out";
}

std::wstring GetPsFolder(std::wstring_view psFile) {
    const size_t slash = psFile.find_last_of(L'\\');
    if (slash == std::wstring_view::npos) return std::wstring(psFile);
    // A root keeps its backslash: "C:" alone would name the drive's current folder.
    const bool root = slash == 0 || psFile[slash - 1] == L':';
    return std::wstring(psFile.substr(0, root ? slash + 1 : slash));
}

namespace {

// Characters that end or change a double-quoted PowerShell string: the dollar sign (variables and
// subexpressions), the backtick (escapes) and the four double quotation marks PowerShell accepts.
bool NeedsBacktick(wchar_t c) {
    return c == L'$' || c == L'`' || c == L'"' || c == 0x201C || c == 0x201D || c == 0x201E;
}

void AppendQuotedText(std::wstring& out, std::wstring_view text) {
    static constexpr wchar_t kLetterEscapes[] = {
        L'0', 0, 0, 0, 0, 0, 0, L'a', L'b', L't', L'n', L'v', L'f', L'r', // U+0000..U+000D
    };
    for (const wchar_t c : text) {
        if (NeedsBacktick(c)) {
            out += L'`';
            out += c;
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            // No raw control character (C0, DEL or C1) is ever typed into the console: its line editor
            // drops them or takes them as editing keys.
            if (c < std::size(kLetterEscapes) && kLetterEscapes[c] != 0) {
                out += L'`';
                out += kLetterEscapes[c];
            } else {
                out += L"$([char]" + std::to_wstring(unsigned(c)) + L")";
            }
        } else {
            out += c;
        }
    }
}

} // namespace

std::wstring BuildPsCommand(std::wstring_view password, std::wstring_view psFile) {
    std::wstring cmd = L"(\"";
    AppendQuotedText(cmd, password);
    cmd += L"\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > \"";
    AppendQuotedText(cmd, psFile);
    cmd += L"\"; Exit;";
    return cmd;
}

namespace {

std::wstring DecodeUtf8(const unsigned char* p, size_t n) {
    std::wstring out;
    out.reserve(n);
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        unsigned cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b <= 0xF4) {
            const size_t need = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            unsigned v = b & (0xFF >> (need + 1));
            size_t k = 1;
            for (; k < need && i + k < n && (p[i + k] & 0xC0) == 0x80; ++k) v = (v << 6) | (p[i + k] & 0x3F);
            if (k == need) {
                const unsigned minimum[] = {0, 0, 0x80, 0x800, 0x10000};
                const bool valid = v >= minimum[need] && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF);
                if (valid) cp = v;
                len = valid ? need : 1;
            } else {
                len = k; // a truncated sequence counts as one bad character
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += wchar_t(0xD800 + (cp >> 10));
            out += wchar_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += wchar_t(cp);
        }
        i += len;
    }
    return out;
}

std::wstring DecodeUtf16(const unsigned char* p, size_t n, bool bigEndian) {
    std::wstring out;
    out.reserve(n / 2);
    for (size_t i = 0; i + 1 < n; i += 2)
        out += bigEndian ? wchar_t((p[i] << 8) | p[i + 1]) : wchar_t(p[i] | (p[i + 1] << 8));
    return out;
}

std::wstring DecodeAnsi(const unsigned char* p, size_t n, unsigned codePage) {
    if (n == 0) return {};
    const auto src = reinterpret_cast<const char*>(p);
    const int len = MultiByteToWideChar(codePage, 0, src, int(n), nullptr, 0);
    std::wstring out(size_t(len > 0 ? len : 0), L'\0');
    if (len > 0) MultiByteToWideChar(codePage, 0, src, int(n), out.data(), len);
    return out;
}

} // namespace

std::wstring ReadCryptPassword(const std::vector<unsigned char>& content, unsigned codePage) {
    const unsigned char* p = content.data();
    const size_t n = content.size();
    std::wstring text;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        text = DecodeUtf8(p + 3, n - 3);
    else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        text = DecodeUtf16(p + 2, n - 2, false);
    else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        text = DecodeUtf16(p + 2, n - 2, true);
    else
        text = DecodeAnsi(p, n, codePage);
    return Trim(text);
}

bool IsCryptPassword(std::wstring_view cryptPassword) {
    const auto hexDigit = [](wchar_t c) {
        return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
    };
    return !cryptPassword.empty() && cryptPassword.size() % 2 == 0 &&
           std::all_of(cryptPassword.begin(), cryptPassword.end(), hexDigit);
}

std::array<std::wstring, 3> BuildConfigurationLines(std::wstring_view domain, std::wstring_view username,
                                                    std::wstring_view cryptPassword) {
    return {L"domain:s:" + std::wstring(domain), L"username:s:" + std::wstring(username),
            L"password 51:b:" + std::wstring(cryptPassword)};
}
