// The control notifications and the editor's change notification fire on real changes only, after the
// state (and the window) already show the new value.
#include "ui_support.h"

#include "toolkit/label.h"
#include "toolkit/text_edit.h"

#include <gtest/gtest.h>

namespace {

struct TNote {
    unsigned Msg;
    std::uintptr_t WParam;
    std::intptr_t LParam;
    bool WindowAgrees; // the window already shows the new state when the handler runs
};

class TNotedEdit : public TcxTextEdit {
public:
    using TcxTextEdit::TcxTextEdit;
    std::vector<TNote> Notes;
    int Changes = 0;

protected:
    void CMVisiblechanged(TMessage& M) override {
        TcxTextEdit::CMVisiblechanged(M);
        Notes.push_back({M.Msg, M.WParam, M.LParam, bool(IsWindowVisible(Handle())) == Visible()});
    }
    void CMEnabledchanged(TMessage& M) override {
        TcxTextEdit::CMEnabledchanged(M);
        Notes.push_back({M.Msg, M.WParam, M.LParam, bool(IsWindowEnabled(Handle())) == Enabled()});
    }
    void CMBidimodechanged(TMessage& M) override {
        TcxTextEdit::CMBidimodechanged(M);
        const bool rtl = (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
        Notes.push_back({M.Msg, M.WParam, M.LParam, rtl == (BiDiMode() != bdLeftToRight)});
    }
    void DoOnChange() override {
        ++Changes;
        TcxTextEdit::DoOnChange();
    }
};

class TNotedLabel : public TLabel {
public:
    using TLabel::TLabel;
    std::vector<TNote> Notes;

protected:
    void CMVisiblechanged(TMessage& M) override { Notes.push_back({M.Msg, M.WParam, M.LParam, true}); }
    void CMEnabledchanged(TMessage& M) override { Notes.push_back({M.Msg, M.WParam, M.LParam, true}); }
    void CMBidimodechanged(TMessage& M) override { Notes.push_back({M.Msg, M.WParam, M.LParam, true}); }
};

struct TStep {
    const char* Name;
    std::function<void(TControl&)> Change;
    unsigned Msg;          // the notification expected, 0 for none
    std::uintptr_t WParam; // its first parameter
};

const TStep Steps[] = {
    {"Visible stays true", [](TControl& c) { c.SetVisible(true); }, 0, 0},
    {"Visible to false", [](TControl& c) { c.SetVisible(false); }, CM_VISIBLECHANGED, 0},
    {"Visible false again", [](TControl& c) { c.SetVisible(false); }, 0, 0},
    {"Visible to true", [](TControl& c) { c.SetVisible(true); }, CM_VISIBLECHANGED, 1},
    {"Enabled stays true", [](TControl& c) { c.SetEnabled(true); }, 0, 0},
    {"Enabled to false", [](TControl& c) { c.SetEnabled(false); }, CM_ENABLEDCHANGED, 0},
    {"Enabled false again", [](TControl& c) { c.SetEnabled(false); }, 0, 0},
    {"Enabled to true", [](TControl& c) { c.SetEnabled(true); }, CM_ENABLEDCHANGED, 0},
    {"BiDiMode unchanged", [](TControl& c) { c.SetBiDiMode(bdLeftToRight); }, 0, 0},
    {"BiDiMode to right-to-left", [](TControl& c) { c.SetBiDiMode(bdRightToLeft); }, CM_BIDIMODECHANGED, 0},
    {"BiDiMode right-to-left again", [](TControl& c) { c.SetBiDiMode(bdRightToLeft); }, 0, 0},
    {"BiDiMode back", [](TControl& c) { c.SetBiDiMode(bdLeftToRight); }, CM_BIDIMODECHANGED, 0},
};

template <class T> void RunSteps(T& Control) {
    for (const TStep& step : Steps) {
        SCOPED_TRACE(step.Name);
        const size_t before = Control.Notes.size();
        step.Change(Control);
        if (step.Msg == 0) {
            EXPECT_EQ(Control.Notes.size(), before);
            continue;
        }
        ASSERT_EQ(Control.Notes.size(), before + 1);
        const TNote& note = Control.Notes.back();
        EXPECT_EQ(note.Msg, step.Msg);
        EXPECT_EQ(note.WParam, step.WParam);
        EXPECT_EQ(note.LParam, 0);
        EXPECT_TRUE(note.WindowAgrees);
    }
}

TEST(Notifications, WindowedControlIsToldOfRealChangesOnly) {
    auto form = NewForm();
    auto* edit = NewControl<TNotedEdit>(form.get(), 10, 10, 100, 0);
    form->Show();
    RunSteps(*edit);
}

TEST(Notifications, LabelIsToldOfRealChangesOnly) {
    auto form = NewForm();
    auto* label = NewControl<TNotedLabel>(form.get(), 10, 10, 0, 0);
    RunSteps(*label);
}

TEST(EditValue, EveryRealChangeByProgramOrUserRunsDoOnChange) {
    auto form = NewForm();
    auto* edit = NewControl<TNotedEdit>(form.get(), 10, 10, 100, 0);
    int events = 0;
    edit->Properties().OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, edit);
        ++events;
    };
    EXPECT_FALSE(edit->EditValue().has_value());

    edit->SetEditValue(std::wstring(L"abc"));
    EXPECT_EQ(edit->Changes, 1);
    EXPECT_EQ(edit->Text(), L"abc");
    edit->SetEditValue(std::wstring(L"abc"));
    EXPECT_EQ(edit->Changes, 1) << "the same value is no change";
    edit->SetText(L"");
    EXPECT_EQ(edit->Changes, 2);
    EXPECT_EQ(edit->EditValue(), std::optional<std::wstring>(L""));
    edit->SetEditValue(std::nullopt);
    EXPECT_EQ(edit->Changes, 3) << "empty text and null are different values";

    // The user types: the native control changes the text.
    BringToFront(*form);
    edit->SetFocus();
    PressKey('Q');
    EXPECT_EQ(edit->Text(), L"q");
    EXPECT_EQ(edit->EditValue(), std::optional<std::wstring>(L"q"));
    EXPECT_EQ(edit->Changes, 4);
    EXPECT_EQ(events, 4);
}

TEST(EditValue, NoChangeNotificationWhileLoading) {
    auto form = NewForm();
    auto* edit = NewControl<TNotedEdit>(form.get(), 10, 10, 100, 0);
    edit->SetLoading(true);
    edit->SetEditValue(std::wstring(L"from the layout"));
    edit->SetLoading(false);
    EXPECT_EQ(edit->Changes, 0);
    EXPECT_EQ(edit->Text(), L"from the layout");
    edit->SetEditValue(std::wstring(L"after loading"));
    EXPECT_EQ(edit->Changes, 1);
}

TEST(EditValue, CharCaseAndEchoModeReachTheNativeControl) {
    auto form = NewForm();
    auto* edit = NewControl<TcxTextEdit>(form.get(), 10, 10, 100, 0);
    BringToFront(*form);
    edit->SetFocus();
    edit->Properties().SetCharCase(ecUpperCase);
    PressKey('A');
    edit->Properties().SetCharCase(ecNormal);
    PressKey('B');
    EXPECT_EQ(edit->Text(), L"Ab");

    edit->Properties().SetEchoMode(eemPassword);
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_EQ(edit->Text(), L"Ab") << "the value stays in the clear";
    edit->Properties().SetEchoMode(eemNormal);
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0);
}

} // namespace
