#include "layout_tokenizer.h"

#include "sysutils.h"

namespace {
bool IsIdentStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsIdentChar(wchar_t c) {
    return IsIdentStart(c) || IsDigit(c);
}

int HexDigit(wchar_t c) {
    if (IsDigit(c)) return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

// How a character the layout may not hold is named in an error.
std::wstring Shown(wchar_t c) {
    if (c > L' ' && c < 127) return L"\"" + std::wstring(1, c) + L"\"";
    return L"#" + std::to_wstring(unsigned(c));
}

constexpr unsigned long long IntegerLimit = 1ull << 63; // magnitude of the most negative integer
} // namespace

bool TLayoutToken::IsIdentifier(std::wstring_view Keyword) const {
    return Kind == TLayoutTokenKind::Identifier && SameText(Text, Keyword);
}

TLayoutTokenizer::TLayoutTokenizer(std::wstring_view Text) : FText(Text) {
    if (Peek() == 0xFEFF) ++FPos; // a byte-order mark left by the decoding
    Next();
}

void TLayoutTokenizer::Next() {
    SkipBlanks();
    FCurrent = TLayoutToken();
    FCurrent.Line = FLine;
    if (AtEnd()) return;
    const wchar_t c = Peek();
    if (IsIdentStart(c))
        ReadIdentifier();
    else if (IsDigit(c) || c == L'$' || (c == L'-' && (IsDigit(Peek(1)) || Peek(1) == L'$')))
        ReadNumber();
    else if (c == L'\'' || c == L'#')
        ReadString();
    else if (std::wstring_view(L"=:.[],+").find(c) != std::wstring_view::npos) {
        FCurrent.Kind = TLayoutTokenKind::Symbol;
        FCurrent.Text.assign(1, c);
        ++FPos;
    } else
        Invalid(L"invalid character " + Shown(c));
}

void TLayoutTokenizer::SkipBlanks() {
    while (!AtEnd() && (Peek() == L' ' || Peek() == L'\t' || Peek() == L'\r' || Peek() == L'\n')) {
        if (Peek() == L'\n') ++FLine;
        ++FPos;
    }
}

void TLayoutTokenizer::ReadIdentifier() {
    const size_t start = FPos;
    while (!AtEnd() && IsIdentChar(Peek()))
        ++FPos;
    FCurrent.Kind = TLayoutTokenKind::Identifier;
    FCurrent.Text = std::wstring(FText.substr(start, FPos - start));
}

void TLayoutTokenizer::ReadNumber() {
    const bool negative = Peek() == L'-';
    if (negative) ++FPos;
    const bool hex = Peek() == L'$';
    if (hex) ++FPos;
    const unsigned base = hex ? 16 : 10;
    unsigned long long magnitude = 0;
    bool overflow = false;
    size_t digits = 0;
    for (int d; !AtEnd() && (d = HexDigit(Peek())) >= 0 && unsigned(d) < base; ++FPos, ++digits) {
        if (magnitude > (IntegerLimit - unsigned(d)) / base) overflow = true;
        magnitude = magnitude * base + unsigned(d);
    }
    if (digits == 0 || (!AtEnd() && (IsIdentChar(Peek()) || Peek() == L'.'))) {
        while (!AtEnd() && (IsIdentChar(Peek()) || Peek() == L'.'))
            ++FPos;
        return Invalid(L"invalid number");
    }
    if (overflow || (!negative && magnitude == IntegerLimit)) return Invalid(L"integer out of range");
    FCurrent.Kind = TLayoutTokenKind::Integer;
    FCurrent.Integer = negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
}

// Quoted runs ('' stands for one quote) and character codes (#225, #$E1), written without a gap between
// them, make one string.
void TLayoutTokenizer::ReadString() {
    std::wstring text;
    for (;;) {
        if (Peek() == L'\'') {
            ++FPos;
            for (;;) {
                if (AtEnd() || Peek() == L'\n' || Peek() == L'\r') return Invalid(L"unterminated string");
                if (Peek() == L'\'') {
                    if (Peek(1) != L'\'') break;
                    ++FPos;
                }
                text += Peek();
                ++FPos;
            }
            ++FPos;
        } else if (Peek() == L'#') {
            ++FPos;
            const bool hex = Peek() == L'$';
            if (hex) ++FPos;
            const unsigned base = hex ? 16 : 10;
            unsigned long code = 0;
            size_t digits = 0;
            for (int d; !AtEnd() && (d = HexDigit(Peek())) >= 0 && unsigned(d) < base; ++FPos, ++digits)
                if ((code = code * base + unsigned(d)) > 0xFFFF) code = 0x10000;
            if (digits == 0 || code > 0xFFFF) return Invalid(L"invalid character code");
            text += static_cast<wchar_t>(code);
        } else
            break;
    }
    FCurrent.Kind = TLayoutTokenKind::String;
    FCurrent.Text = std::move(text);
}

void TLayoutTokenizer::Invalid(std::wstring Message) {
    FCurrent.Kind = TLayoutTokenKind::Invalid;
    FCurrent.Text = std::move(Message);
    // Nothing after an invalid token is read: the reader stops at it.
    FPos = FText.size();
}
