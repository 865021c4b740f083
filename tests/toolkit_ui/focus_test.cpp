// Entry and exit follow the form's focused control: exit of the old before entry of the new, nothing
// when a message box takes the activation, focus back when the form is activated again, and the
// keyboard still working after the focused control was disabled and enabled again.
#include "ui_support.h"

#include "toolkit/button.h"
#include "toolkit/frame.h"
#include "toolkit/text_edit.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring>* FocusLog = nullptr;

class TLoggedEdit : public TcxTextEdit {
public:
    using TcxTextEdit::TcxTextEdit;

protected:
    void DoEnter() override {
        TcxTextEdit::DoEnter();
        if (FocusLog) FocusLog->push_back(L"enter " + Name());
    }
    void DoExit() override {
        TcxTextEdit::DoExit();
        if (FocusLog) FocusLog->push_back(L"exit " + Name());
    }
};

class Focus : public ::testing::Test {
protected:
    void SetUp() override {
        FocusLog = &log;
        form = NewForm(300, 200);
        a = NewControl<TLoggedEdit>(form.get(), 10, 10, 120, 0);
        a->SetName(L"a");
        b = NewControl<TLoggedEdit>(form.get(), 10, 40, 120, 0);
        b->SetName(L"b");
        c = NewControl<TLoggedEdit>(form.get(), 10, 70, 120, 0);
        c->SetName(L"c");
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(PumpUntil([&] { return a->Focused(); }))
            << "the first control in tab order gets the focus";
        log.clear();
    }
    void TearDown() override { FocusLog = nullptr; }

    std::vector<std::wstring> log;
    TOwned<TForm> form;
    TLoggedEdit* a = nullptr;
    TLoggedEdit* b = nullptr;
    TLoggedEdit* c = nullptr;
};

TEST_F(Focus, ExitOfTheOldBeforeEntryOfTheNew) {
    PressKey(VK_TAB);
    b->SetFocus();
    c->SetFocus();
    a->SetFocus();
    EXPECT_EQ(log, (std::vector<std::wstring>{L"exit a", L"enter b", L"exit b", L"enter c", L"exit c",
                                              L"enter a"}));
}

HWND BoxOwner = nullptr;
void CALLBACK ShowBox(HWND, UINT, UINT_PTR Id, DWORD) {
    KillTimer(nullptr, Id);
    MessageBoxW(BoxOwner, L"A message", L"Box", MB_OK);
}

TEST_F(Focus, MessageBoxTakesTheActivationWithoutExitAndTheFocusComesBack) {
    b->SetFocus();
    log.clear();
    TBoxWatcher watcher;
    BoxOwner = form->Handle();
    SetTimer(nullptr, 0, 50, ShowBox);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Boxes().size() == 1; }));
    Pump(600); // the watcher answers the box, the form is active again
    EXPECT_TRUE(log.empty()) << "neither exit nor entry";
    EXPECT_TRUE(b->Focused()) << "the focus is back in the focused control";
    EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(Focus, AnotherWindowTakingTheActivationRunsNoExit) {
    auto other = NewForm(100, 100);
    b->SetFocus();
    log.clear();
    ASSERT_TRUE(BringToFront(*other));
    ASSERT_TRUE(BringToFront(*form));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(b->Focused());
}

TEST_F(Focus, DisablingTheFocusedControlMovesTheFocusOffAndTheKeyboardStillWorks) {
    b->SetFocus();
    log.clear();
    b->SetEnabled(false);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"exit b"}));
    EXPECT_EQ(GetFocus(), form->Handle()) << "the form holds the focus, so keys still arrive";
    EXPECT_EQ(form->ActiveControl(), nullptr);

    b->SetEnabled(true);
    PressKey(VK_TAB);
    EXPECT_TRUE(a->Focused()) << "Tab from the form itself goes to the first control";
    PressKey(VK_TAB);
    EXPECT_TRUE(b->Focused());
    PressKey('K');
    EXPECT_EQ(b->Text(), L"k");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"exit b", L"enter a", L"exit a", L"enter b"}));
}

TEST_F(Focus, HidingTheFocusedControlMovesTheFocusOff) {
    c->SetFocus();
    log.clear();
    c->SetVisible(false);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"exit c"}));
    EXPECT_FALSE(c->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(a->Focused());
}

TEST_F(Focus, TabOrderRunsThroughFrames) {
    auto* frame = NewControl<TFrame>(form.get(), 150, 10, 140, 100, form.get());
    auto* inner1 = NewControl<TLoggedEdit>(frame, 5, 5, 100, 0, frame);
    auto* inner2 = NewControl<TLoggedEdit>(frame, 5, 35, 100, 0, frame);
    frame->SetTabOrder(1); // between a and b
    inner2->SetTabOrder(0);
    a->SetFocus();
    const TWinControl* expected[] = {inner2, inner1, b, c, a};
    for (const TWinControl* next : expected) {
        PressKey(VK_TAB);
        EXPECT_TRUE(next->Focused());
    }
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(frame->TabOrder(), 1);
    EXPECT_EQ(b->TabOrder(), 2);
}

TEST_F(Focus, ActiveControlSetBeforeShowingGetsTheFocusAtTheFirstShowing) {
    auto second = NewForm(200, 100);
    auto* x = NewControl<TLoggedEdit>(second.get(), 10, 10, 100, 0);
    auto* y = NewControl<TLoggedEdit>(second.get(), 10, 40, 100, 0);
    y->SetFocus(); // not shown yet: remembered
    EXPECT_EQ(second->ActiveControl(), y);
    ASSERT_TRUE(BringToFront(*second));
    EXPECT_TRUE(y->Focused());
    EXPECT_FALSE(x->Focused());
}

TEST(Destruction, ControlFreedByItsOwnClickGoesAfterwards) {
    auto form = NewForm(200, 100);
    auto* button = NewControl<TcxButton>(form.get(), 10, 10, 75, 25);
    const HWND window = button->Handle();
    bool clicked = false;
    button->OnClick = [&](TObject* Sender) {
        clicked = true;
        static_cast<TcxButton*>(Sender)->Free();
    };
    form->Show();
    SendMessageW(window, BM_CLICK, 0, 0);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << "the window goes once its messages are done";
}

} // namespace
