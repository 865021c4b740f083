// The application object: its default title, the general error handler, the start-up show command and
// the clipboard.
#include "ui_support.h"

#include "toolkit/application_texts.h"
#include "toolkit/button.h"
#include "toolkit/clipboard.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplicationTexts, DefaultTitleFromTheExecutableName) {
    const struct {
        const wchar_t* Path;
        const wchar_t* Title;
    } cases[] = {
        {L"C:\\Program Files\\Corvalin\\Corvalin.exe", L"Corvalin"},
        {L"C:\\x\\MyTool.Setup.exe", L"Mytool"},
        {L"MYTOOL.EXE", L"Mytool"},
        {L"d:/tools/ÁGUA.exe", L"Água"},
        {L"C:\\x.y\\noextension", L"noextension"}, // the first letter stays as it is
        {L"C:\\dir\\.hidden.exe", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DefaultApplicationTitle(c.Path), c.Title) << c.Path;
}

TEST(ApplicationTexts, ErrorTextGetsAPeriodAfterACharacterAboveThePeriod) {
    const struct {
        const wchar_t* Message;
        const wchar_t* Shown;
    } cases[] = {
        {L"Cannot open clipboard: Access denied", L"Cannot open clipboard: Access denied."},
        {L"Done.", L"Done."},
        {L"Ends with a dash -", L"Ends with a dash -"},    // '-' (U+002D) is below '.'
        {L"Ends with a slash /", L"Ends with a slash /."}, // '/' (U+002F) is just above
        {L"Why?", L"Why?."},                               // '?' (U+003F) is above too
        {L"Olá!", L"Olá!"},                                // '!' (U+0021) is below
        {L"Quantia 10", L"Quantia 10."},
        {L"Ação", L"Ação."},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorBoxText(c.Message), c.Shown) << c.Message;
}

TEST(ApplicationTexts, StartupShowCommand) {
    const struct {
        DWORD Flags;
        WORD Show;
        int Expected;
    } cases[] = {
        {STARTF_USESHOWWINDOW, SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
        {STARTF_USESHOWWINDOW, SW_SHOWMINNOACTIVE, SW_SHOWMINNOACTIVE},
        {STARTF_USESHOWWINDOW, SW_SHOWMINIMIZED, SW_SHOWNORMAL},
        {STARTF_USESHOWWINDOW, SW_HIDE, SW_SHOWNORMAL},
        {0, SW_SHOWMAXIMIZED, SW_SHOWNORMAL},
    };
    for (const auto& c : cases) {
        STARTUPINFOW info{};
        info.cb = sizeof(info);
        info.dwFlags = c.Flags;
        info.wShowWindow = c.Show;
        EXPECT_EQ(StartupShowCommand(info), c.Expected) << c.Flags << " " << c.Show;
    }
}

// A control whose handler of WM_APP raises an error.
class TFailingControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    int Raised = 0;

protected:
    void WndProc(TMessage& M) override {
        if (M.Msg == WM_APP) {
            ++Raised;
            throw Exception(L"Second failure");
        }
        TWinControl::WndProc(M);
    }
};

TEST(ErrorHandler, ErrorFromAHandlerReachesTheBoxAndTheProgramRunsOn) {
    auto form = NewForm(200, 100);
    auto* button = NewControl<TcxButton>(form.get(), 10, 10, 75, 25);
    auto* failing = NewControl<TFailingControl>(form.get(), 100, 10, 20, 20);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        throw Exception(L"Falha ao gerar");
    };
    ASSERT_TRUE(BringToFront(*form));
    const HWND failingWindow = failing->Handle();
    {
        // While the first box is shown a second error is raised: it does not open a second box.
        TBoxWatcher watcher([&] {
            PostMessageW(failingWindow, WM_APP, 0, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        });
        PostMessageW(button->Handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return clicks == 1 && failing->Raised == 1; }, 5000));
        Pump(500);
        const auto boxes = watcher.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Text, L"Falha ao gerar.");
        EXPECT_EQ(boxes[0].Title, Application->Title());
    }
    EXPECT_EQ(Application->Title(), L"toolkit_ui_test") << "the executable's name";
    // The program runs on: the next error gets its box again.
    TBoxWatcher watcher;
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(watcher.Boxes().size(), 1u);
    EXPECT_EQ(watcher.Boxes()[0].Text, L"Falha ao gerar.");
}

TEST(ClipboardText, PutsUnicodeTextWithTheApplicationWindowAsOwner) {
    const std::wstring text = L"domain:s:CORP\r\nusername:s:José\r\n";
    Clipboard()->SetAsText(text);
    EXPECT_EQ(Clipboard()->AsText(), text);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardOwner(), Application->Handle());
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(data, nullptr);
    const auto* stored = static_cast<const wchar_t*>(GlobalLock(data));
    ASSERT_NE(stored, nullptr);
    EXPECT_GE(GlobalSize(data), (text.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(std::wstring(stored, text.size() + 1), text + L'\0') << "the text and one NUL";
    GlobalUnlock(data);
    CloseClipboard();

    Clipboard()->SetAsText(L"");
    EXPECT_EQ(Clipboard()->AsText(), L"");
}

} // namespace
