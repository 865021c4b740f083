// Keys through the real message loop: the dialog-key pre-dispatch, the form's Tab, the offer of other
// dialog keys to the controls, KeyDown/KeyUp and the swallowing of a key set to 0.
#include "ui_support.h"

#include "toolkit/button.h"
#include "toolkit/text_edit.h"

#include <gtest/gtest.h>

namespace {

// Records its key handlers; swallows the keys in Swallow.
class TKeyEdit : public TcxTextEdit {
public:
    using TcxTextEdit::TcxTextEdit;
    std::wstring Swallow;
    std::vector<WORD> Downs, Ups;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override {
        Downs.push_back(Key);
        if (Swallow.find(wchar_t(Key)) != std::wstring::npos) Key = 0;
        TcxTextEdit::KeyDown(Key, Shift);
    }
    void KeyUp(WORD& Key, TShiftState Shift) override {
        Ups.push_back(Key);
        TcxTextEdit::KeyUp(Key, Shift);
    }
};

// Turns Up into a Tab with {Shift} and Down into a Tab with the shift state as it came, as the labelled
// editor does, and keeps what the base handler left of the key.
class TArrowEdit : public TcxTextEdit {
public:
    using TcxTextEdit::TcxTextEdit;
    std::vector<WORD> KeysAfterBase;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override {
        if (Key == VK_UP) {
            Key = VK_TAB;
            TcxTextEdit::KeyDown(Key, ssShift);
            KeysAfterBase.push_back(Key);
        } else if (Key == VK_DOWN) {
            Key = VK_TAB;
            TcxTextEdit::KeyDown(Key, Shift);
            KeysAfterBase.push_back(Key);
        } else {
            TcxTextEdit::KeyDown(Key, Shift);
        }
    }
};

// An editor that takes Tab as input.
class TTabWantingEdit : public TKeyEdit {
public:
    using TKeyEdit::TKeyEdit;

protected:
    void WndProc(TMessage& M) override {
        TKeyEdit::WndProc(M);
        if (M.Msg == WM_GETDLGCODE) M.Result |= DLGC_WANTTAB;
    }
};

class Keys : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(400, 240);
        a = NewControl<TKeyEdit>(form.get(), 10, 10, 120, 0);
        b = NewControl<TArrowEdit>(form.get(), 10, 40, 120, 0);
        button = NewControl<TcxButton>(form.get(), 10, 70, 75, 25);
        c = NewControl<TKeyEdit>(form.get(), 10, 100, 120, 0);
        cancel = NewControl<TcxButton>(form.get(), 100, 70, 75, 25);
        button->OnClick = [this](TObject*) { ++buttonClicks; };
        cancel->OnClick = [this](TObject*) { ++cancelClicks; };
        ASSERT_TRUE(BringToFront(*form));
    }

    // Focuses Control and checks that it took the focus.
    void Focus(TWinControl* Control) {
        Control->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return Control->Focused(); }));
    }

    TOwned<TForm> form;
    TKeyEdit* a = nullptr;
    TArrowEdit* b = nullptr;
    TcxButton* button = nullptr;
    TKeyEdit* c = nullptr;
    TcxButton* cancel = nullptr;
    int buttonClicks = 0;
    int cancelClicks = 0;
};

TEST_F(Keys, FormTakesTabWithShiftAsHeldAndNothingWithAltOrCtrl) {
    Focus(a);
    const struct {
        const char* Name;
        std::vector<WORD> Modifiers;
        TWinControl* Expected;
    } cases[] = {
        {"Tab", {}, b},
        {"Tab again", {}, button},
        {"Shift+Tab", {VK_SHIFT}, b},
        {"Ctrl+Tab", {VK_CONTROL}, b},
        {"Alt+Tab", {VK_MENU}, b},
        {"Shift+Tab back to the first", {VK_SHIFT}, a},
        {"Shift+Tab wraps to the last", {VK_SHIFT}, cancel},
        {"Tab wraps to the first", {}, a},
    };
    for (const auto& step : cases) {
        SCOPED_TRACE(step.Name);
        std::vector<INPUT> inputs;
        for (WORD m : step.Modifiers)
            inputs.push_back(KeyInput(m, false));
        inputs.push_back(KeyInput(VK_TAB, false));
        inputs.push_back(KeyInput(VK_TAB, true));
        for (auto it = step.Modifiers.rbegin(); it != step.Modifiers.rend(); ++it)
            inputs.push_back(KeyInput(*it, true));
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        Pump(150);
        EXPECT_TRUE(step.Expected->Focused());
        EXPECT_EQ(form->ActiveControl(), step.Expected);
    }
    EXPECT_EQ(a->Text(), L"") << "a Tab the form took makes no character";
}

TEST_F(Keys, TabSkipsDisabledAndHiddenControls) {
    b->SetEnabled(false);
    button->SetVisible(false);
    Focus(a);
    PressKey(VK_TAB);
    EXPECT_TRUE(c->Focused());
}

TEST_F(Keys, DialogKeySentToTheFormMovesTheFocusBeforeItReturns) {
    Focus(a);
    EXPECT_NE(SendMessageW(form->Handle(), CM_DIALOGKEY, VK_TAB, 0), 0);
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(GetFocus(), b->Handle());
}

TEST_F(Keys, KeySetToZeroNeverReachesTheNativeControl) {
    a->Swallow = L"X";
    Focus(a);
    PressKey('X');
    PressKey('Y');
    PressKey('X');
    EXPECT_EQ(a->Text(), L"y");
    EXPECT_EQ(a->Downs, (std::vector<WORD>{'X', 'Y', 'X'}));
    EXPECT_EQ(a->Ups, (std::vector<WORD>{'X', 'Y', 'X'})) << "releases reach KeyUp";
}

TEST_F(Keys, KeyChangedInKeyDownReachesTheNativeControlChanged) {
    auto* edit = NewControl<TcxTextEdit>(form.get(), 200, 10, 120, 0);
    edit->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_HOME) Key = VK_END;
    };
    Focus(edit);
    PressKey('A');
    PressKey('B');
    PressKey(VK_HOME); // arrives as End: the caret stays at the end
    PressKey('C');
    EXPECT_EQ(edit->Text(), L"abc");
}

TEST_F(Keys, EditorTabRuleMovesAndClearsTheKey) {
    Focus(b);
    PressKey(VK_DOWN);
    EXPECT_TRUE(button->Focused()) << "Down as Tab moves to the next control";
    Focus(b);
    PressKey(VK_UP);
    EXPECT_TRUE(a->Focused()) << "Up as Tab with {Shift} moves back";
    Focus(b);
    PressKey(VK_DOWN, {VK_SHIFT});
    EXPECT_TRUE(a->Focused()) << "Shift in the state moves back";
    Focus(b);
    PressKey(VK_UP, {VK_CONTROL});
    EXPECT_TRUE(a->Focused()) << "the state is replaced by {Shift}: Ctrl no longer counts";
    Focus(b);
    b->KeysAfterBase.clear();
    PressKey(VK_DOWN, {VK_CONTROL});
    PressKey(VK_DOWN, {VK_MENU});
    EXPECT_TRUE(b->Focused()) << "with Ctrl or Alt in the state nothing moves";
    EXPECT_EQ(b->KeysAfterBase, (std::vector<WORD>{VK_TAB, VK_TAB})) << "and the key is left as it was";
}

TEST_F(Keys, EditorTabRuleOnlyWhileFocusedAndNotWantingTab) {
    auto* wanting = NewControl<TTabWantingEdit>(form.get(), 200, 40, 120, 0);
    Focus(wanting);
    PressKey(VK_TAB);
    EXPECT_TRUE(wanting->Focused()) << "an editor that wants Tab keeps it";
    EXPECT_EQ(wanting->Downs, (std::vector<WORD>{VK_TAB})) << "Tab was no dialog key for it";

    // Not focused: the base handler leaves the key alone.
    struct TProbe : TArrowEdit {
        using TArrowEdit::TArrowEdit;
        WORD Call(WORD Key) {
            KeyDown(Key, TShiftState());
            return Key;
        }
    };
    auto* probe = NewControl<TProbe>(form.get(), 200, 70, 120, 0);
    Focus(a);
    EXPECT_EQ(probe->Call(VK_TAB), VK_TAB);
    EXPECT_TRUE(a->Focused());
}

TEST_F(Keys, EnterPressesTheFocusedOrDefaultButtonEscapeTheCancelButton) {
    Focus(a);
    PressKey(VK_RETURN);
    EXPECT_EQ(buttonClicks, 0) << "no default button: Enter presses nothing";

    Focus(button);
    PressKey(VK_RETURN);
    EXPECT_EQ(buttonClicks, 1) << "the focused button";

    cancel->SetDefault(true);
    Focus(a);
    PressKey(VK_RETURN);
    EXPECT_EQ(cancelClicks, 1) << "the default button, the focus being in an editor";
    Focus(button);
    PressKey(VK_RETURN);
    EXPECT_EQ(buttonClicks, 2) << "a focused button takes Enter from the default one";
    EXPECT_EQ(cancelClicks, 1);

    cancel->SetDefault(false);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1) << "no cancel button: Escape presses nothing";
    cancel->SetCancel(true);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 2) << "the cancel button";

    cancel->SetEnabled(false);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 2) << "a disabled button is not pressed";
    EXPECT_EQ(buttonClicks, 2);
}

} // namespace
