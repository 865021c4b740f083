// Name capitalisation as the single-line editor applies it when the focus leaves it: on every exit,
// from the edit value (null left alone), only while Capilalize is on, and after the caption and
// status-bar steps of the exit.
#include "ui_support.h"

#include "controls/mcEdit.h"
#include "toolkit/status_bar.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using Value = std::optional<std::wstring>;

class Capitalise : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(400, 160);
        editor = NewControl<TmcEdit>(form.get(), 20, 30, 250, 21);
        other = NewControl<TcxTextEdit>(form.get(), 20, 80, 250, 21);
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(FocusOn(*other));
    }

    // Enters the editor and leaves it again.
    void PassThrough() {
        ASSERT_TRUE(FocusOn(*editor));
        ASSERT_TRUE(FocusOn(*other));
    }

    TOwned<TForm> form;
    TmcEdit* editor = nullptr;
    TcxTextEdit* other = nullptr;
};

TEST_F(Capitalise, EveryExitRewritesTheEditValueWhileOn) {
    const struct {
        const char* Name;
        bool On;
        Value Before;
        Value After;
    } cases[] = {
        {"a name", true, L"maria da silva", L"Maria da Silva"},
        {"connecting words and e", true, L"pedro de souza e silva", L"Pedro de Souza e Silva"},
        {"already capitalised", true, L"Ana Delgado", L"Ana Delgado"},
        {"leading space", true, L" maria", L" maria"},
        {"empty text stays empty text", true, L"", L""},
        {"null stays null", true, std::nullopt, std::nullopt},
        {"switched off", false, L"maria da silva", L"maria da silva"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        editor->SetCapilalize(c.On);
        editor->SetEditValue(c.Before);
        ASSERT_EQ(editor->EditValue(), c.Before);
        PassThrough();
        EXPECT_EQ(editor->EditValue(), c.After);
    }
}

TEST_F(Capitalise, TypedTextIsCapitalisedWhenTheFocusLeaves) {
    editor->SetCapilalize(true);
    ASSERT_TRUE(FocusOn(*editor));
    TypeText(L"joao dos santos");
    EXPECT_EQ(editor->Text(), L"joao dos santos") << "nothing changes while typing";
    PressKey(VK_RETURN);
    ASSERT_TRUE(other->Focused()) << "Enter moved on";
    EXPECT_EQ(editor->Text(), L"Joao dos Santos");
}

TEST_F(Capitalise, SwitchingOnLeavesTheTextUntilTheNextExit) {
    ASSERT_TRUE(FocusOn(*editor));
    TypeText(L"maria");
    editor->SetCapilalize(true);
    EXPECT_EQ(editor->Text(), L"maria");
    EXPECT_TRUE(editor->Capilalize());
    ASSERT_TRUE(FocusOn(*other));
    EXPECT_EQ(editor->Text(), L"Maria");
}

TEST(CapitaliseOrder, RunsAfterTheCaptionAndStatusBarStepsOfTheExit) {
    auto form = NewForm(400, 160);
    ASSERT_EQ(Application->MainForm(), form.get());
    auto* bar = new TStatusBar(form.get());
    static_cast<TControl*>(bar)->SetParent(form.get());
    bar->SetName(L"StatusBar");
    bar->Panels().Add();
    auto* editor = NewControl<TmcEdit>(form.get(), 20, 30, 250, 21);
    auto* other = NewControl<TcxTextEdit>(form.get(), 20, 80, 250, 21);
    editor->SetHint(L"Nome");
    editor->SetCapilalize(true);
    editor->SetText(L"ana");

    struct TSeen {
        std::wstring Text;
        TColor Caption;
        std::wstring Panel;
    };
    std::vector<TSeen> atExit, atChange;
    const auto seen = [&] {
        return TSeen{editor->Text(), editor->AutoLabel()->Font().Color(), bar->Panels().Items(0).Text()};
    };
    editor->OnExit = [&](TObject*) { atExit.push_back(seen()); };
    editor->Properties().OnChange = [&](TObject*) { atChange.push_back(seen()); };

    ASSERT_TRUE(BringToFront(*form));
    ASSERT_TRUE(FocusOn(*editor));
    ASSERT_TRUE(FocusOn(*other));
    ASSERT_EQ(atExit.size(), 1u);
    EXPECT_EQ(atExit[0].Text, L"ana") << "the base exit handler runs first";
    EXPECT_EQ(atExit[0].Caption, TColor(255));
    EXPECT_EQ(atExit[0].Panel, L"Nome");
    ASSERT_EQ(atChange.size(), 1u);
    EXPECT_EQ(atChange[0].Text, L"Ana");
    EXPECT_EQ(atChange[0].Caption, TColor(0xFF000008)) << "the caption is back to window text";
    EXPECT_EQ(atChange[0].Panel, L"") << "the panel is empty already";
}

} // namespace
