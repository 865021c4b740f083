#pragma once
// Splits the text of a stored layout into identifiers, integers, strings and symbols, with line numbers.
// A string token is already decoded: 'Usu'#225'rio' gives one string with the character U+00E1.
#include <string>
#include <string_view>

enum class TLayoutTokenKind { Identifier, Integer, String, Symbol, EndOfText, Invalid };

struct TLayoutToken {
    TLayoutTokenKind Kind = TLayoutTokenKind::EndOfText;
    // The identifier, the decoded string, the symbol character, or for Invalid what is wrong.
    std::wstring Text;
    long long Integer = 0;
    int Line = 1;

    bool IsSymbol(wchar_t Symbol) const {
        return Kind == TLayoutTokenKind::Symbol && Text.size() == 1 && Text[0] == Symbol;
    }
    bool IsIdentifier(std::wstring_view Keyword) const;
};

class TLayoutTokenizer {
public:
    explicit TLayoutTokenizer(std::wstring_view Text);

    const TLayoutToken& Current() const { return FCurrent; }
    void Next();

private:
    wchar_t Peek(size_t Ahead = 0) const { return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : L'\0'; }
    bool AtEnd() const { return FPos >= FText.size(); }
    void SkipBlanks();
    void ReadIdentifier();
    void ReadNumber();
    void ReadString();
    void Invalid(std::wstring Message);

    std::wstring_view FText;
    size_t FPos = 0;
    int FLine = 1;
    TLayoutToken FCurrent;
};
