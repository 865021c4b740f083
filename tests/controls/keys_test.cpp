// Keyboard navigation through the real message loop: Enter and the arrows in the single-line editor on a
// form, on a frame and under an owner that is neither; Enter in the rich editor and on the button with
// EnterTab on and off; a focused control that can no longer take the focus; the button not pressed when
// Enter moved on.
#include "ui_support.h"

#include "controls/mcBtn.h"
#include "controls/mcEdit.h"
#include "controls/mcRichEdit.h"
#include "toolkit/frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A key as the base key handler (and so the editor's OnKeyDown event) received it.
struct TSeenKey {
    TObject* Sender;
    WORD Key;
    unsigned Shift;
    bool operator==(const TSeenKey&) const = default;
};
using SeenKeys = std::vector<TSeenKey>;

std::ostream& operator<<(std::ostream& Out, const TSeenKey& Seen) {
    return Out << "{key " << Seen.Key << ", shift " << Seen.Shift << "}";
}

// Records what reaches the base key handler of Control, leaving out the modifier keys themselves.
void RecordBaseKeys(TWinControl& Control, SeenKeys& Log) {
    Control.OnKeyDown = [&Log](TObject* Sender, WORD& Key, TShiftState Shift) {
        if (Key != VK_SHIFT && Key != VK_CONTROL && Key != VK_MENU)
            Log.push_back({Sender, Key, Shift.Bits()});
    };
}

struct TKeyStep {
    const char* Name;
    TWinControl* Start;
    WORD Key;
    std::initializer_list<WORD> Modifiers;
    TWinControl* Expected; // focused afterwards
    SeenKeys Base;         // what the base key handler received
};

void RunKeySteps(TForm& Form, const std::vector<TKeyStep>& Steps, SeenKeys& Log) {
    for (const TKeyStep& step : Steps) {
        SCOPED_TRACE(step.Name);
        ASSERT_TRUE(FocusOn(*step.Start));
        Log.clear();
        PressKey(step.Key, step.Modifiers);
        EXPECT_TRUE(step.Expected->Focused());
        EXPECT_EQ(Form.ActiveControl(), step.Expected);
        EXPECT_EQ(Log, step.Base);
    }
}

// A frame that records the dialog keys it is sent.
class TRecordingFrame : public TFrame {
public:
    using TFrame::TFrame;
    std::vector<WPARAM> DialogKeys;

protected:
    void CMDialogKey(TMessage& Message) override {
        DialogKeys.push_back(Message.WParam);
        TFrame::CMDialogKey(Message);
    }
};

// Tab order: a, e1, e2, the frame (f1, f2), b. e1 and e2 are owned by the form, f1 and f2 by the frame.
class SingleLineKeys : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(420, 300);
        a = NewControl<TcxTextEdit>(form.get(), 10, 10, 150, 21);
        e1 = NewControl<TmcEdit>(form.get(), 10, 50, 150, 21);
        e2 = NewControl<TmcEdit>(form.get(), 10, 90, 150, 21);
        frame = NewControl<TFrame>(form.get(), 200, 10, 200, 120);
        f1 = NewControl<TmcEdit>(frame, 10, 10, 150, 21, frame);
        f2 = NewControl<TmcEdit>(frame, 10, 50, 150, 21, frame);
        b = NewControl<TcxTextEdit>(form.get(), 10, 200, 150, 21);
        for (TWinControl* c : {static_cast<TWinControl*>(e1), static_cast<TWinControl*>(e2),
                               static_cast<TWinControl*>(f1), static_cast<TWinControl*>(f2)})
            RecordBaseKeys(*c, seen);
        ASSERT_EQ(e1->Owner(), form.get());
        ASSERT_EQ(f1->Owner(), frame);
        ASSERT_TRUE(BringToFront(*form));
    }

    SeenKeys seen;
    TOwned<TForm> form;
    TcxTextEdit* a = nullptr;
    TmcEdit* e1 = nullptr;
    TmcEdit* e2 = nullptr;
    TFrame* frame = nullptr;
    TmcEdit* f1 = nullptr;
    TmcEdit* f2 = nullptr;
    TcxTextEdit* b = nullptr;
};

TEST_F(SingleLineKeys, OnAFormEnterAndDownAskTheFormForTabAndUpTurnsIntoShiftTab) {
    const unsigned shift = ssShift;
    RunKeySteps(*form,
                {
                    {"Enter", e1, VK_RETURN, {}, e2, {}},
                    {"Down", e1, VK_DOWN, {}, e2, {}},
                    {"Enter to the frame's first control", e2, VK_RETURN, {}, f1, {}},
                    {"Shift+Enter moves back", e2, VK_RETURN, {VK_SHIFT}, e1, {}},
                    {"Shift+Down moves back", e2, VK_DOWN, {VK_SHIFT}, e1, {}},
                    {"Ctrl+Enter moves nothing", e1, VK_RETURN, {VK_CONTROL}, e1, {}},
                    {"Ctrl+Down moves nothing", e1, VK_DOWN, {VK_CONTROL}, e1, {}},
                    {"Alt+Enter moves nothing", e1, VK_RETURN, {VK_MENU}, e1, {}},
                    {"Up", e2, VK_UP, {}, e1, {{e2, VK_TAB, shift}}},
                    {"Ctrl+Up still moves back", e2, VK_UP, {VK_CONTROL}, e1, {{e2, VK_TAB, shift}}},
                    {"Up from the first editor to the plain one", e1, VK_UP, {}, a, {{e1, VK_TAB, shift}}},
                    {"Left reaches the base", e1, VK_LEFT, {}, e1, {{e1, VK_LEFT, 0}}},
                    {"Home reaches the base", e1, VK_HOME, {}, e1, {{e1, VK_HOME, 0}}},
                    {"End with Shift reaches the base", e1, VK_END, {VK_SHIFT}, e1, {{e1, VK_END, shift}}},
                    {"a letter reaches the base", e1, 'X', {}, e1, {{e1, 'X', 0}}},
                },
                seen);
    EXPECT_EQ(e1->Text(), L"x");
}

TEST_F(SingleLineKeys, OnAFrameEnterAndDownBecomeTabForTheBaseWithTheShiftStateAsItCame) {
    const unsigned shift = ssShift, ctrl = ssCtrl;
    RunKeySteps(*form,
                {
                    {"Enter", f1, VK_RETURN, {}, f2, {{f1, VK_TAB, 0}}},
                    {"Down", f1, VK_DOWN, {}, f2, {{f1, VK_TAB, 0}}},
                    {"Enter out of the frame", f2, VK_RETURN, {}, b, {{f2, VK_TAB, 0}}},
                    {"Shift+Enter moves back", f2, VK_RETURN, {VK_SHIFT}, f1, {{f2, VK_TAB, shift}}},
                    {"Shift+Down out of the frame", f1, VK_DOWN, {VK_SHIFT}, e2, {{f1, VK_TAB, shift}}},
                    {"Ctrl+Enter moves nothing", f1, VK_RETURN, {VK_CONTROL}, f1, {{f1, VK_TAB, ctrl}}},
                    {"Ctrl+Down moves nothing", f1, VK_DOWN, {VK_CONTROL}, f1, {{f1, VK_TAB, ctrl}}},
                    {"Up", f2, VK_UP, {}, f1, {{f2, VK_TAB, shift}}},
                    {"Ctrl+Up still moves back", f2, VK_UP, {VK_CONTROL}, f1, {{f2, VK_TAB, shift}}},
                    {"Right reaches the base", f1, VK_RIGHT, {}, f1, {{f1, VK_RIGHT, 0}}},
                },
                seen);
}

TEST_F(SingleLineKeys, AnOwnerThatIsNeitherFormNorFrameTakesEnterAndTheArrowsAndDoesNothing) {
    TOwned<TComponent> holder(new TComponent(nullptr));
    TOwned<TmcEdit> unowned(new TmcEdit(nullptr));
    auto* heldBy = new TmcEdit(holder.get());
    for (TmcEdit* e : {unowned.get(), heldBy}) {
        e->SetAutoSize(false);
        static_cast<TControl*>(e)->SetParent(form.get());
        RecordBaseKeys(*e, seen);
    }
    unowned->SetBounds(10, 130, 150, 21);
    heldBy->SetBounds(10, 160, 150, 21);
    for (TmcEdit* e : {unowned.get(), heldBy}) {
        RunKeySteps(*form,
                    {
                        {"Enter", e, VK_RETURN, {}, e, {}},
                        {"Down", e, VK_DOWN, {}, e, {}},
                        {"Up", e, VK_UP, {}, e, {}},
                        {"Shift+Enter", e, VK_RETURN, {VK_SHIFT}, e, {}},
                        {"a letter reaches the base", e, 'Q', {}, e, {{e, 'Q', 0}}},
                    },
                    seen);
        EXPECT_EQ(e->Text(), L"q");
    }
}

// Tab order: a, r (form-owned), the frame (fr, frame-owned), b; loose is owned by a plain component.
class RichKeys : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(420, 340);
        a = NewControl<TcxTextEdit>(form.get(), 10, 10, 150, 21);
        r = NewControl<TmcRichEdit>(form.get(), 10, 50, 150, 60);
        frame = NewControl<TFrame>(form.get(), 200, 10, 200, 120);
        fr = NewControl<TmcRichEdit>(frame, 10, 10, 150, 60, frame);
        b = NewControl<TcxTextEdit>(form.get(), 10, 200, 150, 21);
        loose = new TmcRichEdit(holder.get());
        static_cast<TControl*>(loose)->SetParent(form.get());
        loose->SetBounds(10, 240, 150, 60);
        for (TmcRichEdit* e : {r, fr, loose})
            RecordBaseKeys(*e, seen);
        ASSERT_TRUE(BringToFront(*form));
    }

    void EnterTab(bool On) {
        for (TmcRichEdit* e : {r, fr, loose})
            e->SetEnterTab(On);
    }

    SeenKeys seen;
    TOwned<TComponent> holder{new TComponent(nullptr)};
    TOwned<TForm> form;
    TcxTextEdit* a = nullptr;
    TmcRichEdit* r = nullptr;
    TFrame* frame = nullptr;
    TmcRichEdit* fr = nullptr;
    TcxTextEdit* b = nullptr;
    TmcRichEdit* loose = nullptr;
};

TEST_F(RichKeys, EnterTabOnMovesOnUnderAFormOrAFrameAndTheArrowsStayTheEditors) {
    EnterTab(true);
    const unsigned shift = ssShift;
    RunKeySteps(*form,
                {
                    {"Enter on a form", r, VK_RETURN, {}, fr, {}},
                    {"Shift+Enter on a form", r, VK_RETURN, {VK_SHIFT}, a, {}},
                    {"Ctrl+Enter on a form", r, VK_RETURN, {VK_CONTROL}, r, {}},
                    {"Enter on a frame, as Tab for the base", fr, VK_RETURN, {}, b, {{fr, VK_TAB, 0}}},
                    {"Shift+Enter on a frame", fr, VK_RETURN, {VK_SHIFT}, r, {{fr, VK_TAB, shift}}},
                    {"Down is the editor's", r, VK_DOWN, {}, r, {{r, VK_DOWN, 0}}},
                    {"Up is the editor's", r, VK_UP, {}, r, {{r, VK_UP, 0}}},
                    {"any other owner: Enter does nothing", loose, VK_RETURN, {}, loose, {}},
                },
                seen);
}

TEST_F(RichKeys, EnterTabOffPassesEnterToTheBase) {
    EnterTab(false);
    RunKeySteps(*form,
                {
                    {"on a form", r, VK_RETURN, {}, r, {{r, VK_RETURN, 0}}},
                    {"on a frame", fr, VK_RETURN, {}, fr, {{fr, VK_RETURN, 0}}},
                    {"any other owner", loose, VK_RETURN, {}, loose, {{loose, VK_RETURN, 0}}},
                },
                seen);
    EXPECT_NE(r->Text().find_first_of(L"\r\n"), std::wstring::npos) << "Enter made a line break";
}

// Enter offered as a dialog key, as it is when the editor does not take Enter as input.
TEST_F(RichKeys, DialogKeyEnterMovesOnOnlyWhenFocusedAbleToTakeTheFocusAndEnterTabOn) {
    const auto offerEnter = [&] { return SendMessageW(form->Handle(), CM_DIALOGKEY, VK_RETURN, 0); };

    r->SetEnterTab(true);
    ASSERT_TRUE(FocusOn(*r));
    EXPECT_NE(offerEnter(), 0) << "handled: nothing else acts on Enter";
    EXPECT_TRUE(fr->Focused());

    r->SetEnterTab(false);
    ASSERT_TRUE(FocusOn(*r));
    EXPECT_EQ(offerEnter(), 0);
    EXPECT_TRUE(r->Focused());

    r->SetEnterTab(true);
    ASSERT_TRUE(FocusOn(*a));
    EXPECT_EQ(offerEnter(), 0) << "not focused: left to the base";
    EXPECT_TRUE(a->Focused());

    // Focused, but hidden meanwhile: it can no longer take the focus.
    r->SetVisible(false);
    ::SetFocus(r->Handle());
    ASSERT_TRUE(r->Focused());
    ASSERT_FALSE(r->CanFocus());
    EXPECT_EQ(offerEnter(), 0);
    EXPECT_TRUE(r->Focused()) << "no Tab went to the form";
}

// Tab order: a, btn, c.
class ButtonKeys : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(420, 200);
        a = NewControl<TcxTextEdit>(form.get(), 10, 10, 150, 21);
        btn = NewControl<TmcBtn>(form.get(), 10, 50, 75, 25);
        c = NewControl<TcxTextEdit>(form.get(), 10, 90, 150, 21);
        btn->OnClick = [this](TObject*) { ++clicks; };
        ASSERT_TRUE(BringToFront(*form));
    }

    TOwned<TForm> form;
    TcxTextEdit* a = nullptr;
    TmcBtn* btn = nullptr;
    TcxTextEdit* c = nullptr;
    int clicks = 0;
};

TEST_F(ButtonKeys, EnterPressesTheButtonWithEnterTabOffAndMovesOnWithoutPressingWithItOn) {
    const struct {
        const char* Name;
        bool EnterTab;
        std::initializer_list<WORD> Modifiers;
        TWinControl* Expected;
        int Clicks;
    } cases[] = {
        {"EnterTab off: pressed", false, {}, btn, 1},
        {"EnterTab on: next control, not pressed", true, {}, c, 0},
        {"EnterTab on, Shift held: previous control", true, {VK_SHIFT}, a, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.Name);
        btn->SetEnterTab(k.EnterTab);
        ASSERT_TRUE(FocusOn(*btn));
        clicks = 0;
        PressKey(VK_RETURN, k.Modifiers);
        EXPECT_TRUE(k.Expected->Focused());
        EXPECT_EQ(clicks, k.Clicks);
    }
}

TEST_F(ButtonKeys, AnUnfocusedButtonLeavesEnterToTheBaseAsTheDefaultButton) {
    btn->SetEnterTab(true);
    btn->SetDefault(true);
    ASSERT_TRUE(FocusOn(*a));
    PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 1) << "the default button is pressed";
    EXPECT_TRUE(a->Focused());
}

TEST_F(ButtonKeys, AFocusedButtonThatCanNoLongerTakeTheFocusGetsTheBaseHandling) {
    btn->SetEnterTab(true);
    ASSERT_TRUE(FocusOn(*btn));
    btn->SetEnabled(false);
    PressKey(VK_RETURN);
    EXPECT_EQ(form->ActiveControl(), nullptr) << "the focus did not move on to a control";
    EXPECT_FALSE(c->Focused());
    EXPECT_EQ(clicks, 0);

    btn->SetEnabled(true);
    btn->SetVisible(false);
    ::SetFocus(btn->Handle());
    ASSERT_TRUE(btn->Focused());
    ASSERT_FALSE(btn->CanFocus());
    EXPECT_EQ(SendMessageW(form->Handle(), CM_DIALOGKEY, VK_RETURN, 0), 0);
    EXPECT_TRUE(btn->Focused()) << "no Tab went to the form";
    EXPECT_EQ(clicks, 0);
}

// Under a frame or an owner without a window, the dialog-key step gives the Tab to the form that holds the
// control: Enter moves on and presses nothing.
TEST(EnterTabOwner, UnderAFrameOrAWindowlessOwnerEnterMovesOnThroughTheForm) {
    auto form = NewForm(420, 300);
    auto* frame = NewControl<TRecordingFrame>(form.get(), 10, 10, 300, 150);
    auto* framed = NewControl<TmcBtn>(frame, 10, 10, 75, 25, frame);
    auto* framedRich = NewControl<TmcRichEdit>(frame, 10, 50, 150, 60, frame);
    TOwned<TComponent> holder(new TComponent(nullptr));
    auto* held = new TmcBtn(holder.get());
    static_cast<TControl*>(held)->SetParent(form.get());
    held->SetBounds(10, 200, 75, 25);
    int clicks = 0;
    framed->OnClick = [&](TObject*) { ++clicks; };
    held->OnClick = [&](TObject*) { ++clicks; };
    framed->SetEnterTab(true);
    framedRich->SetEnterTab(true);
    held->SetEnterTab(true);
    ASSERT_TRUE(BringToFront(*form));

    ASSERT_TRUE(FocusOn(*framed));
    PressKey(VK_RETURN);
    EXPECT_TRUE(framedRich->Focused()) << "from the framed button to the next control";

    EXPECT_NE(SendMessageW(form->Handle(), CM_DIALOGKEY, VK_RETURN, 0), 0);
    EXPECT_TRUE(held->Focused()) << "from the framed rich editor on, out of the frame";

    PressKey(VK_RETURN);
    EXPECT_TRUE(framed->Focused()) << "from the button without a windowed owner, round to the first";
    EXPECT_EQ(clicks, 0) << "Enter moved on and pressed nothing";
    EXPECT_EQ(std::count(frame->DialogKeys.begin(), frame->DialogKeys.end(), WPARAM(VK_TAB)), 0)
        << "the form, not the frame, takes the Tab";
}

} // namespace
