// Results an operator can trust, through the real window: a leftover result file that cannot be removed,
// a folder where no result can be written, a console that wrote no encrypted password, other programs'
// console windows, and the manual step's command on the clipboard. None of them passes for a success, and
// the password reaches no window but PowerShell's.
#include "corvalin_app.h"
#include "corvalin_texts.h"
#include "e2e_expect.h"
#include "e2e_fixture.h"
#include "foreign_console.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>

using namespace e2e;

namespace {

using TSoundResults = TCorvalinTest;

void ExpectErrorBox(const std::optional<driver::TMessageBox>& box, const std::wstring& text) {
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, text) << Describe(box->text);
    EXPECT_EQ(box->title, kTitle);
    EXPECT_EQ(box->icon, driver::TBoxIcon::Error);
}

// Nothing was typed into the console: the command ends with "Exit", so a console that had been given it
// would have gone by now.
void ExpectConsoleUntouched() {
    EXPECT_FALSE(driver::WaitUntil([] { return ConsoleProcesses().empty(); }, 1500))
        << "the console ran a command";
}

struct THandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, THandleCloser>;

// A plausible earlier result, as PowerShell writes one.
const std::string kStaleResult("\xFF\xFE"
                               "0\0"
                               "1\0"
                               "a\0"
                               "b\0"
                               "\r\0"
                               "\n\0",
                               14);

TEST_F(TSoundResults, LeftoverThatCannotBeRemovedEndsTheRunBeforeTyping) {
    const std::wstring path = ResultFilePath();
    const struct {
        const char* name;
        std::function<UniqueHandle()> keep; // keeps the leftover in place until the handle goes
    } cases[] = {
        {"read-only",
         [&] {
             ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
             return UniqueHandle();
         }},
        {"held open by another program without delete sharing",
         [&] {
             return UniqueHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(path, kStaleResult);
        const UniqueHandle held = c.keep();
        {
            TCorvalin app;
            FillIn(app);
            const std::optional<driver::TMessageBox> box = app.Generate();
            ExpectErrorBox(box, kPsFileNotDeleted + L"\n" + path);
            ExpectConsoleUntouched();
            if (box) app.Answer(*box);
            ExpectUsableAfterFailure(app);
        }
        EXPECT_TRUE(FileExists(path)) << "the leftover is still there, and it was not shown";
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        KillConsoles();
    }
}

TEST_F(TSoundResults, FolderThatCannotBeWrittenEndsTheRunBeforeTyping) {
    const std::wstring exe = ReadOnlyCorvalinPath();
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    const std::wstring probe = folder + L"\\probe.tmp";
    const HANDLE created = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (created != INVALID_HANDLE_VALUE) {
        ::CloseHandle(created);
        GTEST_SKIP() << "this machine gave no read-only folder (neither a read-only bind mount nor an "
                        "immutable folder could be made)";
    }
    TCorvalin app(TEnvironment{}, 1.0, exe);
    FillIn(app);
    const std::optional<driver::TMessageBox> box = app.Generate();
    ExpectErrorBox(box, kPsFolderNotWritable + L"\n" + folder);
    ExpectConsoleUntouched();
    if (box) app.Answer(*box);
    ExpectUsableAfterFailure(app);
}

// What the console wrote is not an encrypted password: nothing is shown, and the file goes.
TEST_F(TSoundResults, ResultWithoutAnEncryptedPasswordIsRefused) {
    const struct {
        const wchar_t* output; // what the console writes instead of its result
        const wchar_t* shown;  // the password line's value, or nullptr for the error box
    } cases[] = {
        {L"empty", nullptr},
        {L"bom", nullptr},
        {L"blank", nullptr},
        {L"line:ConvertFrom-SecureString : Key not valid", nullptr},
        {L"line:0100a", nullptr},
        {L"line:0100 00ab", nullptr},
        {L"line:01000000D08C9DDF", L"01000000D08C9DDF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "CORVALIN_PS_OUTPUT=" << c.output);
        TCorvalin app(TEnvironment{{L"CORVALIN_PS_OUTPUT", c.output}});
        FillIn(app);
        const std::optional<driver::TMessageBox> box = app.GenerateAllowingASlowConsole();
        if (c.shown) {
            EXPECT_EQ(box, std::nullopt);
            EXPECT_EQ(app.Lines(), (std::vector<std::wstring>{L"domain:s:SALES", L"username:s:maria",
                                                              kPasswordPrefix + c.shown}));
            EXPECT_TRUE(::IsWindowEnabled(app.Controls().btnClipboard));
        } else {
            ExpectErrorBox(box, kPsFileInvalid);
            if (box) app.Answer(*box);
            ExpectUsableAfterFailure(app);
        }
        EXPECT_FALSE(FileExists(ResultFilePath())) << "the file goes as after any read";
        EXPECT_TRUE(driver::WaitUntil([] { return ConsoleProcesses().empty(); }));
        KillConsoles();
    }
}

// Another program's console window, of the same class as PowerShell's, before "Gerar" is pressed.
class TForeignConsole {
public:
    TForeignConsole() : FProcess(driver::StartProgram(ForeignConsolePath())) {
        FWindow = driver::WaitForWindow(FProcess, kForeignConsoleTitle);
    }
    HWND Window() const { return FWindow; }
    // The characters and keys it was sent.
    LRESULT Received() const {
        DWORD_PTR count = 0;
        if (!::SendMessageTimeoutW(FWindow, kCountMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &count))
            throw driver::DriverError(L"the foreign console does not answer");
        return LRESULT(count);
    }

private:
    driver::TProcess FProcess;
    HWND FWindow = nullptr;
};

TEST_F(TSoundResults, PasswordGoesOnlyToPowerShellsConsole) {
    for (const bool powerShellFirst : {false, true}) {
        SCOPED_TRACE(powerShellFirst ? "PowerShell running, another console above it"
                                     : "another console, PowerShell started by Corvalin");
        std::optional<TStartedConsole> powerShell;
        if (powerShellFirst) powerShell = StartConsole();
        const TForeignConsole foreign;
        // The first window of the console class is the foreign one: typing into the first found would
        // give it the password.
        ASSERT_TRUE(driver::WaitUntil(
            [&] { return ::FindWindowW(L"ConsoleWindowClass", nullptr) == foreign.Window(); }, 5000));
        TCorvalin app;
        FillIn(app);
        EXPECT_EQ(app.GenerateAllowingASlowConsole(), std::nullopt);
        ExpectSuccess(app);
        EXPECT_EQ(foreign.Received(), 0) << "the foreign console was sent characters or keys";
        EXPECT_TRUE(driver::WaitUntil([] { return ConsoleProcesses().empty(); }))
            << "PowerShell ran the command and exited";
        KillConsoles();
    }
}

bool SecretMarks() {
    const auto zero = [](const std::optional<std::vector<unsigned char>>& data) {
        return data && data->size() >= 4 && (*data)[0] == 0 && (*data)[1] == 0 && (*data)[2] == 0 &&
               (*data)[3] == 0;
    };
    return driver::ClipboardData(L"ExcludeClipboardContentFromMonitorProcessing").has_value() &&
           zero(driver::ClipboardData(L"CanIncludeInClipboardHistory")) &&
           zero(driver::ClipboardData(L"CanUploadToCloudClipboard"));
}

// The manual step's command holds the password in clear: on the clipboard it is marked to stay out of
// history, cloud and monitors, and it goes once the run no longer needs it, unless something else has
// replaced it meanwhile.
TEST_F(TSoundResults, ManualStepsCommandIsMarkedSecretAndLeavesTheClipboard) {
    const struct {
        const char* name;
        const wchar_t* faultName;
        const wchar_t* faultValue;
        bool replaceDuringBox;
    } cases[] = {
        {"the console never runs it", L"CORVALIN_PS_IGNORE_ENTER", L"1", false},
        {"the console writes the file during the box", L"CORVALIN_PS_RUN_DELAY_MS", L"8000", false},
        {"another program replaces it during the box", L"CORVALIN_PS_IGNORE_ENTER", L"1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TCorvalin app(TEnvironment{{c.faultName, c.faultValue}});
        FillIn(app);
        driver::SetClipboardText(L"before");
        const std::optional<driver::TMessageBox> manual = app.Generate();
        ASSERT_TRUE(manual.has_value());
        ASSERT_EQ(manual->text, kCommandCopied);
        const std::optional<std::wstring> command = driver::ClipboardText();
        ASSERT_TRUE(command.has_value());
        EXPECT_NE(command->find(L"ConvertTo-SecureString"), std::wstring::npos) << Describe(*command);
        EXPECT_TRUE(SecretMarks()) << "the command lacks the formats that keep it out of history and sync";
        const bool fileComes = std::wstring(c.faultName) == L"CORVALIN_PS_RUN_DELAY_MS";
        if (fileComes) {
            ASSERT_TRUE(driver::WaitUntil([] { return FileExists(ResultFilePath()); }));
        }
        if (c.replaceDuringBox) driver::SetClipboardText(L"someone else's");

        app.Answer(*manual);
        const std::optional<driver::TMessageBox> after = app.WaitForBoxOrIdle();
        if (fileComes) {
            EXPECT_EQ(after, std::nullopt);
            ExpectSuccess(app);
        } else {
            ExpectErrorBox(after, kFileNotFound);
            if (after) app.Answer(*after);
            ExpectUsableAfterFailure(app);
        }
        if (c.replaceDuringBox) {
            EXPECT_EQ(driver::ClipboardText(), L"someone else's") << "another program's text is left alone";
        } else {
            EXPECT_EQ(driver::ClipboardText(), std::nullopt) << "the command stays on the clipboard";
        }
        KillConsoles();
    }
}

} // namespace
