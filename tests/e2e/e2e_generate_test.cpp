// The Generate workflow and Copy of the real program, driven from outside with the substitute console.
#include "corvalin_app.h"
#include "corvalin_texts.h"
#include "e2e_fixture.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

using TGenerate = TCorvalinTest;

void ExpectResult(TCorvalin& app, const std::wstring& domain, const std::wstring& username,
                  const std::wstring& password) {
    const std::vector<std::wstring> lines = app.Lines();
    ASSERT_EQ(lines.size(), 3u) << DescribeWindowTree(app.Form());
    EXPECT_EQ(lines[0], kDomainPrefix + domain);
    EXPECT_EQ(lines[1], kUsernamePrefix + username);
    EXPECT_EQ(DecryptedPassword(lines[2]), password);
}

TEST_F(TGenerate, RunsShowTheLinesAndCopyPutsThemOnTheClipboard) {
    TCorvalin app;
    const TControls& c = app.Controls();
    const std::wstring password = L"Pa$$w \"or`d";
    app.Enter(c.edtUsername, L"SALES\\maria");
    app.Enter(c.edtPassword, password);
    driver::SetClipboardText(L"left by someone else");

    EXPECT_EQ(app.Generate(), std::nullopt);
    ExpectResult(app, L"SALES", L"maria", password);
    EXPECT_TRUE(::IsWindowEnabled(c.redtConfiguration));
    EXPECT_TRUE(::IsWindowEnabled(c.btnClipboard));
    EXPECT_FALSE(FileExists(ResultFilePath())) << "the result file is deleted after reading";
    EXPECT_EQ(driver::ClipboardText(), L"left by someone else")
        << "a run without the manual step copies nothing";

    const std::vector<std::wstring> lines = app.Lines();
    const std::wstring copied = lines[0] + L"\r\n" + lines[1] + L"\r\n" + lines[2] + L"\r\n";
    EXPECT_EQ(app.Copy(), std::nullopt);
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::ClipboardText() == copied; }))
        << "clipboard: " << Describe(driver::ClipboardText().value_or(L"(no text)"));
    driver::SetClipboardText(L"x");
    EXPECT_EQ(app.Copy(), std::nullopt);
    EXPECT_TRUE(driver::WaitUntil([&] { return driver::ClipboardText() == copied; }))
        << "a second Copy gives the same text";
    EXPECT_EQ(app.Lines(), lines) << "Copy changes nothing in the window";

    // A second run starts a console of its own (the first one has exited) and replaces the lines.
    app.Enter(c.edtUsername, L"joao");
    app.Enter(c.edtPassword, L"  segredo 2  ");
    EXPECT_EQ(app.Generate(), std::nullopt);
    ExpectResult(app, kDefaultDomain, L"joao", L"segredo 2");
    EXPECT_TRUE(app.Idle());
}

TEST_F(TGenerate, MissingInputsWarnAndFocusTheFieldAtFault) {
    TCorvalin app;
    const TControls& c = app.Controls();
    app.Enter(c.edtUsername, L"maria");
    app.Enter(c.edtPassword, L"segredo");
    ASSERT_EQ(app.Generate(), std::nullopt);
    const std::vector<std::wstring> earlier = app.Lines();
    ASSERT_EQ(earlier.size(), 3u);

    struct TCase {
        const wchar_t* user;
        const wchar_t* password;
        const std::wstring& message;
        HWND focus;
    };
    const TCase cases[] = {
        {L"", L"", kUsernameIsEmpty, c.edtUsername},           // both missing: only the user is named
        {L"   ", L"segredo", kUsernameIsEmpty, c.edtUsername}, // blanks are no user name
        {L"maria", L"", kPasswordIsEmpty, c.edtPassword},
        {L"maria", L"    ", kPasswordIsEmpty, c.edtPassword},
    };
    for (const TCase& t : cases) {
        SCOPED_TRACE(L"user \"" + std::wstring(t.user) + L"\", password \"" + t.password + L"\"");
        app.Enter(c.edtUsername, t.user);
        app.Enter(c.edtPassword, t.password);
        const std::optional<driver::TMessageBox> box = app.Generate();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, t.message);
        EXPECT_EQ(box->title, kTitle);
        EXPECT_EQ(box->icon, driver::TBoxIcon::Warning);
        app.Answer(*box);
        EXPECT_TRUE(driver::WaitUntil([&] { return app.Focused() == t.focus; }))
            << "focus on " << ControlName(c, app.Focused());
        EXPECT_EQ(app.Lines(), earlier) << "a failed check leaves the earlier lines";
        EXPECT_TRUE(::IsWindowEnabled(c.redtConfiguration));
        EXPECT_TRUE(::IsWindowEnabled(c.btnClipboard));
        EXPECT_TRUE(app.Idle());
    }
}

TEST_F(TGenerate, TitleOnlyConsoleIsFoundAfterTheClassSearch) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_NO_CLASS", L"1"}});
    const TControls& c = app.Controls();
    app.Enter(c.edtUsername, L"maria");
    app.Enter(c.edtPassword, L"t$tle `only\"");
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(app.Generate(), std::nullopt);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    ExpectResult(app, kDefaultDomain, L"maria", L"t$tle `only\"");
    // Twenty passes of half a second by class come first; the title is then found long before its own
    // twenty passes would have run (room is left for a loaded machine).
    EXPECT_GE(elapsed, 9500u);
    EXPECT_LE(elapsed, 19000u);
}

TEST_F(TGenerate, ManualStepCompletedByRunningTheCopiedCommand) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_IGNORE_ENTER", L"1"}});
    const TControls& c = app.Controls();
    const std::wstring password = L"Olá \"$x\" `$(Exit)`";
    app.Enter(c.edtUsername, L"SALES\\maria");
    app.Enter(c.edtPassword, password);
    driver::SetClipboardText(L"before");

    const std::optional<driver::TMessageBox> box = app.Generate();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, kCommandCopied);
    EXPECT_EQ(box->title, kTitle);
    EXPECT_EQ(box->icon, driver::TBoxIcon::Warning);
    EXPECT_TRUE(app.Busy()) << "the run is still going on";
    EXPECT_FALSE(FileExists(ResultFilePath()));

    const std::optional<std::wstring> command = driver::ClipboardText();
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->rfind(L"(\"", 0), 0u) << Describe(*command);
    const std::wstring tail = L"\"; Exit;";
    ASSERT_GE(command->size(), tail.size());
    EXPECT_EQ(command->substr(command->size() - tail.size()), tail) << Describe(*command);
    const std::wstring redirection = L" | ConvertFrom-SecureString > \"";
    const size_t at = command->find(redirection);
    ASSERT_NE(at, std::wstring::npos) << Describe(*command);
    const std::wstring target =
        command->substr(at + redirection.size(), command->size() - tail.size() - at - redirection.size());
    EXPECT_EQ(::CompareStringOrdinal(target.c_str(), -1, ResultFilePath().c_str(), -1, TRUE), CSTR_EQUAL)
        << Describe(target);

    // The operator runs the copied command in a console of their own, then presses OK.
    TStartedConsole console = StartConsole();
    TypeIntoConsole(console.window, *command);
    ASSERT_TRUE(driver::WaitUntil([] { return FileExists(ResultFilePath()); }));
    EXPECT_TRUE(console.process.WaitForExit(driver::kStepTimeoutMs).has_value())
        << "the command ends with Exit";
    app.Answer(*box);
    EXPECT_EQ(app.WaitForBoxOrIdle(), std::nullopt);
    ExpectResult(app, L"SALES", L"maria", password);
    EXPECT_FALSE(FileExists(ResultFilePath()));
    EXPECT_EQ(driver::ClipboardText(), std::nullopt) << "the command, password and all, left the clipboard";
    EXPECT_TRUE(::IsWindowEnabled(c.btnClipboard));
}

} // namespace
