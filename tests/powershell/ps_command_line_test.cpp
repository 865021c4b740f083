// Whole typed lines: Corvalin's command for hard passwords, what the same passwords do unescaped, and the
// statements, pipelines and errors around them.
#include "CredentialRules.h"
#include "ps_error.h"
#include "ps_interpreter.h"
#include "recording_host.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::wstring>;

std::wstring ThreeHundredCodeUnits() {
    std::wstring s;
    while (s.size() + 7 <= 300)
        s += L"Ab1$`\"\xE9";
    s += L"xyz123";
    return s;
}

const std::wstring kHardPasswords[] = {
    L"Pa$$w0rd",
    L"a\"b",
    L"`backtick` and ``double``",
    L"\x201C"
    L"smart\x201D \x201E"
    L"quotes\x201C and \x2018single\x2019 'plain'",
    L"$(calc) ${env:PATH} $env:USERNAME $? $^ $",
    L"A\xE7\xE3o S\xE3o Paulo \xF1\xFC \x20AC",
    L"outside the plane \xD83D\xDE00\xD834\xDD1E",
    std::wstring(L"tab\there new\nline cr\rnul") + L'\0' + L"\x01\x07\x08\x0B\x0C\x1B\x1F\x7F",
    L"semi;colon|pipe>gt<lt#hash&amp(paren)",
    L" leading and trailing ",
    ThreeHundredCodeUnits(),
};

const std::wstring kPaths[] = {
    L"C:\\Corvalin\\Corvalin.out",
    L"C:\\Users\\Jos\xE9\\$dir `x\\\x201Cq\x201D \"a\"\\Corvalin.out",
};

TEST(CorvalinCommand, EncryptsExactlyThePasswordAndWritesTheFile) {
    for (const std::wstring& path : kPaths)
        for (const std::wstring& password : kHardPasswords) {
            SCOPED_TRACE(testing::Message() << "password [" << password << "] path [" << path << "]");
            TRecordingHost host;
            const TPsOutcome outcome = RunPsLine(BuildPsCommand(password, path), host);
            EXPECT_EQ(host.errorLines, Lines{});
            EXPECT_EQ(host.protectedTexts, Lines{password});
            ASSERT_EQ(host.writes.size(), 1u);
            EXPECT_EQ(host.writes[0].first, path);
            EXPECT_EQ(host.writes[0].second, Lines{TRecordingHost::Marked(password)});
            EXPECT_TRUE(host.outputs.empty());
            EXPECT_TRUE(outcome.exit);
            EXPECT_EQ(outcome.exitCode, 0);
        }
}

// The password put between the quotation marks as it is, without escapes.
std::wstring UnescapedCommand(const std::wstring& password) {
    return L"(\"" + password +
           L"\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > "
           L"\"C:\\out\\r.out\"; Exit;";
}

TEST(CorvalinCommand, UnescapedPasswordsGoWrongAsInPowerShell) {
    struct Case {
        const wchar_t* password;
        const wchar_t* encrypted; // nullptr: a parse error, and nothing runs
    } cases[] = {
        {L"Pa$$w0rd", L"Paw0rd"},
        {L"a$?b", L"aTrueb"},
        {L"x`ty", L"x\ty"},
        {L"dollar$", L"dollar$"},
        {L"it's", L"it's"},
        {L"a\"\"b", L"a\"b"},
        {L"a\"b", nullptr},
        {L"a\x201D"
         L"b",
         nullptr},
        {L"ends with`", nullptr},
        {L"$(", nullptr},
        {L"$name:", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "password [" << c.password << "]");
        TRecordingHost host;
        const TPsOutcome outcome = RunPsLine(UnescapedCommand(c.password), host);
        if (c.encrypted) {
            EXPECT_EQ(host.errorLines, Lines{});
            EXPECT_EQ(host.protectedTexts, Lines{c.encrypted});
            EXPECT_EQ(host.writes.size(), 1u);
            EXPECT_TRUE(outcome.exit);
        } else {
            EXPECT_FALSE(host.errorLines.empty());
            EXPECT_TRUE(host.protectedTexts.empty());
            EXPECT_TRUE(host.writes.empty());
            EXPECT_FALSE(outcome.exit);
        }
        // the escaped command always gives the password itself
        TRecordingHost escaped;
        RunPsLine(BuildPsCommand(c.password, L"C:\\out\\r.out"), escaped);
        EXPECT_EQ(escaped.protectedTexts, Lines{c.password});
    }
}

TEST(CorvalinCommand, EmptyPasswordIsAnErrorButTheFileIsStillWritten) {
    TRecordingHost host;
    const TPsOutcome outcome = RunPsLine(BuildPsCommand(L"", L"C:\\r.out"), host);
    EXPECT_EQ(host.ErrorIds(), Lines{L"ParameterArgumentValidationErrorEmptyStringNotAllowed"});
    EXPECT_TRUE(host.protectedTexts.empty());
    ASSERT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.writes[0].first, L"C:\\r.out");
    EXPECT_EQ(host.writes[0].second, Lines{});
    EXPECT_TRUE(outcome.exit);
}

struct LineCase {
    const wchar_t* line;
    Lines protectedTexts;
    Lines writtenPaths;
    Lines errorIds;
    Lines outputs;
    bool exits;
    int exitCode;
};

void CheckLines(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "line [" << c.line << "]");
        TRecordingHost host;
        host.failingPath = L"Q:\\missing\\r.out";
        const TPsOutcome outcome = RunPsLine(c.line, host);
        EXPECT_EQ(host.protectedTexts, c.protectedTexts);
        Lines paths;
        for (const auto& w : host.writes)
            paths.push_back(w.first);
        EXPECT_EQ(paths, c.writtenPaths);
        EXPECT_EQ(host.ErrorIds(), c.errorIds);
        EXPECT_EQ(host.outputs, c.outputs);
        EXPECT_EQ(outcome.exit, c.exits);
        EXPECT_EQ(outcome.exitCode, c.exitCode);
    }
}

TEST(CommandLine, SpellingIsAsFreeAsInPowerShell) {
    CheckLines({
        {L"  (  'pw'|convertto-securestring   -asplaintext -FORCE\t)|CONVERTFROM-SECURESTRING>out.txt;EXIT  ",
         {L"pw"},
         {L"out.txt"},
         {},
         {},
         true,
         0},
        {L"(\"pw\" | ConvertTo-SecureString \x2013"
         L"AsPlain \x2014"
         L"f) | ConvertFrom-SecureString > 'a b.out'",
         {L"pw"},
         {L"a b.out"},
         {},
         {},
         false,
         0},
        {L"ConvertTo-SecureString pw -AsPlainText -Force | ConvertFrom-SecureString > C:\\r.out ; exit 3",
         {L"pw"},
         {L"C:\\r.out"},
         {},
         {},
         true,
         3},
        {L"ConvertTo-SecureString -String \"p w\" -Force -AsPlainText|ConvertFrom-SecureString",
         {L"p w"},
         {},
         {},
         {TRecordingHost::Marked(L"p w")},
         false,
         0},
        {L"(\"pw\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > \"f\" # "
         L"comment; exit",
         {L"pw"},
         {L"f"},
         {},
         {},
         false,
         0},
        {L"\"a\" > f.txt; 'b'; ;; exit", {}, {L"f.txt"}, {}, {L"b"}, true, 0},
        {L"", {}, {}, {}, {}, false, 0},
        {L"  ;  ", {}, {}, {}, {}, false, 0},
        {L"exit; 'never'", {}, {}, {}, {}, true, 0},
        {L"\"$(exit 4)\"; 'never'", {}, {}, {}, {}, true, 4},
    });
}

TEST(CommandLine, RuntimeErrorsEndTheirStatementOnly) {
    CheckLines({
        {L"(\"pw\" | ConvertTo-SecureString -AsPlainText) | ConvertFrom-SecureString > f; exit",
         {},
         {L"f"},
         {L"ImportSecureString_InvalidArgument"},
         {},
         true,
         0},
        {L"(\"pw\" | ConvertTo-SecureString -Force) | ConvertFrom-SecureString > f; exit",
         {},
         {L"f"},
         {L"NotSupportedByThisConsole"},
         {},
         true,
         0},
        {L"\"pw\" | ConvertFrom-SecureString > f; exit", {}, {L"f"}, {L"InputObjectNotBound"}, {}, true, 0},
        {L"ConvertTo-SecureString -S pw -AsPlainText -Force > f; exit",
         {},
         {},
         {L"AmbiguousParameter"},
         {},
         true,
         0},
        {L"ConvertTo-SecureString -Foo pw > f; exit", {}, {}, {L"NamedParameterNotFound"}, {}, true, 0},
        {L"ConvertTo-SecureString a b -AsPlainText -Force; exit",
         {},
         {},
         {L"PositionalParameterNotFound"},
         {},
         true,
         0},
        {L"ConvertTo-SecureString -Force -Force a; exit", {}, {}, {L"ParameterAlreadyBound"}, {}, true, 0},
        {L"ConvertTo-SecureString -AsPlainText -Force -String; exit",
         {},
         {},
         {L"MissingArgument"},
         {},
         true,
         0},
        {L"ConvertTo-SecureString $null -AsPlainText -Force; exit",
         {},
         {},
         {L"ParameterArgumentValidationErrorNullNotAllowed"},
         {},
         true,
         0},
        {L"ConvertFrom-SecureString > f; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, true, 0},
        {L"Get-Date > f; exit", {}, {}, {L"CommandNotFoundException"}, {}, true, 0},
        {L"(\"pw\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > "
         L"Q:\\missing\\r.out; exit",
         {L"pw"},
         {},
         {L"FileOpenFailure"},
         {},
         true,
         0},
        {L"\"a\" > $undefined; exit", {}, {}, {L"ParameterArgumentValidationError"}, {}, true, 0},
        {L"[char]70000; 'next'", {}, {}, {L"InvalidCastIConvertible"}, {L"next"}, false, 0},
    });
}

TEST(CommandLine, ParseErrorsStopTheWholeLine) {
    CheckLines({
        {L"(\"pw\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > f; exit; "
         L"\"a\"b",
         {},
         {},
         {L"UnexpectedToken"},
         {},
         false,
         0},
        {L"\"a\" | | ConvertFrom-SecureString; exit", {}, {}, {L"EmptyPipeElement"}, {}, false, 0},
        {L"| exit", {}, {}, {L"EmptyPipeElement"}, {}, false, 0},
        {L"\"a\" > ; exit", {}, {}, {L"MissingFileSpecification"}, {}, false, 0},
        {L"() ; exit", {}, {}, {L"ExpectedExpression"}, {}, false, 0},
        {L"(\"a\" ; exit", {}, {}, {L"MissingEndParenthesisInExpression"}, {}, false, 0},
        {L"$(1", {}, {}, {L"MissingEndParenthesisInSubexpression"}, {}, false, 0},
        {L"exit )", {}, {}, {L"UnexpectedToken"}, {}, false, 0},
        {L"\"a\" | \"b\"; exit", {}, {}, {L"ExpressionsMustBeFirstInPipeline"}, {}, false, 0},
        {L"ConvertFrom-SecureString < f; exit", {}, {}, {L"RedirectionNotSupported"}, {}, false, 0},
        // PowerShell, but beyond this console: refused before anything runs
        {L"\"a\" + \"b\" > f; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, false, 0},
        {L"\"a\" >> f; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, false, 0},
        {L"ConvertTo-SecureString 2> f; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, false, 0},
        {L"ConvertTo-SecureString -AsPlainText:$true a; exit",
         {},
         {},
         {L"NotSupportedByThisConsole"},
         {},
         false,
         0},
        {L"ConvertTo-SecureString a\"b\"; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, false, 0},
        {L"[int]5; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, false, 0},
        {L"& foo; exit", {}, {}, {L"NotSupportedByThisConsole"}, {}, false, 0},
    });
}

TEST(CommandLine, HostFailuresAreReported) {
    TRecordingHost host;
    host.protectFails = true;
    const TPsOutcome outcome = RunPsLine(BuildPsCommand(L"pw", L"C:\\r.out"), host);
    EXPECT_EQ(host.ErrorIds(), Lines{L"System.Security.Cryptography.CryptographicException"});
    ASSERT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.writes[0].second, Lines{});
    EXPECT_TRUE(outcome.exit);
}

TEST(ErrorDisplay, ShowsWhereAndWhatAsPowerShellDoes) {
    TRecordingHost parse;
    RunPsLine(L"(\"a\"b\" | x)", parse);
    EXPECT_EQ(parse.errorLines, (Lines{
                                    L"At line:1 char:5",
                                    L"+ (\"a\"b\" | x)",
                                    L"+     ~~",
                                    L"Unexpected token 'b\"' in expression or statement.",
                                    L"    + CategoryInfo          : " + PARSE_ERROR_CATEGORY,
                                    L"    + FullyQualifiedErrorId : UnexpectedToken",
                                }));

    TRecordingHost runtime;
    const std::wstring line = std::wstring(80, L' ') + L"Get-Thing";
    RunPsLine(line, runtime);
    ASSERT_GE(runtime.errorLines.size(), 4u);
    EXPECT_EQ(runtime.errorLines[0].rfind(L"Get-Thing : The term 'Get-Thing' is not recognized", 0), 0u);
    EXPECT_EQ(runtime.errorLines[1], L"At line:1 char:81");
    // a long line is quoted around the error, and the marks stand under the command
    EXPECT_EQ(runtime.errorLines[2].rfind(L"+ ... ", 0), 0u);
    const size_t column = runtime.errorLines[2].find(L"Get-Thing");
    EXPECT_EQ(runtime.errorLines[3], std::wstring(L"+") + std::wstring(column - 1, L' ') + L"~~~~~~~~~");
}

} // namespace
