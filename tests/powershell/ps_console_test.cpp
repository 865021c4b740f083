// The built console driven from another process as Corvalin drives it: its window found by class or
// title, the command typed as WM_CHAR messages, Enter posted, and the result file decrypted with DPAPI.
#include "CredentialRules.h"
#include "console_process.h"
#include "ps_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <dpapi.h>
#include <tlhelp32.h>

#include <memory>

namespace {

using Bytes = std::vector<unsigned char>;
using TFaults = std::map<std::wstring, std::wstring>;

constexpr DWORD kAnswerMs = 5000; // what Corvalin waits for the result file

struct TLocalFree {
    void operator()(void* p) const { LocalFree(p); }
};

// The hexadecimal text of a result file as PowerShell writes it: UTF-16LE with its byte-order mark and a
// closing CR LF; the text itself lower-case hexadecimal. Empty when the file is not of that form.
std::string HexOfResultFile(const Bytes& bytes) {
    if (bytes.size() < 6 || bytes[0] != 0xFF || bytes[1] != 0xFE || bytes.size() % 2 != 0) return {};
    const size_t n = bytes.size();
    if (bytes[n - 4] != '\r' || bytes[n - 3] != 0 || bytes[n - 2] != '\n' || bytes[n - 1] != 0) return {};
    std::string hex;
    for (size_t i = 2; i + 4 < n; i += 2) {
        const char c = char(bytes[i]);
        const bool lowerHex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
        if (bytes[i + 1] != 0 || !lowerHex) return {};
        hex += c;
    }
    return hex.size() % 2 == 0 ? hex : std::string();
}

struct TDecrypted {
    bool ok = false;
    std::wstring text;
    std::wstring description;
};

TDecrypted Decrypt(const std::string& hex) {
    Bytes blob;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        blob.push_back((unsigned char)std::stoi(hex.substr(i, 2), nullptr, 16));
    DATA_BLOB in{DWORD(blob.size()), blob.data()};
    DATA_BLOB out{};
    wchar_t* description = nullptr;
    TDecrypted result;
    if (!CryptUnprotectData(&in, &description, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return result;
    const std::unique_ptr<void, TLocalFree> data(out.pbData), text(description);
    result.ok = true;
    result.text.assign(reinterpret_cast<const wchar_t*>(out.pbData), out.cbData / sizeof(wchar_t));
    result.description = description ? description : L"(none)";
    return result;
}

// The password in the result file, checked to be of PowerShell's form and made by DPAPI with an empty
// description.
void ExpectResultFile(const std::wstring& path, const std::wstring& password) {
    DWORD error = 0;
    const auto bytes = ReadDenyingWrite(path, &error);
    ASSERT_TRUE(bytes) << "open failed with error " << error;
    const std::string hex = HexOfResultFile(*bytes);
    ASSERT_FALSE(hex.empty()) << "not UTF-16LE with BOM, lower-case hex and CR LF";
    const TDecrypted decrypted = Decrypt(hex);
    ASSERT_TRUE(decrypted.ok);
    EXPECT_EQ(decrypted.text, password);
    EXPECT_EQ(decrypted.description, L"");
}

HWND ClassWindow() {
    return FindWindowW(PS_WINDOW_CLASS.c_str(), nullptr);
}
HWND TitleWindow() {
    return FindWindowW(nullptr, PS_WINDOW_NAME.c_str());
}

std::wstring ThreeHundredCodeUnits() {
    std::wstring s;
    while (s.size() + 8 <= 300)
        s += L"\xE9$`\"\xD83D\xDE00 a";
    s += L"xyz";
    s.resize(300, L'!');
    return s;
}

TEST(ConsoleProcess, AnswersCorvalinsCommandWithAFileThatDecryptsToThePassword) {
    const struct {
        std::wstring password;
        const wchar_t* directory;
    } cases[] = {
        {L"Pa$$w0rd", L"plain"},
        {L"A\xE7\xE3o S\xE3o Jos\xE9 \xF1 \x20AC", L"plain"},
        {L"outside the plane \xD83D\xDE00\xD834\xDD1E", L"plain"},
        {L"quotes \"a\" \x201C"
         L"b\x201D \x201E"
         L"c\x201C 'd' \x2018"
         L"e\x2019 `backtick` ${x} $(y) $? $^ $$",
         L"plain"},
        {std::wstring(L"control\t\r\n") + L'\0' +
             L"\x01\x1B"
             L"end",
         L"plain"},
        {L"DEL \x7F and C1 \x80\x85\x9F end", L"plain"},
        {ThreeHundredCodeUnits(), L"plain"},
        {L"in an awkward folder", L"Pasta $x `y` \x201Cz\x201D \xE7\xE3o"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "password [" << c.password << "] folder [" << c.directory << "]");
        const TScratchDirectory folder(c.directory);
        const std::wstring file = folder.Path() + L"\\Corvalin.out";
        TConsoleProcess console;
        ASSERT_TRUE(console.Started());
        const HWND window = console.WaitForWindow(kAnswerMs);
        ASSERT_TRUE(window);
        EXPECT_EQ(ClassWindow(), window);
        EXPECT_EQ(TitleWindow(), window);

        TypeLine(window, BuildPsCommand(c.password, file));
        ASSERT_TRUE(console.WaitForExit(kAnswerMs)) << "the console did not exit";
        EXPECT_EQ(console.ExitCode(), 0u);
        ExpectResultFile(file, c.password);
    }
}

TEST(ConsoleProcess, AParseErrorWritesNothingAndTheConsoleGoesOn) {
    const TScratchDirectory folder(L"parse");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console;
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);

    // the password a"b without its escape: a parse error in PowerShell, so not even "Exit" runs
    TypeLine(window,
             L"(\"a\"b\" | ConvertTo-SecureString -AsPlainText -Force) | ConvertFrom-SecureString > \"" +
                 file + L"\"; Exit;");
    EXPECT_FALSE(console.WaitForExit(1500));
    EXPECT_FALSE(WaitForFile(file, 0));

    TypeLine(window, BuildPsCommand(L"a\"b", file));
    ASSERT_TRUE(console.WaitForExit(kAnswerMs));
    ExpectResultFile(file, L"a\"b");
}

TEST(ConsoleProcess, AnEmptyPasswordLeavesAFileWithTheByteOrderMarkOnly) {
    const TScratchDirectory folder(L"empty");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console;
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);
    TypeLine(window, BuildPsCommand(L"", file));
    ASSERT_TRUE(console.WaitForExit(kAnswerMs));
    EXPECT_EQ(ReadDenyingWrite(file), (Bytes{0xFF, 0xFE}));
}

TEST(ConsoleProcess, LetsGoOfTheFileRightAfterWritingAndEditsTheLineByCodeUnits) {
    const TScratchDirectory folder(L"release");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console;
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);

    // A wrong character and a non-BMP one, each rubbed out: one backspace per code unit.
    std::wstring command = BuildPsCommand(L"pw", file);
    command = command.substr(0, command.find(L"; Exit;")) + L"X\b\xD83D\xDE00\b\b";
    TypeLine(window, command);
    ASSERT_TRUE(WaitForFile(file, kAnswerMs));
    Sleep(200);
    EXPECT_TRUE(console.Running());
    ExpectResultFile(file, L"pw"); // readable with write access denied while the console still runs

    TypeLine(window, L"exiq\bt 7");
    ASSERT_TRUE(console.WaitForExit(kAnswerMs));
    EXPECT_EQ(console.ExitCode(), 7u);
}

// Control characters typed as they are never reach the line, whichever range they are from.
TEST(ConsoleProcess, ControlCharactersTypedRawAreDropped) {
    const TScratchDirectory folder(L"raw");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console;
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);
    std::wstring command = BuildPsCommand(L"a~b\xA0"
                                          L"c",
                                          file);
    command.insert(command.find(L'~'), L"\x01\x1F\x7F\x80\x9F");
    TypeLine(window, command);
    ASSERT_TRUE(console.WaitForExit(kAnswerMs));
    ExpectResultFile(file, L"a~b\xA0"
                           L"c");
}

TEST(FaultSwitch, OutputReplacesWhatTheRedirectionWrites) {
    const struct {
        const wchar_t* value;
        Bytes content;
    } cases[] = {
        {L"empty", {}},
        {L"bom", {0xFF, 0xFE}},
        {L"blank", {0xFF, 0xFE, ' ', 0, ' ', 0, '\t', 0, '\r', 0, '\n', 0, '\r', 0, '\n', 0}},
        {L"line:x1", {0xFF, 0xFE, 'x', 0, '1', 0, '\r', 0, '\n', 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "CORVALIN_PS_OUTPUT=" << c.value);
        const TScratchDirectory folder(L"output");
        const std::wstring file = folder.Path() + L"\\Corvalin.out";
        TConsoleProcess console(TFaults{{L"CORVALIN_PS_OUTPUT", c.value}});
        const HWND window = console.WaitForWindow(kAnswerMs);
        ASSERT_TRUE(window);
        TypeLine(window, BuildPsCommand(L"pw", file));
        ASSERT_TRUE(console.WaitForExit(kAnswerMs));
        EXPECT_EQ(ReadDenyingWrite(file), c.content);
    }
}

TEST(FaultSwitch, NoClassLeavesOnlyTheTitleToFindItBy) {
    const TScratchDirectory folder(L"noclass");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console(TFaults{{L"CORVALIN_PS_NO_CLASS", L"1"}});
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);
    EXPECT_EQ(ClassWindow(), nullptr);
    EXPECT_EQ(TitleWindow(), window);
    TypeLine(window, BuildPsCommand(L"pw", file));
    ASSERT_TRUE(console.WaitForExit(kAnswerMs));
    ExpectResultFile(file, L"pw");
}

TEST(FaultSwitch, RunDelayKeepsTheWindowAnswering) {
    const TScratchDirectory folder(L"delay");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console(TFaults{{L"CORVALIN_PS_RUN_DELAY_MS", L"2500"}});
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);

    const ULONGLONG typed = GetTickCount64();
    TypeLine(window, BuildPsCommand(L"later", file));
    Sleep(1000);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &answer));
    EXPECT_FALSE(WaitForFile(file, 0)) << "the line ran before its delay";
    EXPECT_TRUE(console.Running());

    ASSERT_TRUE(console.WaitForExit(2500 + kAnswerMs));
    EXPECT_GE(GetTickCount64() - typed, 2400u);
    ExpectResultFile(file, L"later");
}

TEST(FaultSwitch, IgnoreEnterNeverRunsTheLine) {
    const TScratchDirectory folder(L"ignore");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console(TFaults{{L"CORVALIN_PS_IGNORE_ENTER", L"1"}});
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);
    TypeLine(window, BuildPsCommand(L"pw", file));
    EXPECT_FALSE(console.WaitForExit(2000));
    EXPECT_FALSE(WaitForFile(file, 0));
}

TEST(FaultSwitch, HoldFileKeepsTheResultLockedForAWhile) {
    const TScratchDirectory folder(L"hold");
    const std::wstring file = folder.Path() + L"\\Corvalin.out";
    TConsoleProcess console(TFaults{{L"CORVALIN_PS_HOLD_FILE_MS", L"3000"}});
    const HWND window = console.WaitForWindow(kAnswerMs);
    ASSERT_TRUE(window);
    TypeLine(window, BuildPsCommand(L"held", file));
    ASSERT_TRUE(WaitForFile(file, kAnswerMs));
    const ULONGLONG appeared = GetTickCount64();

    for (const DWORD after : {0u, 1500u}) {
        Sleep(DWORD(std::max<ULONGLONG>(appeared + after, GetTickCount64()) - GetTickCount64()));
        DWORD error = 0;
        EXPECT_FALSE(ReadDenyingWrite(file, &error)) << after << " ms after the file appeared";
        EXPECT_EQ(error, DWORD(ERROR_SHARING_VIOLATION));
        EXPECT_TRUE(console.Running()) << "Exit must wait for the file to be let go";
    }
    ASSERT_TRUE(console.WaitForExit(3000 + kAnswerMs));
    ExpectResultFile(file, L"held");
}

bool ProcessListed(DWORD id, const std::wstring& name) {
    const std::unique_ptr<void, decltype(&CloseHandle)> snapshot(
        CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0), &CloseHandle);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        if (entry.th32ProcessID == id) return SameText(entry.szExeFile, name);
    return false;
}

TEST(FaultSwitch, NoWindowIsAProcessWithoutWindowThatEndsByItself) {
    TConsoleProcess console(
        TFaults{{L"CORVALIN_PS_NO_WINDOW", L"1"}, {L"CORVALIN_PS_NO_WINDOW_MS", L"3000"}});
    ASSERT_TRUE(console.Started());
    Sleep(1500);
    EXPECT_TRUE(console.Running());
    EXPECT_TRUE(ProcessListed(console.Id(), PS_PROCESS_NAME));
    EXPECT_TRUE(console.Windows().empty());
    EXPECT_EQ(ClassWindow(), nullptr);
    EXPECT_EQ(TitleWindow(), nullptr);
    ASSERT_TRUE(console.WaitForExit(1500 + kAnswerMs));
    EXPECT_EQ(console.ExitCode(), 0u);
}

} // namespace
