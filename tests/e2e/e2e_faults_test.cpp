// Faults around a run: a console that is missing, mute, slow or holds the result file; a stale result
// file; another program holding the clipboard; the window closed while a run waits. Each ends in the box
// the program promises, never hangs, and leaves the window usable.
#include "corvalin_app.h"
#include "corvalin_texts.h"
#include "e2e_expect.h"
#include "e2e_fixture.h"

#include <gtest/gtest.h>

#include <iostream>

using namespace e2e;

namespace {

using TFaults = TCorvalinTest;

TEST_F(TFaults, NoConsoleWindowEndsInNotFoundAfterBothSearches) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_NO_WINDOW", L"1"}});
    FillIn(app);
    driver::SetClipboardText(L"before");
    const ULONGLONG start = ::GetTickCount64();
    const std::optional<driver::TMessageBox> box = app.Generate();
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, kPsNotFound);
    EXPECT_EQ(box->title, kTitle);
    EXPECT_EQ(box->icon, driver::TBoxIcon::Error);
    EXPECT_GE(elapsed, 19000u) << "twenty half-second passes by class, then twenty by title";
    EXPECT_LE(elapsed, 40000u) << "no more than the two searches";
    app.Answer(*box);
    ExpectUsableAfterFailure(app);
    EXPECT_EQ(driver::ClipboardText(), L"before");
}

TEST_F(TFaults, MuteConsoleGivesTheManualStepThenFileNotFound) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_IGNORE_ENTER", L"1"}});
    FillIn(app);
    driver::SetClipboardText(L"before");
    const std::optional<driver::TMessageBox> manual = app.Generate();
    ASSERT_TRUE(manual.has_value());
    EXPECT_EQ(manual->text, kCommandCopied);
    EXPECT_EQ(manual->title, kTitle);
    EXPECT_EQ(manual->icon, driver::TBoxIcon::Warning);
    EXPECT_TRUE(app.Busy());
    const std::optional<std::wstring> command = driver::ClipboardText();
    ASSERT_TRUE(command.has_value());
    EXPECT_NE(command->find(L"ConvertTo-SecureString"), std::wstring::npos) << Describe(*command);

    app.Answer(*manual);
    const std::optional<driver::TMessageBox> notFound = app.WaitForBoxOrIdle();
    ASSERT_TRUE(notFound.has_value());
    EXPECT_EQ(notFound->text, kFileNotFound);
    EXPECT_EQ(notFound->title, kTitle);
    EXPECT_EQ(notFound->icon, driver::TBoxIcon::Error);
    app.Answer(*notFound);
    ExpectUsableAfterFailure(app);
    EXPECT_EQ(driver::ClipboardText(), std::nullopt) << "the command, password and all, left the clipboard";
    EXPECT_FALSE(FileExists(ResultFilePath()));
}

TEST_F(TFaults, SlowConsoleFileWrittenDuringTheManualStepIsReadAfterOk) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_RUN_DELAY_MS", L"7000"}});
    FillIn(app);
    const std::optional<driver::TMessageBox> manual = app.Generate();
    ASSERT_TRUE(manual.has_value());
    EXPECT_EQ(manual->text, kCommandCopied);
    EXPECT_EQ(manual->icon, driver::TBoxIcon::Warning);
    EXPECT_FALSE(FileExists(ResultFilePath())) << "the console is still waiting to run the line";
    ASSERT_TRUE(driver::WaitUntil([] { return FileExists(ResultFilePath()); }));
    app.Answer(*manual);
    EXPECT_EQ(app.WaitForBoxOrIdle(), std::nullopt);
    ExpectSuccess(app);
    EXPECT_FALSE(FileExists(ResultFilePath()));
}

// The console holds the result file open while it writes it: the read is tried again after each pause,
// for as long as the file wait would wait.
TEST_F(TFaults, ResultFileHeldOpenForAMomentIsReadOnceLetGo) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_HOLD_FILE_MS", L"2000"}});
    FillIn(app);
    EXPECT_EQ(app.GenerateAllowingASlowConsole(), std::nullopt);
    ExpectSuccess(app);
    EXPECT_FALSE(FileExists(ResultFilePath()));
}

TEST_F(TFaults, ResultFileHeldOpenTooLongShowsTheReadError) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_HOLD_FILE_MS", L"15000"}});
    FillIn(app);
    app.StartGenerate();
    ASSERT_TRUE(driver::WaitUntil([] { return FileExists(ResultFilePath()); }));
    const ULONGLONG appeared = ::GetTickCount64();
    const std::optional<driver::TMessageBox> box = app.WaitForBox();
    const ULONGLONG elapsed = ::GetTickCount64() - appeared;
    ASSERT_TRUE(box.has_value());
    std::cout << "the read error reads: ";
    driver::PrintTo(*box, &std::cout);
    std::cout << " (after " << elapsed << " ms)\n";
    EXPECT_GE(elapsed, 4500u) << "ten pauses of half a second before giving up";
    EXPECT_EQ(box->title, kTitle) << "the application title, from the executable's name";
    EXPECT_EQ(box->icon, driver::TBoxIcon::Error);
    EXPECT_EQ(box->text.rfind(L"Cannot open file \"" + ResultFilePath() + L"\"", 0), 0u)
        << Describe(box->text);
    app.Answer(*box);
    ExpectUsableAfterFailure(app);
    EXPECT_TRUE(FileExists(ResultFilePath())) << "a file that could not be read stays";
}

TEST_F(TFaults, StaleResultFileIsNeverTakenForTheNewOne) {
    TCorvalin app;
    FillIn(app);
    // A plausible earlier result: hexadecimal digits in UTF-16 with its mark, as PowerShell writes them.
    static const char kJunk[] = "\xFF\xFE"
                                "0\0"
                                "1\0"
                                "0\0"
                                "0\0"
                                "d\0"
                                "e\0"
                                "a\0"
                                "d\0"
                                "\r\0"
                                "\n\0";
    WriteFileBytes(ResultFilePath(), std::string(kJunk, sizeof kJunk - 1));
    EXPECT_EQ(app.Generate(), std::nullopt);
    ASSERT_FALSE(app.Lines().empty());
    EXPECT_NE(app.Lines().back(), kPasswordPrefix + L"0100dead");
    ExpectSuccess(app);
    EXPECT_FALSE(FileExists(ResultFilePath()));
}

TEST_F(TFaults, ClipboardHeldDuringCopyShowsTheErrorAndChangesNothing) {
    TCorvalin app;
    FillIn(app);
    ASSERT_EQ(app.Generate(), std::nullopt);
    const std::vector<std::wstring> lines = app.Lines();
    driver::SetClipboardText(L"before");
    std::optional<driver::TMessageBox> box;
    {
        driver::TClipboardHolder holder;
        box = app.Copy();
        ASSERT_TRUE(box.has_value());
    }
    EXPECT_EQ(box->text.rfind(kCannotOpenClipboard, 0), 0u) << Describe(box->text);
    EXPECT_GT(box->text.size(), kCannotOpenClipboard.size() + 1) << "the system's description follows";
    EXPECT_EQ(box->text.back(), L'.');
    EXPECT_EQ(box->title, kTitle);
    EXPECT_EQ(box->icon, driver::TBoxIcon::Error);
    app.Answer(*box);
    EXPECT_EQ(driver::ClipboardText(), L"before");
    EXPECT_EQ(app.Lines(), lines);
    EXPECT_TRUE(::IsWindowEnabled(app.Controls().btnClipboard));

    EXPECT_EQ(app.Copy(), std::nullopt);
    EXPECT_TRUE(driver::WaitUntil([&] {
        return driver::ClipboardText() == lines[0] + L"\r\n" + lines[1] + L"\r\n" + lines[2] + L"\r\n";
    }));
}

TEST_F(TFaults, ClipboardHeldAtTheManualStepShowsTheErrorAndNoManualBox) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_IGNORE_ENTER", L"1"}});
    FillIn(app);
    driver::SetClipboardText(L"before");
    std::optional<driver::TMessageBox> box;
    {
        driver::TClipboardHolder holder;
        app.StartGenerate();
        box = app.WaitForBox(); // the error escapes the run, and its box comes once the run has ended
    }
    EXPECT_EQ(box->text.rfind(kCannotOpenClipboard, 0), 0u) << Describe(box->text);
    EXPECT_EQ(box->text.back(), L'.');
    EXPECT_EQ(box->title, kTitle);
    EXPECT_EQ(box->icon, driver::TBoxIcon::Error);
    app.Answer(*box);
    EXPECT_FALSE(driver::WaitUntil([&] { return driver::FindMessageBox(app.Process()) != nullptr; }, 1500))
        << "the run ended with the error: no manual box, no second test of the file";
    ExpectUsableAfterFailure(app);
    EXPECT_EQ(driver::ClipboardText(), L"before");
}

// The window closed while a run waits: the run goes on to its end, and the program ends with 0 only then.
// That the console ran the typed command and exited, and that the result file was read and deleted, shows
// that the run went all the way.
TEST_F(TFaults, ClosedWhileWaitingForTheConsoleWindow) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_NO_CLASS", L"1"}});
    FillIn(app);
    app.StartGenerate();
    ASSERT_TRUE(app.Busy());
    const ULONGLONG start = ::GetTickCount64();
    ASSERT_TRUE(driver::WaitUntil([] { return !ConsoleProcesses().empty(); }));
    ::Sleep(1000); // well inside the ten seconds of the class search
    ::PostMessageW(app.Form(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(app.Process().WaitForExit(2000).has_value()) << "the program ended before its run";
    EXPECT_TRUE(::IsWindowVisible(app.Form()));
    EXPECT_EQ(app.Process().WaitForExit(driver::kStepTimeoutMs), 0u);
    EXPECT_GE(::GetTickCount64() - start, 8000u) << "the class search ran its course";
    EXPECT_TRUE(driver::WaitUntil([] { return ConsoleProcesses().empty(); })) << "the command was typed";
    EXPECT_FALSE(FileExists(ResultFilePath()));
}

TEST_F(TFaults, ClosedWithAltF4WhileWaitingForTheFile) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_RUN_DELAY_MS", L"3000"}});
    FillIn(app);
    app.StartGenerate();
    ASSERT_TRUE(app.Busy());
    HWND console = nullptr;
    ASSERT_TRUE(driver::WaitUntil([&] { return (console = ::FindWindowW(L"ConsoleWindowClass", nullptr)); }));
    ::Sleep(1500); // the command is typed by now, and the console waits before it runs it
    ASSERT_FALSE(FileExists(ResultFilePath()));
    driver::Activate(app.Form());
    driver::PressKey(VK_F4, driver::mkAlt);
    EXPECT_FALSE(app.Process().WaitForExit(500).has_value()) << "the program ended before its run";
    EXPECT_EQ(app.Process().WaitForExit(driver::kStepTimeoutMs), 0u);
    EXPECT_TRUE(driver::WaitUntil([] { return ConsoleProcesses().empty(); }));
    EXPECT_FALSE(FileExists(ResultFilePath())) << "the result was read and deleted";
}

TEST_F(TFaults, ClosedWhileTheManualBoxIsOpen) {
    TCorvalin app(TEnvironment{{L"CORVALIN_PS_IGNORE_ENTER", L"1"}});
    FillIn(app);
    const std::optional<driver::TMessageBox> manual = app.Generate();
    ASSERT_TRUE(manual.has_value());
    EXPECT_EQ(manual->text, kCommandCopied);
    ::PostMessageW(app.Form(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(app.Process().WaitForExit(1000).has_value()) << "the program ended before its run";
    EXPECT_TRUE(::IsWindowVisible(manual->hwnd))
        << "the manual box stays until it is answered; it was "
        << (::IsWindow(manual->hwnd) ? "hidden" : "closed") << " without an answer";
    if (::IsWindowVisible(manual->hwnd)) app.Answer(*manual);
    // The run goes on: the file is tested once more and its box comes; only then does the program end.
    HWND box = nullptr;
    EXPECT_TRUE(driver::WaitUntil([&] { return (box = driver::FindMessageBox(app.Process())) != nullptr; }))
        << "no \""
        << "Arquivo de senha n\u00E3o encontrado."
        << "\" box; the program " << (app.Process().Running() ? "still runs" : "has ended");
    if (box) {
        driver::Activate(box);
        const driver::TMessageBox notFound = driver::ReadMessageBox(box);
        EXPECT_EQ(notFound.text, kFileNotFound);
        EXPECT_EQ(notFound.icon, driver::TBoxIcon::Error);
        EXPECT_TRUE(app.Process().Running());
        app.Answer(notFound);
    }
    EXPECT_EQ(app.Process().WaitForExit(driver::kStepTimeoutMs), 0u);
}

} // namespace
