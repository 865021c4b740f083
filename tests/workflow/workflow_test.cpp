// The Generate workflow and Copy on the real main window, against scripted system services: the passes,
// pauses, messages and boxes are checked exactly and instantly.
#include "FakeSystemServices.h"
#include "UMainForm.h"
#include "toolkit/application.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::wstring PsFile = L"C:\\Tools\\Corvalin.out";
const std::wstring CryptHex = L"01000000d08c9ddf0115d1118c7a00c04fc297eb";

std::vector<unsigned char> Utf16File(const std::wstring& text) {
    std::vector<unsigned char> bytes{0xFF, 0xFE};
    for (wchar_t c : text + L"\r\n") {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    return bytes;
}

struct TBox {
    std::wstring text;
    UINT type;
    bool operator==(const TBox&) const = default;
};

class Workflow : public testing::Test {
protected:
    void SetUp() override {
        form = new TMainForm(Application, &sys);
        form->Show();
        sys.OnMessageBox = [this](const std::wstring& text) {
            const auto& call = sys.Log().back();
            boxes.push_back({text, UINT(std::stoul(call.args[3]))});
            EXPECT_EQ(call.args[0], TFakeSystemServices::Text(form->Handle())) << "boxes are modal to the window";
            EXPECT_EQ(call.args[2], L"\"Corvalin\"") << "boxes carry the window's caption";
            return onBox ? onBox(text) : IDOK;
        };
        sys.OnProcessMessages = [this] { processed.push_back(States()); };
    }
    void TearDown() override { form->Free(); }

    // The enabled states of the five controls the run disables, in the order it disables them.
    std::vector<bool> States() const {
        std::vector<bool> states;
        for (TControl* c : std::initializer_list<TControl*>{form->edtUsername, form->edtPassword, form->btnGenerate,
                                                            form->redtConfiguration, form->btnClipboard})
            states.push_back(c->Enabled());
        return states;
    }

    void Type(const std::wstring& user, const std::wstring& password) {
        form->edtUsername->SetText(user);
        form->edtPassword->SetText(password);
    }
    HWND AddConsole() {
        sys.AddProcess(L"powershell.exe", 4242);
        return sys.AddWindow(L"ConsoleWindowClass", L"Windows PowerShell", 4242);
    }

    void Click() { form->btnGenerateClick(form->btnGenerate); }
    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        for (int i = 0; i < form->redtConfiguration->Lines().Count(); ++i)
            lines.push_back(form->redtConfiguration->Lines()[i]);
        return lines;
    }
    // The restore rule: the inputs and Generate enabled, the result editor and Copy enabled exactly when
    // the result editor holds text.
    void ExpectIdle() const {
        EXPECT_TRUE(form->edtUsername->Enabled());
        EXPECT_TRUE(form->edtPassword->Enabled());
        EXPECT_TRUE(form->btnGenerate->Enabled());
        const bool hasText = !form->redtConfiguration->Text().empty();
        EXPECT_EQ(form->redtConfiguration->Enabled(), hasText);
        EXPECT_EQ(form->btnClipboard->Enabled(), hasText);
    }
    // Every ending of a run, errors included, finishes with the restore step's one round of message
    // processing, made after the controls got their idle states; every earlier round was made busy.
    void ExpectRestoreEndsWithMessages() const {
        ASSERT_FALSE(sys.Log().empty());
        EXPECT_EQ(sys.Log().back().name, L"ProcessMessages");
        ASSERT_FALSE(processed.empty());
        const bool hasText = !form->redtConfiguration->Text().empty();
        EXPECT_EQ(processed.back(), (std::vector<bool>{true, true, true, hasText, hasText}));
        for (size_t i = 0; i + 1 < processed.size(); ++i)
            EXPECT_EQ(processed[i], std::vector<bool>(5, false)) << "round " << i << " of " << processed.size();
    }

    TFakeSystemServices sys;
    TMainForm* form = nullptr;
    std::vector<TBox> boxes;
    std::function<int(const std::wstring&)> onBox;
    std::vector<std::vector<bool>> processed; // States() at each round of message processing
};

const std::vector<std::wstring> GoodLines = {L"domain:s:SALES", L"username:s:maria", L"password 51:b:" + CryptHex};

TEST_F(Workflow, SuccessShowsTheLinesAndDeletesTheFile) {
    Type(L" SALES \\ maria ", L"  s3cr3t ");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1); // written while the workflow pauses once
    Click();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Lines(), GoodLines);
    EXPECT_EQ(sys.Files.count(PsFile), 0u);
    EXPECT_FALSE(sys.Clipboard.has_value());
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 1u);
    EXPECT_TRUE(sys.Named(L"ShellExecuteW").empty());
    ExpectIdle();
    ExpectRestoreEndsWithMessages();
}

TEST_F(Workflow, BusyWhileItWaits) {
    Type(L"maria", L"pw");
    form->redtConfiguration->Lines().Add(L"old line");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    bool emptyAtFirstRound = false;
    sys.OnProcessMessages = [&] {
        if (processed.empty()) emptyAtFirstRound = form->redtConfiguration->Text().empty();
        processed.push_back(States());
    };
    Click();
    ASSERT_FALSE(processed.empty());
    EXPECT_EQ(processed[0], std::vector<bool>(5, false));
    EXPECT_TRUE(emptyAtFirstRound);
    // Messages flow for the first time once the five are disabled, before anything else is done.
    const auto& log = sys.Log();
    const auto firstRound = std::find_if(log.begin(), log.end(), [](const auto& c) { return c.name == L"ProcessMessages"; });
    const auto firstSnapshot =
        std::find_if(log.begin(), log.end(), [](const auto& c) { return c.name == L"CreateToolhelp32Snapshot"; });
    EXPECT_LT(firstRound - log.begin(), firstSnapshot - log.begin());
    ExpectIdle();
    ExpectRestoreEndsWithMessages();
}

struct TEndingCase {
    const char* name;
    std::wstring user, password;
    bool process, windowByClass, fileAfterBox;
    std::vector<TBox> boxes;
    const wchar_t* focused; // the field the failed check sends the focus to
};

class Endings : public Workflow, public testing::WithParamInterface<TEndingCase> {};

TEST_P(Endings, BoxesFocusAndRestore) {
    const TEndingCase& c = GetParam();
    form->redtConfiguration->Lines().Add(L"earlier result");
    form->btnGenerate->SetFocus();
    Type(c.user, c.password);
    if (c.process) sys.AddProcess(L"powershell.exe", 7);
    if (c.windowByClass) sys.AddWindow(L"ConsoleWindowClass", L"", 7);
    if (c.fileAfterBox)
        onBox = [&](const std::wstring& text) {
            if (text == PS_COMMAND_COPY_MESSAGE) sys.AddFile(PsFile, Utf16File(CryptHex));
            return IDOK;
        };
    Click();
    EXPECT_EQ(boxes, c.boxes);
    const bool checkFailed = c.boxes.size() == 1 && (c.boxes[0].text == USERNAME_IS_EMPTY ||
                                                       c.boxes[0].text == PASSWORD_IS_EMPTY);
    if (checkFailed) {
        EXPECT_EQ(Lines(), std::vector<std::wstring>{L"earlier result"}) << "a failed check keeps the lines";
        EXPECT_TRUE(sys.Named(L"CreateToolhelp32Snapshot").empty());
    } else if (c.fileAfterBox) {
        EXPECT_EQ(Lines().size(), 3u);
    } else {
        EXPECT_TRUE(Lines().empty());
    }
    if (c.focused) {
        EXPECT_EQ(form->ActiveControl(), form->FindComponent(c.focused));
    }
    EXPECT_FALSE(sys.Clipboard.has_value()) << "nothing is left on the clipboard";
    ExpectIdle();
    ExpectRestoreEndsWithMessages();
}

// Calls of one name made to this window (its handle as their first argument).
size_t CallsTo(const TFakeSystemServices& sys, HWND window, std::wstring_view name) {
    size_t n = 0;
    for (const auto& call : sys.Named(name))
        if (call.args[0] == TFakeSystemServices::Text(window)) ++n;
    return n;
}

const UINT Warning = MB_OK | MB_ICONWARNING, Error = MB_OK | MB_ICONERROR;

INSTANTIATE_TEST_SUITE_P(
    Table, Endings,
    testing::Values(
        TEndingCase{"NoUser", L"  ", L"pw", true, true, false, {{USERNAME_IS_EMPTY, Warning}}, L"edtUsername"},
        TEndingCase{"UserEndsWithBackslash", L"SALES\\", L"", true, true, false, {{USERNAME_IS_EMPTY, Warning}},
                    L"edtUsername"},
        TEndingCase{"NoPassword", L"maria", L" \t ", true, true, false, {{PASSWORD_IS_EMPTY, Warning}},
                    L"edtPassword"},
        TEndingCase{"NoProcess", L"maria", L"pw", false, false, false, {{PS_NOT_FOUND_MESSAGE, Error}}, nullptr},
        TEndingCase{"NoWindow", L"maria", L"pw", true, false, false, {{PS_NOT_FOUND_MESSAGE, Error}}, nullptr},
        TEndingCase{"NoFile",
                    L"maria",
                    L"pw",
                    true,
                    true,
                    false,
                    {{PS_COMMAND_COPY_MESSAGE, Warning}, {PS_FILE_NOT_FOUND_MESSAGE, Error}},
                    nullptr},
        TEndingCase{"FileDuringManualStep", L"maria", L"pw", true, true, true, {{PS_COMMAND_COPY_MESSAGE, Warning}},
                    nullptr}),
    [](const testing::TestParamInfo<TEndingCase>& info) { return info.param.name; });

TEST_F(Workflow, StartsPowerShellOnceAndLooksAgainWithoutPause) {
    Type(L"maria", L"pw");
    sys.OnShellExecute = [&] { AddConsole(); };
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();
    const auto shell = sys.Named(L"ShellExecuteW");
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0].args, (std::vector<std::wstring>{TFakeSystemServices::Text(form->Handle()), L"\"open\"",
                                                          L"\"powershell.exe\"", L"\"\"", L"\"\"", L"1"}));
    // Two lookups of the process, of everything; and one of the console's owner, of the processes alone.
    const auto snapshots = sys.Named(L"CreateToolhelp32Snapshot");
    ASSERT_EQ(snapshots.size(), 3u);
    EXPECT_EQ(snapshots[0].args, (std::vector<std::wstring>{L"15", L"0"}));
    EXPECT_EQ(snapshots[1].args, (std::vector<std::wstring>{L"15", L"0"}));
    EXPECT_EQ(snapshots[2].args, (std::vector<std::wstring>{L"2", L"0"}));
    EXPECT_EQ(sys.OpenSnapshots(), 0) << "every snapshot is closed";
    EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"domain:s:MERIDOVANS", L"username:s:maria",
                                                  L"password 51:b:" + CryptHex}));
}

TEST_F(Workflow, NoProcessEvenAfterStartingOneSearchesNoWindow) {
    Type(L"maria", L"pw");
    Click();
    EXPECT_EQ(sys.Named(L"ShellExecuteW").size(), 1u);
    EXPECT_TRUE(sys.Named(L"FindWindowW").empty());
    EXPECT_TRUE(sys.Named(L"FindWindowExW").empty());
    EXPECT_TRUE(sys.Named(L"Sleep").empty());
}

// Counts the calls of one name between two positions of the log.
size_t CountBetween(const std::vector<TFakeSystemServices::TCall>& log, size_t from, size_t to, const std::wstring& s) {
    size_t n = 0;
    for (size_t i = from; i < to && i < log.size(); ++i)
        if (log[i].ToString() == s) ++n;
    return n;
}

TEST_F(Workflow, ConsoleFoundAtOnceMakesNoPause) {
    Type(L"maria", L"pw");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();
    EXPECT_EQ(sys.Named(L"FindWindowExW").size(), 1u);
    EXPECT_TRUE(sys.Named(L"FindWindowW").empty());
    // The only pause is the file wait's.
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 1u);
}

TEST_F(Workflow, TitleFoundOnlyAfterTheClassSearchRanOut) {
    Type(L"maria", L"pw");
    sys.AddProcess(L"powershell.exe", 9);
    sys.AddWindow(L"SomeOtherClass", L"Windows PowerShell", 9);
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();
    const auto byClass = sys.Named(L"FindWindowExW");
    ASSERT_EQ(byClass.size(), 21u);
    for (const auto& find : byClass)
        EXPECT_EQ(find.ToString(), L"FindWindowExW(0, 0, \"ConsoleWindowClass\", null)");
    const auto byTitle = sys.Named(L"FindWindowW");
    ASSERT_EQ(byTitle.size(), 1u);
    EXPECT_EQ(byTitle[0].ToString(), L"FindWindowW(null, \"Windows PowerShell\")");
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 20u + 1u);
    EXPECT_EQ(Lines().size(), 3u);
}

TEST_F(Workflow, NoWindowMakesBothSearchesInFull) {
    Type(L"maria", L"pw");
    sys.AddProcess(L"powershell.exe", 9);
    Click();
    EXPECT_EQ(sys.Named(L"FindWindowExW").size(), 21u);
    EXPECT_EQ(sys.Named(L"FindWindowW").size(), 21u);
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 40u);
    // Each pause is followed by processing the pending messages.
    const auto& log = sys.Log();
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].name == L"Sleep") {
            ASSERT_LT(i + 1, log.size());
            EXPECT_EQ(log[i + 1].name, L"ProcessMessages");
        }
}

TEST_F(Workflow, TypesEveryCodeUnitThenPostsOneEnter) {
    const std::wstring password = L"Pa$$\"w`\x00E9\xD83D\xDE00\x7F\x85\tz";
    Type(L"maria", password);
    const HWND console = AddConsole();
    sys.Files[PsFile] = {'s', 't', 'a', 'l', 'e'};
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();

    const std::wstring command = BuildPsCommand(password, PsFile);
    const auto& log = sys.Log();
    std::wstring typed;
    size_t removeAt = log.size(), firstChar = log.size(), enterAt = log.size();
    for (size_t i = 0; i < log.size(); ++i) {
        const auto& c = log[i];
        if (c.name == L"RemoveFile" && removeAt == log.size()) removeAt = i;
        if (c.name == L"SendMessageW") {
            EXPECT_EQ(c.args[0], TFakeSystemServices::Text(console));
            EXPECT_EQ(c.args[1], std::to_wstring(WM_CHAR));
            EXPECT_EQ(c.args[3], L"0");
            typed += wchar_t(std::stoul(c.args[2]));
            if (firstChar == log.size()) firstChar = i;
            EXPECT_EQ(enterAt, log.size()) << "no character after Enter";
        }
        if (c.name == L"PostMessageW") enterAt = i;
    }
    EXPECT_EQ(typed, command);
    for (const wchar_t unit : typed)
        EXPECT_FALSE(unit < 0x20 || (unit >= 0x7F && unit <= 0x9F))
            << "a raw control character was typed: " << int(unit);
    EXPECT_EQ(sys.Named(L"SendMessageW").size(), command.size());
    const auto posts = sys.Named(L"PostMessageW");
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].ToString(), L"PostMessageW(" + TFakeSystemServices::Text(console) + L", 256, 13, 0)");
    EXPECT_LT(removeAt, firstChar) << "the stale file goes before the command is typed";
    EXPECT_EQ(CountBetween(log, firstChar, enterAt, L"Sleep(500)"), 0u) << "typed in one burst";
    EXPECT_EQ(Lines()[2], L"password 51:b:" + CryptHex) << "the stale file is never shown";
}

TEST_F(Workflow, ClipboardFailureEscapesAfterRestoring) {
    Type(L"maria", L"pw");
    AddConsole();
    sys.ClipboardFails = true;
    EXPECT_THROW(Click(), Exception);
    EXPECT_TRUE(boxes.empty()) << "the manual box is not shown";
    // Eleven tests in the wait and one before the manual step; none after it.
    EXPECT_EQ(sys.Named(L"FileExists").size(), 12u);
    ExpectIdle();
    ExpectRestoreEndsWithMessages();
    EXPECT_FALSE(form->redtConfiguration->Enabled());
}

TEST_F(Workflow, ReadFailureEscapesAtOnceAndLeavesTheFile) {
    Type(L"maria", L"pw");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    sys.ReadFails = true;
    try {
        Click();
        FAIL() << "no error";
    } catch (const EFileInUse&) {
        FAIL() << "reported as a file in use";
    } catch (const Exception&) {
    }
    EXPECT_EQ(sys.Named(L"ReadAllBytes").size(), 1u) << "only a file in use is read again";
    EXPECT_EQ(sys.Files.count(PsFile), 1u);
    EXPECT_TRUE(Lines().empty());
    ExpectIdle();
    ExpectRestoreEndsWithMessages();
}

// A window of its own on scripted services, for the cases of a table: the inputs filled in and, unless
// told otherwise, a PowerShell process with its console to be found at once.
class TOwnWindow {
public:
    explicit TOwnWindow(bool withConsole = true) : form(new TMainForm(nullptr, &sys)) {
        form->edtUsername->SetText(L"maria");
        form->edtPassword->SetText(L"pw");
        if (!withConsole) return;
        sys.AddProcess(L"powershell.exe", 4);
        sys.AddWindow(L"ConsoleWindowClass", L"Windows PowerShell", 4);
    }
    ~TOwnWindow() { form->Free(); }
    TOwnWindow(const TOwnWindow&) = delete;
    TOwnWindow& operator=(const TOwnWindow&) = delete;

    TFakeSystemServices sys;
    TMainForm* const form;
};

// The console may hold the result file open for a moment while it writes it: the read is tried again
// after each pause of the file wait's bound, ten in all; only then does the error escape.
TEST_F(Workflow, FileStillBeingWrittenIsReadAgainAfterEachPause) {
    for (const int inUse : {1, 10, 11}) {
        SCOPED_TRACE(testing::Message() << inUse << " reads find the file in use");
        TOwnWindow own;
        TFakeSystemServices& local = own.sys;
        TMainForm* const other = own.form;
        local.AddFile(PsFile, Utf16File(CryptHex), 1);
        local.ReadsInUse = inUse;
        const bool readable = inUse <= 10;
        if (readable)
            other->btnGenerateClick(other->btnGenerate);
        else
            EXPECT_THROW(other->btnGenerateClick(other->btnGenerate), EFileInUse);

        const auto& log = local.Log();
        std::vector<std::wstring> afterWait; // what follows the last test of the file
        size_t lastTest = 0;
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].name == L"FileExists") lastTest = i;
        for (size_t i = lastTest + 1; i < log.size() && log[i].name != L"GetACP"; ++i)
            afterWait.push_back(log[i].name);
        std::vector<std::wstring> expected;
        for (int pass = 0; pass < std::min(inUse, 10); ++pass)
            expected.insert(expected.end(), {L"ReadAllBytes", L"Sleep", L"ProcessMessages"});
        expected.push_back(L"ReadAllBytes");
        if (!readable) expected.insert(expected.end(), {L"ProcessMessages"}); // the restore step
        EXPECT_EQ(afterWait, expected);
        EXPECT_EQ(local.Files.count(PsFile), readable ? 0u : 1u);
        EXPECT_EQ(other->redtConfiguration->Lines().Count(), readable ? 3 : 0);
        EXPECT_TRUE(other->btnGenerate->Enabled());
        EXPECT_EQ(other->btnClipboard->Enabled(), readable);
    }
}

// Whatever the console wrote that is not an encrypted password is not a result: nothing is shown, and
// the file goes as after any read.
TEST_F(Workflow, ResultThatIsNoEncryptedPasswordIsRefused) {
    const struct {
        const char* name;
        std::vector<unsigned char> content;
        const wchar_t* shown; // the password line's value, or nullptr for the error
    } cases[] = {
        {"empty", {}, nullptr},
        {"byte-order mark alone", {0xFF, 0xFE}, nullptr},
        {"blanks and line breaks", Utf16File(L" \t\r\n \r\n"), nullptr},
        {"an error text", Utf16File(L"ConvertFrom-SecureString : Key not valid"), nullptr},
        {"odd length", Utf16File(L"01000000d"), nullptr},
        {"two lines", Utf16File(L"0100\r\n0000"), nullptr},
        {"upper case", Utf16File(L"01000000D08C9DDF"), L"01000000D08C9DDF"},
        {"ANSI, unmarked", {'0', '1', 'a', 'F', '\r', '\n'}, L"01aF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOwnWindow own;
        TFakeSystemServices& local = own.sys;
        TMainForm* const other = own.form;
        other->redtConfiguration->Lines().Add(L"earlier result");
        local.AddFile(PsFile, c.content, 1);
        std::vector<TBox> shownBoxes;
        local.OnMessageBox = [&](const std::wstring& text) {
            shownBoxes.push_back({text, UINT(std::stoul(local.Log().back().args[3]))});
            return IDOK;
        };
        other->btnGenerateClick(other->btnGenerate);
        EXPECT_EQ(local.Files.count(PsFile), 0u) << "the file goes in either case";
        if (c.shown) {
            EXPECT_TRUE(shownBoxes.empty());
            ASSERT_EQ(other->redtConfiguration->Lines().Count(), 3);
            EXPECT_EQ(other->redtConfiguration->Lines()[2], L"password 51:b:" + std::wstring(c.shown));
        } else {
            EXPECT_EQ(shownBoxes, (std::vector<TBox>{{PS_FILE_INVALID_MESSAGE, MB_OK | MB_ICONERROR}}));
            EXPECT_TRUE(other->redtConfiguration->Text().empty());
        }
        EXPECT_TRUE(other->btnGenerate->Enabled());
        EXPECT_EQ(other->redtConfiguration->Enabled(), c.shown != nullptr);
        EXPECT_EQ(other->btnClipboard->Enabled(), c.shown != nullptr);
    }
}

// A leftover that cannot be removed, or a folder where the console cannot write, ends the run before a
// single character is typed.
TEST_F(Workflow, ResultFileThatCannotBeClearedOrWrittenEndsBeforeTyping) {
    const struct {
        const char* name;
        std::function<void(TFakeSystemServices&)> arrange;
        std::wstring box;
    } cases[] = {
        {"read-only leftover",
         [](TFakeSystemServices& s) {
             s.AddFile(PsFile, Utf16File(L"0100dead"));
             s.Undeletable.insert(PsFile);
         },
         PS_FILE_NOT_DELETED_MESSAGE + L"\n" + PsFile},
        {"a folder at the path", [](TFakeSystemServices& s) { s.Folders.insert(PsFile); },
         PS_FILE_NOT_DELETED_MESSAGE + L"\n" + PsFile},
        {"folder without write access", [](TFakeSystemServices& s) { s.CreateFails = true; },
         PS_FOLDER_NOT_WRITABLE_MESSAGE + L"\nC:\\Tools"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOwnWindow own;
        TFakeSystemServices& local = own.sys;
        TMainForm* const other = own.form;
        c.arrange(local);
        std::vector<std::wstring> boxes;
        local.OnMessageBox = [&](const std::wstring& text) {
            EXPECT_EQ(local.Log().back().args[3], std::to_wstring(MB_OK | MB_ICONERROR));
            EXPECT_EQ(local.Log().back().args[2], L"\"Corvalin\"");
            boxes.push_back(text);
            return IDOK;
        };
        other->btnGenerateClick(other->btnGenerate);
        EXPECT_EQ(boxes, std::vector<std::wstring>{c.box});
        EXPECT_TRUE(local.Named(L"SendMessageW").empty());
        EXPECT_TRUE(local.Named(L"PostMessageW").empty());
        EXPECT_TRUE(local.Named(L"FileExists").empty()) << "no wait for a file that cannot come";
        EXPECT_EQ(local.Named(L"RemoveFile").size(), 1u);
        EXPECT_EQ(local.Log().back().name, L"ProcessMessages") << "the restore step ends the run";
        EXPECT_TRUE(other->edtUsername->Enabled());
        EXPECT_TRUE(other->btnGenerate->Enabled());
        EXPECT_FALSE(other->redtConfiguration->Enabled());
        EXPECT_FALSE(other->btnClipboard->Enabled());
    }
}

// Only a console window of a PowerShell process is typed into: other programs' consoles have the same
// class, and may lie above it.
TEST_F(Workflow, PasswordGoesOnlyToAConsoleOfPowerShell) {
    struct TWindowSpec {
        std::wstring exe; // the executable of the window's process; empty: a process that has ended
        int hiddenForLookups = 0;
    };
    const struct {
        const char* name;
        std::vector<TWindowSpec> windows; // top to bottom
        size_t pausesBeforeFound;         // class-search pauses before PowerShell's console is found
    } cases[] = {
        {"cmd above the console", {{L"cmd.exe"}, {L"ssh.exe"}, {L"powershell.exe"}}, 0},
        {"console of an ended process above", {{L""}, {L"powershell.exe"}}, 0},
        {"names that only look alike",
         {{L"powershell.exe.exe"}, {L"xpowershell.exe"}, {L"POWERSHELL.EXE"}},
         0},
        {"cmd at once, the console after two lookups", {{L"cmd.exe"}, {L"powershell.exe", 2}}, 2},
        {"only other programs' consoles", {{L"cmd.exe"}, {L"conhost.exe"}}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOwnWindow own(false);
        TFakeSystemServices& local = own.sys;
        TMainForm* const other = own.form;
        local.AddProcess(L"powershell.exe", 4); // PowerShell runs, with or without a console of its own
        std::vector<HWND> foreign;
        HWND console = nullptr;
        DWORD processId = 100;
        for (const TWindowSpec& w : c.windows) {
            ++processId;
            if (!w.exe.empty()) local.AddProcess(w.exe, processId);
            const HWND window = local.AddWindow(L"ConsoleWindowClass", L"", processId, w.hiddenForLookups);
            if (SameText(w.exe, L"powershell.exe"))
                console = window;
            else
                foreign.push_back(window);
        }
        local.AddFile(PsFile, Utf16File(CryptHex), 1);
        other->btnGenerateClick(other->btnGenerate);

        for (HWND window : foreign) {
            EXPECT_EQ(CallsTo(local, window, L"SendMessageW"), 0u);
            EXPECT_EQ(CallsTo(local, window, L"PostMessageW"), 0u);
        }
        if (console) {
            EXPECT_EQ(CallsTo(local, console, L"SendMessageW"), BuildPsCommand(L"pw", PsFile).size());
            EXPECT_EQ(CallsTo(local, console, L"PostMessageW"), 1u);
            EXPECT_EQ(local.Count(L"Sleep(500)"), c.pausesBeforeFound + 1) << "and one in the file wait";
            EXPECT_EQ(other->redtConfiguration->Lines().Count(), 3);
        } else {
            EXPECT_EQ(local.Named(L"FindWindowExW").size(), 21u * (c.windows.size() + 1)) << "21 whole walks";
            EXPECT_EQ(local.Named(L"FindWindowW").size(), 21u) << "then the title search";
            EXPECT_TRUE(local.Named(L"SendMessageW").empty());
            EXPECT_EQ(other->redtConfiguration->Lines().Count(), 0);
        }
        EXPECT_EQ(local.OpenSnapshots(), 0);
    }
}

// The manual step's command holds the password in clear: it goes on the clipboard marked as a secret,
// and leaves it once the file has been tested again, unless another program has put something there since.
TEST_F(Workflow, ManualStepLeavesNoCommandOnTheClipboard) {
    for (const bool fileDuringBox : {false, true})
        for (const bool replacedDuringBox : {false, true}) {
            SCOPED_TRACE(testing::Message() << "file during the box: " << fileDuringBox
                                            << ", clipboard replaced: " << replacedDuringBox);
            TOwnWindow own;
            TFakeSystemServices& local = own.sys;
            TMainForm* const other = own.form;
            local.ReplaceClipboard(L"before");
            const std::wstring command = BuildPsCommand(L"pw", PsFile);
            std::vector<std::wstring> boxes;
            local.OnMessageBox = [&](const std::wstring& text) {
                boxes.push_back(text);
                if (text != PS_COMMAND_COPY_MESSAGE) return IDOK;
                EXPECT_EQ(local.Clipboard, command);
                EXPECT_TRUE(local.ClipboardMarkedSecret);
                if (fileDuringBox) local.AddFile(PsFile, Utf16File(CryptHex));
                if (replacedDuringBox) local.ReplaceClipboard(L"someone else's");
                return IDOK;
            };
            other->btnGenerateClick(other->btnGenerate);

            EXPECT_EQ(local.Clipboard,
                      replacedDuringBox ? std::optional<std::wstring>(L"someone else's") : std::nullopt);
            const std::vector<std::wstring> expectedBoxes =
                fileDuringBox ? std::vector<std::wstring>{PS_COMMAND_COPY_MESSAGE}
                              : std::vector<std::wstring>{PS_COMMAND_COPY_MESSAGE, PS_FILE_NOT_FOUND_MESSAGE};
            EXPECT_EQ(boxes, expectedBoxes);
            // Emptied right after the second test of the file, before the file is read or its absence shown.
            std::vector<std::wstring> order;
            for (const auto& call : local.Log())
                if (call.name == L"FileExists" || call.name == L"EmptyClipboardIfUnchanged" ||
                    call.name == L"ReadAllBytes" || call.name == L"MessageBoxW")
                    order.push_back(call.name);
            const size_t n = order.size();
            ASSERT_GE(n, 4u);
            EXPECT_EQ(order[n - 4], L"MessageBoxW");
            EXPECT_EQ(order[n - 3], L"FileExists");
            EXPECT_EQ(order[n - 2], L"EmptyClipboardIfUnchanged");
            EXPECT_EQ(order[n - 1], fileDuringBox ? L"ReadAllBytes" : L"MessageBoxW");
        }
}

TEST_F(Workflow, RunWithoutTheManualStepLeavesTheClipboardAlone) {
    Type(L"maria", L"pw");
    AddConsole();
    sys.ReplaceClipboard(L"before");
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();
    EXPECT_EQ(sys.Clipboard, L"before");
    EXPECT_TRUE(sys.Named(L"SetClipboardSecret").empty());
    EXPECT_TRUE(sys.Named(L"EmptyClipboardIfUnchanged").empty());
}

TEST_F(Workflow, FailedCheckAfterSuccessKeepsTheLinesAndCopyStillCopiesThem) {
    Type(L"SALES\\maria", L"pw");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();
    ASSERT_EQ(Lines(), GoodLines);
    Type(L"SALES\\maria", L"");
    Click();
    EXPECT_EQ(Lines(), GoodLines);
    ExpectIdle();
    EXPECT_TRUE(form->btnClipboard->Enabled());

    form->btnClipboardClick(form->btnClipboard);
    std::wstring pasted;
    ASSERT_TRUE(OpenClipboard(nullptr));
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        pasted = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(pasted, L"domain:s:SALES\r\nusername:s:maria\r\npassword 51:b:" + CryptHex + L"\r\n");
}

TEST_F(Workflow, GetPidMatchesWholeNamesIgnoringAsciiCaseOnly) {
    const struct {
        std::vector<std::pair<std::wstring, DWORD>> processes;
        bool snapshotFails;
        const wchar_t* name;
        std::int32_t pid;
    } cases[] = {
        {{{L"explorer.exe", 1}, {L"POWERSHELL.EXE", 2}, {L"powershell.exe", 3}}, false, L"powershell.exe", 2},
        {{{L"powershell.exe ", 1}, {L"powershell.ex", 2}, {L"xpowershell.exe", 3}}, false, L"powershell.exe", 0},
        {{{L"p\x00F3wershell.exe", 1}}, false, L"powershell.exe", 0},
        {{}, false, L"powershell.exe", 0},
        {{{L"powershell.exe", 5}}, true, L"powershell.exe", 0},
        // The ends of the two letter ranges match either way; the characters just outside them do not.
        {{{L"AZaz.exe", 6}}, false, L"azAZ.EXE", 6},
        {{{L"@[.exe", 7}}, false, L"`{.exe", 0},
        {{{L"`{.exe", 8}}, false, L"@[.exe", 0},
    };
    for (const auto& c : cases) {
        TFakeSystemServices local;
        for (const auto& [name, id] : c.processes) local.AddProcess(name, id);
        local.SnapshotFails = c.snapshotFails;
        TMainForm* other = new TMainForm(nullptr, &local); // the fixture's form already has the name
        EXPECT_EQ(other->GetPid(c.name), c.pid) << c.name;
        EXPECT_EQ(local.Named(L"CloseHandle").size(), 1u) << "the snapshot is closed in either case";
        other->Free();
    }
}

} // namespace
