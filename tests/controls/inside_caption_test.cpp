// The inside caption of the single-line editor on a real form: what switching it on makes and moves,
// the visibility rule through entry, exit, typing, program changes, hiding and clicking, switching it
// off and on again, and design mode.
#include "ui_support.h"

#include "controls/mcEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr TColor Grey = 8421504;
const std::wstring Usuario = L"Usu\x00E1rio";

class InsideCaption : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(400, 200);
        editor = NewControl<TmcEdit>(form.get(), 40, 60, 200, 21);
        label = editor->AutoLabel();
        label->SetCaption(Usuario);
        label->Font().SetName(L"Arial");
        label->Font().SetSize(10);
        label->SetAutoSize(false);
        label->SetBounds(0, 0, 43, 13);
        other = NewControl<TcxTextEdit>(form.get(), 40, 140, 200, 21);
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(FocusOn(*other));
    }

    bool Shown() const { return editor->InsideCaption()->Visible(); }

    TOwned<TForm> form;
    TmcEdit* editor = nullptr;
    TBoundLabel* label = nullptr;
    TcxTextEdit* other = nullptr;
};

TEST_F(InsideCaption, SwitchingOnMakesAGreyCaptionInParenthesesAndEmptiesAndMovesTheCaptionLabel) {
    editor->SetLabelPosition(lpLeft);
    editor->SetLabelSpacing(5);
    editor->SetLabelDentro(true);
    EXPECT_TRUE(editor->AutoLabelDentro());

    TcxLabel* inside = editor->InsideCaption();
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(inside->Owner(), editor);
    EXPECT_EQ(inside->Parent(), form.get());
    EXPECT_EQ(inside->Caption(), L"(" + Usuario + L")");
    EXPECT_EQ(inside->Style().Font().Color(), Grey);
    EXPECT_EQ(inside->Style().Font().Size(), 10);
    EXPECT_EQ(inside->Style().Font().Name(), L"Arial");
    EXPECT_EQ(inside->Top(), 60);
    EXPECT_EQ(inside->Left(), 41);
    EXPECT_TRUE(inside->Transparent());
    EXPECT_EQ(inside->Cursor(), crIBeam);
    EXPECT_TRUE(inside->Visible()) << "the editor is visible, empty and not focused";

    EXPECT_EQ(label->Caption(), L"");
    EXPECT_EQ(editor->AutoLabelPosition(), lpAbove);
    EXPECT_EQ(editor->AutoLabelSpacing(), -19);
    EXPECT_EQ(label->Left(), 40);
    EXPECT_EQ(label->Top(), 66) << "6 pixels below the editor's top for a 13-pixel label";
    EXPECT_EQ(editor->Hint(), Usuario) << "an editor without a hint takes the caption";
    EXPECT_TRUE(editor->Visible());

    // Placed once: the editor's later moves and the label's later captions do not reach it.
    editor->SetBounds(100, 20, 150, 21);
    label->SetCaption(L"Outro");
    EXPECT_EQ(inside->Left(), 41);
    EXPECT_EQ(inside->Top(), 60);
    EXPECT_EQ(inside->Caption(), L"(" + Usuario + L")");
}

TEST_F(InsideCaption, AHintOfItsOwnStaysAndAHiddenEditorStaysHiddenWithItsCaption) {
    editor->SetHint(L"Dica");
    editor->SetVisible(false);
    editor->SetLabelDentro(true);
    EXPECT_EQ(editor->Hint(), L"Dica");
    EXPECT_FALSE(editor->Visible());
    EXPECT_FALSE(Shown());
    editor->SetVisible(true);
    EXPECT_TRUE(Shown());
}

TEST_F(InsideCaption, ShownExactlyWhileTheEditorIsVisibleEmptyAndUnfocused) {
    editor->SetLabelDentro(true);
    const struct {
        const char* Name;
        std::function<void()> Step;
        bool Shown;
    } steps[] = {
        {"visible, empty, unfocused", [] {}, true},
        {"entry", [&] { ASSERT_TRUE(FocusOn(*editor)); }, false},
        {"typing a character", [] { TypeText(L"x"); }, false},
        {"deleting it while focused", [] { PressKey(VK_BACK); }, true},
        {"typing again", [] { TypeText(L"y"); }, false},
        {"exit with text", [&] { ASSERT_TRUE(FocusOn(*other)); }, false},
        {"cleared by the program", [&] { editor->SetText(L""); }, true},
        {"a value from the program", [&] { editor->SetText(L"abc"); }, false},
        {"a null value", [&] { editor->SetEditValue(std::nullopt); }, true},
        {"entry again", [&] { ASSERT_TRUE(FocusOn(*editor)); }, false},
        {"exit empty", [&] { ASSERT_TRUE(FocusOn(*other)); }, true},
        {"editor hidden", [&] { editor->SetVisible(false); }, false},
        {"empty editor shown", [&] { editor->SetVisible(true); }, true},
        {"hidden with text",
         [&] {
             editor->SetText(L"z");
             editor->SetVisible(false);
         },
         false},
        {"shown with text", [&] { editor->SetVisible(true); }, false},
        {"cleared while the program's own change handler replaced the hook",
         [&] {
             editor->Properties().OnChange = [](TObject*) {};
             editor->SetText(L"");
         },
         true},
        {"a value with that handler in place", [&] { editor->SetText(L"q"); }, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Name);
        s.Step();
        EXPECT_EQ(Shown(), s.Shown);
    }
}

TEST_F(InsideCaption, AClickFocusesAnEnabledEditorOnly) {
    editor->SetLabelDentro(true);
    const HWND inside = editor->InsideCaption()->Handle();
    ClickAt(inside, {3, 3});
    EXPECT_TRUE(PumpUntil([&] { return editor->Focused(); }));
    EXPECT_FALSE(Shown()) << "the entry hides it";

    ASSERT_TRUE(FocusOn(*other));
    editor->SetEnabled(false);
    ClickAt(inside, {3, 3});
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(editor->Focused());

    editor->SetEnabled(true);
    editor->SetLabelDentro(false);
    ClickAt(inside, {3, 3});
    EXPECT_TRUE(other->Focused()) << "switched off, the caption's click does nothing";
}

TEST_F(InsideCaption, SwitchingOffHidesItAndSwitchingOnAgainReusesIt) {
    editor->SetLabelDentro(true);
    TcxLabel* inside = editor->InsideCaption();
    ASSERT_NE(inside, nullptr);
    const int components = editor->ComponentCount();

    editor->SetLabelDentro(false);
    EXPECT_FALSE(editor->AutoLabelDentro());
    EXPECT_EQ(editor->InsideCaption(), inside);
    EXPECT_FALSE(inside->Visible());
    EXPECT_EQ(label->Caption(), L"") << "the caption label keeps its empty caption";
    EXPECT_EQ(editor->AutoLabelSpacing(), -19);
    // Switched off, the visibility rule no longer acts.
    ASSERT_TRUE(FocusOn(*editor));
    ASSERT_TRUE(FocusOn(*other));
    editor->SetText(L"a");
    editor->SetText(L"");
    editor->SetVisible(false);
    editor->SetVisible(true);
    EXPECT_FALSE(inside->Visible());

    editor->SetLabelDentro(true);
    EXPECT_EQ(editor->InsideCaption(), inside) << "never a second inside caption";
    EXPECT_EQ(editor->ComponentCount(), components);
    EXPECT_EQ(inside->Caption(), L"(" + Usuario + L")");
    EXPECT_TRUE(inside->Visible());
    EXPECT_EQ(editor->Hint(), Usuario);

    editor->SetLabelDentro(false);
    editor->SetText(L"abc");
    editor->SetLabelDentro(true);
    EXPECT_FALSE(inside->Visible()) << "switched on over text, it stays hidden";
}

TEST_F(InsideCaption, DestroyedFirstItIsForgotten) {
    editor->SetLabelDentro(true);
    editor->InsideCaption()->Free();
    EXPECT_EQ(editor->InsideCaption(), nullptr);
    ASSERT_TRUE(FocusOn(*editor));
    TypeText(L"a");
    ASSERT_TRUE(FocusOn(*other));
    editor->SetVisible(false);
    editor->SetVisible(true);
    EXPECT_EQ(editor->Text(), L"a");
}

TEST(InsideCaptionDesign, ADesignedEditorOnlyStoresTheSwitchAndHasNoChangeHook) {
    auto form = NewForm(300, 120);
    TOwned<TComponent> designer(new TComponent(nullptr));
    designer->SetDesigning(true);
    auto* designed = new TmcEdit(designer.get());
    EXPECT_TRUE(designed->IsDesigning()) << "an owner being designed designs what it owns";
    EXPECT_FALSE(bool(designed->Properties().OnChange)) << "no change hook in design mode";
    auto* running = NewControl<TmcEdit>(form.get(), 10, 10, 100, 21);
    EXPECT_TRUE(bool(running->Properties().OnChange)) << "the change hook at run time";

    designed->SetDesigning(true);
    static_cast<TControl*>(designed)->SetParent(form.get());
    designed->SetBounds(20, 60, 150, 21);
    designed->AutoLabel()->SetCaption(Usuario);
    designed->SetLabelPosition(lpLeft);
    const int left = designed->AutoLabel()->Left(), top = designed->AutoLabel()->Top();
    designed->SetLabelDentro(true);
    EXPECT_TRUE(designed->AutoLabelDentro());
    EXPECT_EQ(designed->InsideCaption(), nullptr);
    EXPECT_EQ(designed->AutoLabel()->Caption(), Usuario);
    EXPECT_EQ(designed->AutoLabelPosition(), lpLeft);
    EXPECT_EQ(designed->AutoLabelSpacing(), 0);
    EXPECT_EQ(designed->AutoLabel()->Left(), left);
    EXPECT_EQ(designed->AutoLabel()->Top(), top);
    EXPECT_EQ(designed->Hint(), L"");
    EXPECT_EQ(designed->ComponentCount(), 1) << "the caption label only";
}

} // namespace
