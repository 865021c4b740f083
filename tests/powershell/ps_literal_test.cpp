// The string literals of the console's language, read as Windows PowerShell 5.1 reads them.
#include "ps_interpreter.h"
#include "recording_host.h"

#include <gtest/gtest.h>

namespace {

struct LiteralCase {
    const wchar_t* source;  // a whole line: one expression whose value is printed
    const wchar_t* value;   // the printed text, or nullptr when an error is expected
    const wchar_t* errorId; // the error expected instead
};

// Strings with embedded NULs do not fit a C literal: "\0" spelled out by the table is restored here.
std::wstring WithNul(const wchar_t* text) {
    std::wstring s(text);
    for (wchar_t& c : s)
        if (c == L'\x2400') c = L'\0'; // U+2400 SYMBOL FOR NULL stands for NUL in the table
    return s;
}

void CheckLiterals(const std::vector<LiteralCase>& cases) {
    for (const LiteralCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "line [" << c.source << "]");
        TRecordingHost host;
        const TPsOutcome outcome = RunPsLine(c.source, host);
        EXPECT_FALSE(outcome.exit);
        if (c.value) {
            EXPECT_EQ(host.errorLines, std::vector<std::wstring>{});
            EXPECT_EQ(host.outputs, std::vector<std::wstring>{WithNul(c.value)});
        } else {
            EXPECT_TRUE(host.outputs.empty());
            EXPECT_EQ(host.ErrorIds(), std::vector<std::wstring>{c.errorId});
        }
    }
}

TEST(DoubleQuotedString, BacktickEscapes) {
    CheckLiterals({
        {L"\"plain text\"", L"plain text", nullptr},
        {L"\"a`0b\"",
         L"a\x2400"
         L"b",
         nullptr},
        {L"\"`a`b`f`n`r`t`v\"", L"\a\b\f\n\r\t\v", nullptr},
        // 5.1 has no `e or `u{}; escapes are case-sensitive; any other character stands for itself
        {L"\"`e`u`N`T`x`'`$`\"``\"", L"euNTx'$\"`", nullptr},
        {L"\"a`\x201C"
         L"b`\x201D"
         L"c`\x201E"
         L"d\"",
         L"a\x201C"
         L"b\x201D"
         L"c\x201E"
         L"d",
         nullptr},
        {L"\"\xD83D\xDE00`\xD83D\xDE00\"", L"\xD83D\xDE00\xD83D\xDE00", nullptr},
        {L"\"abc`\"", nullptr, L"TerminatorExpectedAtEndOfString"},
        {L"\"abc", nullptr, L"TerminatorExpectedAtEndOfString"},
    });
}

TEST(DoubleQuotedString, QuotationMarks) {
    CheckLiterals({
        {L"\"a\"\"b\"", L"a\"b", nullptr},
        {L"\"\"", L"", nullptr},
        {L"\"\"\"\"", L"\"", nullptr},
        // the typographic marks open and close a string like the plain one, in any combination
        {L"\x201C"
         L"abc\x201D",
         L"abc", nullptr},
        {L"\x201E"
         L"abc\x201C",
         L"abc", nullptr},
        {L"\"abc\x201D", L"abc", nullptr},
        // two marks in a row give one: the second
        {L"\"a\x201C\x201D"
         L"b\"",
         L"a\x201D"
         L"b",
         nullptr},
        {L"\"it's 'quoted' \x2018here\x2019\"", L"it's 'quoted' \x2018here\x2019", nullptr},
        {L"\"a\"b\"", nullptr, L"UnexpectedToken"},
        {L"\"a\x201C"
         L"b\"",
         nullptr, L"UnexpectedToken"},
    });
}

TEST(DoubleQuotedString, Variables) {
    CheckLiterals({
        // a fresh console: $$ and $^ are null, $? is True
        {L"\"Pa$$w0rd\"", L"Paw0rd", nullptr},
        {L"\"a$?b\"", L"aTrueb", nullptr},
        {L"\"x$^y\"", L"xy", nullptr},
        {L"\"[$undefined]\"", L"[]", nullptr},
        {L"\"[${undefined}x]\"", L"[x]", nullptr},
        {L"\"[${a b`}c}]\"", L"[]", nullptr},
        {L"\"$true $FALSE [$null]\"", L"True False []", nullptr},
        {L"\"$env:CORVALIN_TEST_VAR/${env:corvalin_test_var}\"", L"from env/from env", nullptr},
        {L"\"$global:HOME|$Home\"", L"C:\\Users\\maria|C:\\Users\\maria", nullptr},
        {L"\"a$a?b\"", L"a", nullptr},           // "?" continues a name
        {L"\"a$\xE9t\xE9 b\"", L"a b", nullptr}, // a letter outside ASCII starts a name
        // a dollar sign that starts nothing stays
        {L"\"a$ b$-c$\x20AC d$\xD83D\xDE00$\"", L"a$ b$-c$\x20AC d$\xD83D\xDE00$", nullptr},
        {L"\"$:x\"", L"$:x", nullptr},
        {L"\"$name: text\"", nullptr, L"InvalidVariableReferenceWithDrive"},
        // Two colons end the name: only one colon followed by a name character makes a drive-qualified one.
        {L"\"$name::text\"", L"::text", nullptr},
        {L"\"$true::x::y\"", L"True::x::y", nullptr},
        {L"\"a$env:CORVALIN_TEST_VAR::b\"", L"afrom env::b", nullptr},
        {L"\"${}\"", nullptr, L"EmptyVariableReference"},
        {L"\"${abc\"", nullptr, L"IncompleteDollarVariableReference"},
    });
}

TEST(DoubleQuotedString, Subexpressions) {
    CheckLiterals({
        {L"\"a$([char]7)b\"", L"a\ab", nullptr},
        {L"\"$([char]0)|$([char]31)|$([CHAR]0x41)|$( [System.Char] 66 )\"", L"\x2400|\x1F|A|B", nullptr},
        {L"\"$([char]'x')\"", L"x", nullptr},
        {L"\"$([char]127)|$([char]128)|$([char]159)\"", L"\x7F|\x80|\x9F", nullptr},
        {L"\"a$(\"in`\"ner\")c\"", L"ain\"nerc", nullptr},
        {L"\"$(1; 2)|$()\"", L"1 2|", nullptr},
        {L"\"$([char]65536)\"", nullptr, L"InvalidCastIConvertible"},
        {L"\"$([char]'ab')\"", nullptr, L"InvalidCastParseTargetInvocation"},
        {L"\"$([char]\"", nullptr, L"TerminatorExpectedAtEndOfString"},
        {L"\"a$(b\"", nullptr, L"TerminatorExpectedAtEndOfString"},
        {L"\"$(\"", nullptr, L"TerminatorExpectedAtEndOfString"},
    });
}

TEST(SingleQuotedString, NothingExpands) {
    CheckLiterals({
        {L"'a$b`n$(x)\"c'", L"a$b`n$(x)\"c", nullptr},
        {L"'it''s'", L"it's", nullptr},
        {L"\x2018it\x2019\x2019s\x201B", L"it\x2019s", nullptr},
        {L"'\x201C\x201D'", L"\x201C\x201D", nullptr},
        {L"''", L"", nullptr},
        {L"'abc", nullptr, L"TerminatorExpectedAtEndOfString"},
        {L"'it's'", nullptr, L"UnexpectedToken"},
    });
}

} // namespace
