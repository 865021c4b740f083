// The Generate workflow and Copy on the real main window, against scripted system services: the passes,
// pauses, messages and boxes are checked exactly and instantly.
#include "FakeSystemServices.h"
#include "UMainForm.h"
#include "toolkit/application.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

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
    }
    void TearDown() override { form->Free(); }

    void Type(const std::wstring& user, const std::wstring& password) {
        form->edtUsername->SetText(user);
        form->edtPassword->SetText(password);
    }
    HWND AddConsole() {
        sys.AddProcess(L"powershell.exe", 4242);
        return sys.AddWindow(L"ConsoleWindowClass", L"Windows PowerShell");
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

    TFakeSystemServices sys;
    TMainForm* form = nullptr;
    std::vector<TBox> boxes;
    std::function<int(const std::wstring&)> onBox;
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
}

TEST_F(Workflow, BusyWhileItWaits) {
    Type(L"maria", L"pw");
    form->redtConfiguration->Lines().Add(L"old line");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    std::vector<bool> states;
    bool captured = false;
    sys.OnProcessMessages = [&] {
        if (captured) return;
        captured = true;
        for (TControl* c : std::initializer_list<TControl*>{form->edtUsername, form->edtPassword, form->btnGenerate,
                                                            form->redtConfiguration, form->btnClipboard})
            states.push_back(c->Enabled());
        EXPECT_TRUE(form->redtConfiguration->Text().empty());
    };
    Click();
    EXPECT_EQ(states, std::vector<bool>(5, false));
    ExpectIdle();
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
    if (c.windowByClass) sys.AddWindow(L"ConsoleWindowClass", L"");
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
    ExpectIdle();
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
    EXPECT_EQ(sys.Named(L"CreateToolhelp32Snapshot").size(), 2u);
    EXPECT_EQ(sys.OpenSnapshots(), 0) << "every snapshot is closed";
    EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"domain:s:MERIDOVANS", L"username:s:maria",
                                                  L"password 51:b:" + CryptHex}));
}

TEST_F(Workflow, NoProcessEvenAfterStartingOneSearchesNoWindow) {
    Type(L"maria", L"pw");
    Click();
    EXPECT_EQ(sys.Named(L"ShellExecuteW").size(), 1u);
    EXPECT_TRUE(sys.Named(L"FindWindowW").empty());
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
    EXPECT_EQ(sys.Named(L"FindWindowW").size(), 1u);
    // The only pause is the file wait's.
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 1u);
}

TEST_F(Workflow, TitleFoundOnlyAfterTheClassSearchRanOut) {
    Type(L"maria", L"pw");
    sys.AddProcess(L"powershell.exe", 9);
    sys.AddWindow(L"SomeOtherClass", L"Windows PowerShell");
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    Click();
    const auto finds = sys.Named(L"FindWindowW");
    ASSERT_EQ(finds.size(), 22u);
    for (size_t i = 0; i < 21; ++i) EXPECT_EQ(finds[i].ToString(), L"FindWindowW(\"ConsoleWindowClass\", null)");
    EXPECT_EQ(finds[21].ToString(), L"FindWindowW(null, \"Windows PowerShell\")");
    EXPECT_EQ(sys.Count(L"Sleep(500)"), 20u + 1u);
    EXPECT_EQ(Lines().size(), 3u);
}

TEST_F(Workflow, NoWindowMakesBothSearchesInFull) {
    Type(L"maria", L"pw");
    sys.AddProcess(L"powershell.exe", 9);
    Click();
    EXPECT_EQ(sys.Named(L"FindWindowW").size(), 42u);
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
    const std::wstring password = L"Pa$$\"w`\x00E9\xD83D\xDE00";
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
    EXPECT_FALSE(form->redtConfiguration->Enabled());
}

TEST_F(Workflow, ReadFailureEscapesAndLeavesTheFile) {
    Type(L"maria", L"pw");
    AddConsole();
    sys.AddFile(PsFile, Utf16File(CryptHex), 1);
    sys.ReadFails = true;
    EXPECT_THROW(Click(), Exception);
    EXPECT_EQ(sys.Files.count(PsFile), 1u);
    EXPECT_TRUE(Lines().empty());
    ExpectIdle();
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
        std::int32_t pid;
    } cases[] = {
        {{{L"explorer.exe", 1}, {L"POWERSHELL.EXE", 2}, {L"powershell.exe", 3}}, false, 2},
        {{{L"powershell.exe ", 1}, {L"powershell.ex", 2}, {L"xpowershell.exe", 3}}, false, 0},
        {{{L"p\x00F3wershell.exe", 1}}, false, 0},
        {{}, false, 0},
        {{{L"powershell.exe", 5}}, true, 0},
    };
    for (const auto& c : cases) {
        TFakeSystemServices local;
        for (const auto& [name, id] : c.processes) local.AddProcess(name, id);
        local.SnapshotFails = c.snapshotFails;
        TMainForm* other = new TMainForm(nullptr, &local); // the fixture's form already has the name
        EXPECT_EQ(other->GetPid(L"powershell.exe"), c.pid);
        EXPECT_EQ(local.Named(L"CloseHandle").size(), 1u) << "the snapshot is closed in either case";
        other->Free();
    }
}

} // namespace
