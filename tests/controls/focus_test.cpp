// Focus highlight and status-bar hint of both labelled editors on a real main window: the caption red
// while focused and window-text coloured after, the hint in the last panel of the main window's
// "StatusBar", the lookup of that status bar, and the order of the steps around the base handlers.
#include "ui_support.h"

#include "controls/mcEdit.h"
#include "controls/mcRichEdit.h"
#include "toolkit/frame.h"
#include "toolkit/label.h"
#include "toolkit/status_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr TColor Red = 255;
constexpr TColor WindowText = TColor(0xFF000008);

TStatusBar* NewStatusBar(TForm& Parent, TComponent& Owner, const wchar_t* Name,
                         std::initializer_list<const wchar_t*> Panels) {
    auto* bar = new TStatusBar(&Owner);
    static_cast<TControl*>(bar)->SetParent(&Parent);
    bar->SetName(Name);
    for (const wchar_t* text : Panels)
        bar->Panels().Add().SetText(text);
    return bar;
}

std::vector<std::wstring> PanelTexts(TStatusBar& Bar) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < Bar.Panels().Count(); ++i)
        texts.push_back(Bar.Panels().Items(i).Text());
    return texts;
}

template <class E> class FocusHighlight : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(400, 260);
        ASSERT_EQ(Application->MainForm(), form.get()) << "the first form of the test is the main window";
        statusBar = NewStatusBar(*form, *form, L"StatusBar", {L"one", L"two", L"three"});
        first = NewControl<E>(form.get(), 20, 40, 150, 21);
        first->AutoLabel()->SetCaption(L"Usu\x00E1rio");
        first->SetHint(L"Nome do usu\x00E1rio");
        second = NewControl<E>(form.get(), 20, 100, 150, 21);
        second->AutoLabel()->SetCaption(L"Senha");
        second->SetHint(L"Senha do usu\x00E1rio");
        plain = NewControl<TcxTextEdit>(form.get(), 20, 160, 150, 21);
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(FocusOn(*plain));
    }

    std::wstring LastPanel() { return statusBar->Panels().Items(2).Text(); }

    TOwned<TForm> form;
    TStatusBar* statusBar = nullptr;
    E* first = nullptr;
    E* second = nullptr;
    TcxTextEdit* plain = nullptr;
};

struct EditorNames {
    template <class T> static std::string GetName(int) {
        return std::is_same_v<T, TmcEdit> ? "TmcEdit" : "TmcRichEdit";
    }
};
using Editors = ::testing::Types<TmcEdit, TmcRichEdit>;
TYPED_TEST_SUITE(FocusHighlight, Editors, EditorNames);

TYPED_TEST(FocusHighlight, CaptionRedWhileFocusedAndWindowTextAfterwardsNeverItsDesignedColour) {
    TBoundLabel* user = this->first->AutoLabel();
    TBoundLabel* password = this->second->AutoLabel();
    user->Font().SetColor(clBlue);
    password->Font().SetColor(clBlue);

    ASSERT_TRUE(FocusOn(*this->first));
    EXPECT_EQ(user->Font().Color(), Red);
    EXPECT_EQ(password->Font().Color(), clBlue) << "untouched until its first entry";

    ASSERT_TRUE(FocusOn(*this->second));
    EXPECT_EQ(user->Font().Color(), WindowText);
    EXPECT_EQ(password->Font().Color(), Red);

    ASSERT_TRUE(FocusOn(*this->plain));
    EXPECT_EQ(password->Font().Color(), WindowText);

    PressKey(VK_TAB, {VK_SHIFT});
    PressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(this->first->Focused()) << "the keyboard moves the focus the same way";
    EXPECT_EQ(user->Font().Color(), Red);
}

TYPED_TEST(FocusHighlight, LastPanelHoldsTheFocusedEditorsHint) {
    ASSERT_TRUE(FocusOn(*this->first));
    EXPECT_EQ(PanelTexts(*this->statusBar),
              (std::vector<std::wstring>{L"one", L"two", L"Nome do usu\x00E1rio"}));

    ASSERT_TRUE(FocusOn(*this->second));
    EXPECT_EQ(this->LastPanel(), L"Senha do usu\x00E1rio") << "the old editor's exit empties it first";

    ASSERT_TRUE(FocusOn(*this->plain));
    EXPECT_EQ(PanelTexts(*this->statusBar), (std::vector<std::wstring>{L"one", L"two", L""}));

    // Whatever else wrote there is overwritten on entry and emptied on exit.
    this->statusBar->Panels().Items(2).SetText(L"other");
    ASSERT_TRUE(FocusOn(*this->first));
    EXPECT_EQ(this->LastPanel(), L"Nome do usu\x00E1rio");
    this->statusBar->Panels().Items(2).SetText(L"other");
    ASSERT_TRUE(FocusOn(*this->plain));
    EXPECT_EQ(this->LastPanel(), L"");

    // An editor without a hint empties the panel on entry.
    this->second->SetHint(L"");
    this->statusBar->Panels().Items(2).SetText(L"stale");
    ASSERT_TRUE(FocusOn(*this->second));
    EXPECT_EQ(this->LastPanel(), L"");
}

TYPED_TEST(FocusHighlight, BaseHandlersRunBeforeTheColourAndStatusBarSteps) {
    struct TSeen {
        TColor Colour;
        std::wstring Panel;
    };
    std::vector<TSeen> entries, exits;
    this->first->OnEnter = [&](TObject*) {
        entries.push_back({this->first->AutoLabel()->Font().Color(), this->LastPanel()});
    };
    this->first->OnExit = [&](TObject*) {
        exits.push_back({this->first->AutoLabel()->Font().Color(), this->LastPanel()});
    };
    this->first->AutoLabel()->Font().SetColor(clBlue);
    ASSERT_TRUE(FocusOn(*this->first));
    ASSERT_TRUE(FocusOn(*this->plain));
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_EQ(exits.size(), 1u);
    EXPECT_EQ(entries[0].Colour, clBlue);
    EXPECT_EQ(entries[0].Panel, L"");
    EXPECT_EQ(exits[0].Colour, Red);
    EXPECT_EQ(exits[0].Panel, L"Nome do usu\x00E1rio");
}

// Each case builds the main window's components around two editors whose hint is "Dica".
TEST(StatusBarHint, FoundByNameInAnyCaseAmongTheMainWindowsOwnComponentsOnly) {
    using Texts = std::vector<std::wstring>;
    const struct {
        const char* Name;
        std::function<TStatusBar*(TForm&)> Build; // the bar to look at afterwards
        Texts After;
    } cases[] = {
        {"StatusBar",
         [](TForm& f) {
             return NewStatusBar(f, f, L"StatusBar", {L"a", L"antes"});
         },
         {L"a", L"Dica"}},
        {"name in lower case",
         [](TForm& f) { return NewStatusBar(f, f, L"statusbar", {L"antes"}); },
         {L"Dica"}},
        {"another name", [](TForm& f) { return NewStatusBar(f, f, L"Status", {L"antes"}); }, {L"antes"}},
        {"owned by a frame on the main window",
         [](TForm& f) {
             auto* frame = NewControl<TFrame>(&f, 200, 0, 100, 50);
             return NewStatusBar(f, *frame, L"StatusBar", {L"antes"});
         },
         {L"antes"}},
        {"no panels", [](TForm& f) { return NewStatusBar(f, f, L"StatusBar", {}); }, {}},
        {"a label named StatusBar",
         [](TForm& f) {
             auto* label = new TLabel(&f);
             static_cast<TControl*>(label)->SetParent(&f);
             label->SetName(L"StatusBar");
             label->SetCaption(L"antes");
             return NewStatusBar(f, f, L"Other", {L"antes"});
         },
         {L"antes"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto form = NewForm(400, 200);
        ASSERT_EQ(Application->MainForm(), form.get());
        TStatusBar* bar = c.Build(*form);
        auto* editor = NewControl<TmcEdit>(form.get(), 20, 40, 150, 21);
        editor->SetHint(L"Dica");
        auto* rich = NewControl<TmcRichEdit>(form.get(), 20, 80, 150, 40);
        rich->SetHint(L"Dica");
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(FocusOn(*editor));
        EXPECT_EQ(PanelTexts(*bar), c.After) << "single-line editor";
        ASSERT_TRUE(FocusOn(*rich));
        EXPECT_EQ(PanelTexts(*bar), c.After) << "rich editor";
        if (auto* label = dynamic_cast<TLabel*>(form->FindComponent(L"StatusBar"))) {
            EXPECT_EQ(label->Caption(), L"antes");
        }
    }
}

TEST(StatusBarHint, AnEditorOnASecondWindowWritesIntoTheMainWindowsStatusBar) {
    auto mainForm = NewForm(300, 100);
    ASSERT_EQ(Application->MainForm(), mainForm.get());
    TStatusBar* mainBar = NewStatusBar(*mainForm, *mainForm, L"StatusBar", {L"x", L"antes"});
    auto second = NewForm(300, 160);
    TStatusBar* ownBar = NewStatusBar(*second, *second, L"StatusBar", {L"antes"});
    auto* editor = NewControl<TmcEdit>(second.get(), 20, 20, 150, 21);
    editor->SetHint(L"Dica");
    auto* other = NewControl<TcxTextEdit>(second.get(), 20, 60, 150, 21);
    ASSERT_TRUE(BringToFront(*mainForm));
    ASSERT_TRUE(BringToFront(*second));
    ASSERT_TRUE(FocusOn(*editor));
    EXPECT_EQ(PanelTexts(*mainBar), (std::vector<std::wstring>{L"x", L"Dica"}));
    EXPECT_EQ(PanelTexts(*ownBar), (std::vector<std::wstring>{L"antes"}));
    ASSERT_TRUE(FocusOn(*other));
    EXPECT_EQ(PanelTexts(*mainBar), (std::vector<std::wstring>{L"x", L""}));
    EXPECT_EQ(PanelTexts(*ownBar), (std::vector<std::wstring>{L"antes"}));
}

// The password editor's character case is set back to normal before the base entry handler runs, for
// good; an editor that is no password keeps its case.
TEST(PasswordCharCase, ResetToNormalOnEntryAndNotRestored) {
    const struct {
        const char* Name;
        TcxEditEchoMode Echo;
        TEditCharCase Case;
        TEditCharCase AfterEntry;
        const wchar_t* Typed; // from Shift+A, b
    } cases[] = {
        {"password, upper case", eemPassword, ecUpperCase, ecNormal, L"Ab"},
        {"password, lower case", eemPassword, ecLowerCase, ecNormal, L"Ab"},
        {"password, normal case", eemPassword, ecNormal, ecNormal, L"Ab"},
        {"no password, upper case", eemNormal, ecUpperCase, ecUpperCase, L"AB"},
        {"no password, lower case", eemNormal, ecLowerCase, ecLowerCase, L"ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto form = NewForm(300, 120);
        auto* editor = NewControl<TmcEdit>(form.get(), 20, 20, 150, 21);
        auto* other = NewControl<TcxTextEdit>(form.get(), 20, 60, 150, 21);
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(FocusOn(*other));
        editor->Properties().SetEchoMode(c.Echo);
        editor->Properties().SetCharCase(c.Case);
        std::vector<TEditCharCase> seenByBase;
        editor->OnEnter = [&](TObject*) { seenByBase.push_back(editor->Properties().CharCase()); };
        ASSERT_TRUE(FocusOn(*editor));
        EXPECT_EQ(editor->Properties().CharCase(), c.AfterEntry);
        EXPECT_EQ(seenByBase, std::vector<TEditCharCase>{c.AfterEntry}) << "reset before the base handler";
        PressKey('A', {VK_SHIFT});
        PressKey('B');
        EXPECT_EQ(editor->Text(), c.Typed);
        ASSERT_TRUE(FocusOn(*other));
        EXPECT_EQ(editor->Properties().CharCase(), c.AfterEntry) << "not restored on exit";
    }
}

} // namespace
