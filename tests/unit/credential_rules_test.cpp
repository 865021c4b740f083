// The credential text rules, without any window.
#include "CredentialRules.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

struct SplitCase {
    const wchar_t* field;
    size_t pieces;
    const wchar_t* domain; // nullptr: DOMAIN_DEFAULT
    const wchar_t* username;
    const std::wstring* check; // nullptr: passes
};

TEST(SplitDomainUser, WorkedCases) {
    const SplitCase cases[] = {
        {L"maria", 1, nullptr, L"maria", nullptr},
        {L"SALES\\maria", 2, L"SALES", L"maria", nullptr},
        {L" SALES \\ maria ", 2, L"SALES", L"maria", nullptr},
        {L"SALES\\ maria ", 2, L"SALES", L"maria", nullptr},
        {L"\\maria", 2, L"", L"maria", nullptr},
        {L"SALES\\maria\\extra", 3, L"SALES", L"maria", nullptr},
        {L"SALES\\", 2, L"SALES", L"", &USERNAME_IS_EMPTY},
        {L"SALES\\\\maria", 3, L"SALES", L"", &USERNAME_IS_EMPTY},
        {L"\\", 2, L"", L"", &USERNAME_IS_EMPTY},
        {L"", 0, nullptr, L"", &USERNAME_IS_EMPTY},
        {L"   \t ", 0, nullptr, L"", &USERNAME_IS_EMPTY},
        {L"SALES/maria", 1, nullptr, L"SALES/maria", nullptr},
        {L"maria@SALES", 1, nullptr, L"maria@SALES", nullptr},
        {L"sales\\Maria", 2, L"sales", L"Maria", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field [" << c.field << "]");
        const TDomainUser r = SplitDomainUser(c.field);
        EXPECT_EQ(r.du.size(), c.pieces);
        EXPECT_EQ(r.domain, c.domain ? std::wstring(c.domain) : DOMAIN_DEFAULT);
        EXPECT_EQ(r.username, c.username);
        const TCredentialCheck check = ValidateCredentials(r.username, L"secret");
        EXPECT_EQ(check.failure, c.check);
    }
}

TEST(TrimRule, RemovesEverythingUpToSpaceAtBothEndsOnly) {
    // U+0000..U+0020 go at both ends; U+0021 and the no-break space U+00A0 stay, and nothing inside moves.
    std::wstring field = std::wstring(1, L'\0') + L"\x01\x1F \t\r\nmaria  da\tsilva\x20\x19";
    EXPECT_EQ(SplitDomainUser(field).username, L"maria  da\tsilva");
    EXPECT_EQ(SplitDomainUser(L"\x00A0maria\x00A0").username, L"\x00A0maria\x00A0");
    EXPECT_EQ(SplitDomainUser(L"!maria!").username, L"!maria!");
    EXPECT_EQ(SplitDomainUser(L"\x7Fmaria\x7F").username, L"\x7Fmaria\x7F"); // DEL is no blank
    EXPECT_EQ(ReadCryptPassword({0x7F, '0', '1', 0x21}, 1252), L"\x7F" L"01!");
    EXPECT_EQ(ValidateCredentials(L"maria", L"\x20\x21\x20").password, L"!");
}

TEST(ValidateCredentials, ChecksInOrderAndTrimsThePassword) {
    EXPECT_EQ(ValidateCredentials(L"", L"").failure, &USERNAME_IS_EMPTY);
    EXPECT_EQ(ValidateCredentials(L"", L"secret").failure, &USERNAME_IS_EMPTY);
    EXPECT_EQ(ValidateCredentials(L"maria", L"").failure, &PASSWORD_IS_EMPTY);
    EXPECT_EQ(ValidateCredentials(L"maria", L" \t\r\n ").failure, &PASSWORD_IS_EMPTY);

    const TCredentialCheck ok = ValidateCredentials(L"maria", L"  pass word\t ");
    EXPECT_TRUE(ok.Passed());
    EXPECT_EQ(ok.password, L"pass word");
    EXPECT_EQ(ValidateCredentials(L"maria", L"\x00A0").password, L"\x00A0");
}

TEST(GetPsFile, ReplacesOrAppendsTheExtension) {
    const struct {
        const wchar_t* exe;
        const wchar_t* out;
    } cases[] = {
        {L"C:\\Tools\\gen.exe", L"C:\\Tools\\gen.out"},
        {L"C:\\Tools.old\\gen", L"C:\\Tools.old\\gen.out"},
        {L"C:\\Tools\\Corvalin.Setup.exe", L"C:\\Tools\\Corvalin.Setup.out"},
        {L"C:gen", L"C:gen.out"},
        {L"C:.\\gen", L"C:.\\gen.out"},
        {L"gen", L"gen.out"},
        {L"C:\\Tools\\gen.", L"C:\\Tools\\gen.out"},
        {L"C:\\a.b/gen", L"C:\\a.out"}, // a slash is not a separator here
        // A colon after the last point is a separator too: the name has no extension of its own.
        {L"C:\\Tools\\gen.txt:stream", L"C:\\Tools\\gen.txt:stream.out"},
        {L"a.b:c.exe", L"a.b:c.out"},
        {L"a.b\\c:d", L"a.b\\c:d.out"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetPsFile(c.exe), c.out) << c.exe;
}

TEST(BuildPsCommand, PlainPasswordGivesTheFixedCommand) {
    const std::wstring cmd = BuildPsCommand(L"s3cr3t pass", L"C:\\Tools\\gen.out");
    EXPECT_EQ(cmd, L"(\"s3cr3t pass\" | ConvertTo-SecureString -AsPlainText -Force) | "
                   L"ConvertFrom-SecureString > \"C:\\Tools\\gen.out\"; Exit;");
    EXPECT_EQ(cmd.size(), 88u + 11u + 16u);
    const std::wstring accented = L"Sénha'ção\x00A0\xD83D\xDE00";
    EXPECT_EQ(BuildPsCommand(accented, L"x").size(), 88u + accented.size() + 1u);
}

TEST(BuildPsCommand, EscapesWhatPowerShellWouldInterpret) {
    const struct {
        std::wstring password;
        std::wstring quoted;
    } cases[] = {
        {L"Pa$$w0rd", L"Pa`$`$w0rd"},
        {L"a\"b", L"a`\"b"},
        {L"tick`", L"tick``"},
        {L"\x201C" L"x\x201D" L"y\x201E", L"`\x201C" L"x`\x201D" L"y`\x201E"},
        {L"$(calc)${x}", L"`$(calc)`${x}"},
        {L"it's \x2018q\x2019", L"it's \x2018q\x2019"}, // single quotes mean nothing inside double quotes
        {L"a\tb", L"a`tb"},
        {std::wstring(L"a\0b", 3), L"a`0b"},
        {L"\a\b\f\n\r\v", L"`a`b`f`n`r`v"},
        {L"x\x01y\x1Fz", L"x$([char]1)y$([char]31)z"},
        // The ends of the letter escapes (U+0000, U+0007 to U+000D) and what lies just outside them.
        {L"\x06|\x0E|\x1B| ", L"$([char]6)|$([char]14)|$([char]27)| "},
        // DEL and the C1 controls are control characters too; the characters around them are not.
        {L"~\x7F\x80\x85\x9F\xA0", L"~$([char]127)$([char]128)$([char]133)$([char]159)\xA0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildPsCommand(c.password, L"C:\\o.out"),
                  L"(\"" + c.quoted +
                      L"\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > "
                      L"\"C:\\o.out\"; Exit;");
    }
    EXPECT_EQ(BuildPsCommand(L"p", L"C:\\$dir`\\a\"b.out"),
              L"(\"p\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > "
              L"\"C:\\`$dir``\\a`\"b.out\"; Exit;");
}

std::vector<unsigned char> Bytes(std::initializer_list<int> list) {
    std::vector<unsigned char> v;
    for (int b : list) v.push_back(static_cast<unsigned char>(b));
    return v;
}

std::vector<unsigned char> Utf16(const std::wstring& s, bool bigEndian) {
    std::vector<unsigned char> v = bigEndian ? Bytes({0xFE, 0xFF}) : Bytes({0xFF, 0xFE});
    for (wchar_t c : s) {
        const unsigned char lo = c & 0xFF, hi = (c >> 8) & 0xFF;
        v.push_back(bigEndian ? hi : lo);
        v.push_back(bigEndian ? lo : hi);
    }
    return v;
}

TEST(ReadCryptPassword, DecodesByByteOrderMarkAndTrims) {
    EXPECT_EQ(ReadCryptPassword(Utf16(L"01000000d08c\r\n", false), 1252), L"01000000d08c");
    EXPECT_EQ(ReadCryptPassword(Utf16(L"01000000d08c\r\n", true), 1252), L"01000000d08c");
    EXPECT_EQ(ReadCryptPassword(Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9, 0xF0, 0x9F, 0x98, 0x80, '\n'}), 1252),
              L"a\x00E9\xD83D\xDE00");
    // Without a mark, one byte per character in the ANSI code page.
    EXPECT_EQ(ReadCryptPassword(Bytes({' ', '0', '1', 'a', 'f', '\r', '\n'}), 1252), L"01af");
    EXPECT_EQ(ReadCryptPassword(Bytes({'S', 0xE3, 'o'}), 1252), L"S\x00E3o");
    EXPECT_EQ(ReadCryptPassword(Bytes({'S', 0xE3, 'o'}), 1251), L"S\x0433o");
    // A line break inside stays; the text is not cut into lines.
    EXPECT_EQ(ReadCryptPassword(Utf16(L"ab\r\ncd\r\n", false), 1252), L"ab\r\ncd");
}

TEST(ReadCryptPassword, EmptyOrBlankFileGivesEmptyText) {
    EXPECT_EQ(ReadCryptPassword({}, 1252), L"");
    EXPECT_EQ(ReadCryptPassword(Bytes({0xFF, 0xFE}), 1252), L"");
    EXPECT_EQ(ReadCryptPassword(Bytes({0xEF, 0xBB, 0xBF}), 1252), L"");
    EXPECT_EQ(ReadCryptPassword(Bytes({' ', '\r', '\n', '\t'}), 1252), L"");
    EXPECT_EQ(ReadCryptPassword(Utf16(L" \r\n", false), 1252), L"");
}

TEST(IsCryptPassword, OnlyOneEvenRunOfHexadecimalDigits) {
    const struct {
        const wchar_t* text;
        bool valid;
    } cases[] = {
        {L"01000000d08c9ddf", true},
        {L"01000000D08C9DDF", true},
        {L"0aF9", true},
        {L"", false},         // the file was created, and nothing was written into it
        {L"abc", false},      // odd: not whole bytes
        {L"01 00", false},    // a blank inside
        {L"01\r\n00", false}, // two lines
        {L"0g", false},
        {L"/0", false}, // the characters next to the digits and letters
        {L"0:", false},
        {L"@A", false},
        {L"FG", false},
        {L"`a", false},
        {L"fg", false},
        {L"\xFF10\xFF11", false}, // full-width digits are not hexadecimal digits
        {L"ConvertFrom-SecureString : Key not valid for use in specified state.", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCryptPassword(c.text), c.valid) << c.text;
}

TEST(GetPsFolder, TheFolderOfTheResultFile) {
    const struct {
        const wchar_t* psFile;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Tools\\Corvalin.out", L"C:\\Tools"},
        {L"C:\\Corvalin.out", L"C:\\"},
        {L"\\\\server\\share\\Corvalin.out", L"\\\\server\\share"},
        {L"Z:\\a.b\\c\\Corvalin.out", L"Z:\\a.b\\c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPsFolder(c.psFile), c.folder) << c.psFile;
}

TEST(BuildConfigurationLines, PrefixesEachValue) {
    const auto lines = BuildConfigurationLines(L"SALES", L"maria", L"0100ab");
    EXPECT_EQ(lines[0], L"domain:s:SALES");
    EXPECT_EQ(lines[1], L"username:s:maria");
    EXPECT_EQ(lines[2], L"password 51:b:0100ab");
    const auto empty = BuildConfigurationLines(L"", L"maria", L"");
    EXPECT_EQ(empty[0], L"domain:s:");
    EXPECT_EQ(empty[2], L"password 51:b:");
}

TEST(Constants, ExactTexts) {
    EXPECT_EQ(PS_COMMAND_COPY_MESSAGE.size(), 121u);
    EXPECT_EQ(PS_COMMAND_COPY_MESSAGE.find(L"\r\r"), 77u);
    EXPECT_EQ(PS_COMMAND_COPY_MESSAGE.find(L'\n'), std::wstring::npos);
    EXPECT_EQ(USERNAME_IS_EMPTY, std::wstring(L"Username est\x00E1 vazio."));
    EXPECT_EQ(PS_NOT_FOUND_MESSAGE, std::wstring(L"PowerShell n\x00E3o encontrado."));
    EXPECT_EQ(PS_FILE_NOT_FOUND_MESSAGE, std::wstring(L"Arquivo de senha n\x00E3o encontrado."));
    EXPECT_EQ(PS_FILE_NOT_DELETED_MESSAGE,
              std::wstring(L"N\x00E3o foi poss\x00EDvel apagar o arquivo de senha anterior."));
    EXPECT_EQ(
        PS_FILE_INVALID_MESSAGE,
        std::wstring(L"Arquivo de senha inv\x00E1lido: o PowerShell n\x00E3o gerou a senha criptografada."));
}

} // namespace
