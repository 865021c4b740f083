// The caption label of both labelled editors on a real form: how it is made, where it sits for each side
// and spacing, how it follows the editor's bounds, enabled state, visibility, parent and reading
// direction, renames in a form designer, and an editor whose label has been destroyed.
#include "ui_support.h"

#include "controls/mcBtn.h"
#include "controls/mcEdit.h"
#include "controls/mcRichEdit.h"
#include "toolkit/frame.h"

#include <gtest/gtest.h>

#include <string>

namespace {

template <class E> class CaptionLabel : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(600, 300);
        editor = NewControl<E>(form.get(), 100, 80, 150, 21);
        label = editor->AutoLabel();
        ASSERT_NE(label, nullptr);
    }

    // A label of exactly lw by lh, whatever its text.
    void FixLabelSize(int lw, int lh) {
        label->SetAutoSize(false);
        label->SetBounds(label->Left(), label->Top(), lw, lh);
    }

    TOwned<TForm> form;
    E* editor = nullptr;
    TBoundLabel* label = nullptr;
};

struct EditorNames {
    template <class T> static std::string GetName(int) {
        return std::is_same_v<T, TmcEdit> ? "TmcEdit" : "TmcRichEdit";
    }
};
using Editors = ::testing::Types<TmcEdit, TmcRichEdit>;
TYPED_TEST_SUITE(CaptionLabel, Editors, EditorNames);

TYPED_TEST(CaptionLabel, MadeByTheConstructorOwnedByTheEditorAndPlacedOnItsParent) {
    TBoundLabel* label = this->label;
    EXPECT_EQ(label->Name(), L"SubLabel");
    EXPECT_TRUE(label->IsSubComponent());
    EXPECT_EQ(label->Owner(), this->editor);
    EXPECT_EQ(label->Parent(), this->form.get()) << "a sibling of the editor, not a child";
    EXPECT_EQ(label->Caption(), L"") << "the editor had no name yet when the label was made";
    EXPECT_EQ(this->editor->AutoLabelPosition(), lpAbove);
    EXPECT_EQ(this->editor->AutoLabelSpacing(), 0);
    EXPECT_FALSE(this->editor->AutoLabelSempreEnabled());
    EXPECT_FALSE(this->editor->AltCad());

    EXPECT_FALSE(this->editor->LookAndFeel().NativeStyle());
    EXPECT_FALSE(this->editor->Style().LookAndFeel().NativeStyle());
    EXPECT_EQ(this->editor->StyleFocused().BorderColor(), TColor(255));
    EXPECT_EQ(this->editor->StyleFocused().BorderStyle(), ebsThick);
    EXPECT_FALSE(this->editor->BeepOnEnter());

    auto* loose = new TypeParam(this->form.get());
    EXPECT_EQ(loose->AutoLabel()->Parent(), nullptr) << "no parent until the editor gets one";
}

TYPED_TEST(CaptionLabel, PlacedOnEachSideAtTheSpacingAndCentredWithTruncatedHalving) {
    const struct {
        const char* Name;
        TLabelPosition Position;
        int S, L, T, W, H, lw, lh;
        int X, Y;
    } cases[] = {
        {"above, the user editor of the main window", lpAbove, 0, 16, 24, 305, 21, 43, 13, 16, 11},
        {"below, spacing 3", lpBelow, 3, 16, 24, 305, 21, 43, 13, 16, 48},
        {"left, 21 high: 4 below the top", lpLeft, 0, 100, 24, 150, 21, 43, 13, 57, 28},
        {"left, 20 high: 3 below the top", lpLeft, 0, 100, 24, 150, 20, 43, 13, 57, 27},
        {"left, 10 high: half of -3 is -1", lpLeft, 0, 100, 24, 150, 10, 43, 13, 57, 23},
        {"right, spacing 5", lpRight, 5, 16, 24, 305, 21, 43, 13, 326, 28},
        {"above, spacing -19: 6 below the top", lpAbove, -19, 16, 24, 305, 21, 43, 13, 16, 30},
        {"left, spacing 4, half of -7 is -3", lpLeft, 4, 100, 50, 150, 8, 20, 15, 76, 47},
        {"right, spacing -10 overlaps", lpRight, -10, 100, 50, 150, 30, 20, 15, 240, 57},
        {"below, spacing -5", lpBelow, -5, 30, 40, 100, 25, 60, 13, 30, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        this->FixLabelSize(c.lw, c.lh);
        this->editor->SetBounds(c.L, c.T, c.W, c.H);
        this->editor->SetLabelSpacing(c.S);
        this->editor->SetLabelPosition(c.Position);
        EXPECT_EQ(this->editor->AutoLabelPosition(), c.Position);
        EXPECT_EQ(this->editor->AutoLabelSpacing(), c.S);
        EXPECT_EQ(this->label->Left(), c.X);
        EXPECT_EQ(this->label->Top(), c.Y);
        EXPECT_EQ(this->label->Width(), c.lw) << "the label keeps its size";
        EXPECT_EQ(this->label->Height(), c.lh);
    }
}

TYPED_TEST(CaptionLabel, FollowsEveryMoveAndResizeButNotItsOwnNewCaption) {
    auto& e = *this->editor;
    auto& label = *this->label;
    this->FixLabelSize(40, 13);
    e.SetBounds(100, 80, 150, 21);
    e.SetLabelPosition(lpRight);
    e.SetLabelSpacing(5);
    ASSERT_EQ(label.Left(), 255);
    ASSERT_EQ(label.Top(), 84);

    e.SetLeft(40);
    EXPECT_EQ(label.Left(), 195);
    e.SetWidth(200);
    EXPECT_EQ(label.Left(), 245);
    e.SetTop(70);
    EXPECT_EQ(label.Top(), 74);
    e.SetHeight(30);
    EXPECT_EQ(label.Top(), 78) << "centred again: 70 + half of 17";
    e.SetLabelSpacing(-2);
    EXPECT_EQ(label.Left(), 238) << "a new spacing places it at once";

    e.SetLabelPosition(lpBelow);
    EXPECT_EQ(label.Top(), 98);
    e.SetHeight(40);
    EXPECT_EQ(label.Top(), 108);

    // A longer caption changes the label's size, not its place; the next placing uses the new size.
    e.SetLabelPosition(lpLeft);
    label.SetAutoSize(true);
    label.SetCaption(L"Nome");
    e.SetBounds(e.Left(), e.Top(), e.Width(), e.Height());
    const int left = label.Left(), top = label.Top(), width = label.Width();
    ASSERT_EQ(left, 40 - width + 2);
    label.SetCaption(L"Nome completo do titular da conta");
    ASSERT_GT(label.Width(), width);
    EXPECT_EQ(label.Left(), left);
    EXPECT_EQ(label.Top(), top);
    e.SetBounds(e.Left(), e.Top(), e.Width(), e.Height());
    EXPECT_EQ(label.Left(), 40 - label.Width() + 2) << "bounds set again, even unchanged, place it anew";
}

TYPED_TEST(CaptionLabel, EnabledWithTheEditorOrAlwaysWithSempreEnabled) {
    auto& e = *this->editor;
    const struct {
        const char* Name;
        std::function<void()> Change;
        bool LabelEnabled;
    } steps[] = {
        {"start", [] {}, true},
        {"editor disabled", [&] { e.SetEnabled(false); }, false},
        {"SempreEnabled on while the editor is disabled", [&] { e.SetLabelSempreEnabled(true); }, true},
        {"editor enabled", [&] { e.SetEnabled(true); }, true},
        {"editor disabled again", [&] { e.SetEnabled(false); }, true},
        {"SempreEnabled off disables at once", [&] { e.SetLabelSempreEnabled(false); }, false},
        {"editor enabled again", [&] { e.SetEnabled(true); }, true},
        {"SempreEnabled on while enabled", [&] { e.SetLabelSempreEnabled(true); }, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Change();
        EXPECT_EQ(this->label->Enabled(), step.LabelEnabled);
    }
    EXPECT_TRUE(e.AutoLabelSempreEnabled());
}

TYPED_TEST(CaptionLabel, FollowsVisibilityAndParentAndReadingDirection) {
    auto& e = *this->editor;
    auto& label = *this->label;
    e.SetVisible(false);
    EXPECT_FALSE(label.Visible());
    e.SetVisible(true);
    EXPECT_TRUE(label.Visible());

    // A hidden editor given a parent shows its label there, until its own visibility next changes.
    auto* frame = NewControl<TFrame>(this->form.get(), 300, 150, 250, 120);
    e.SetVisible(false);
    static_cast<TControl&>(e).SetParent(frame);
    EXPECT_EQ(label.Parent(), frame);
    EXPECT_TRUE(label.Visible());
    EXPECT_FALSE(e.Visible());
    e.SetVisible(true);
    EXPECT_TRUE(label.Visible());
    e.SetVisible(false);
    EXPECT_FALSE(label.Visible());

    e.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(label.BiDiMode(), bdRightToLeft);
    e.SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(label.BiDiMode(), bdLeftToRight);

    static_cast<TControl&>(e).SetParent(nullptr);
    EXPECT_EQ(label.Parent(), nullptr);
    EXPECT_TRUE(label.Visible());
}

TYPED_TEST(CaptionLabel, InAFormDesignerTheCaptionFollowsRenamesAndTheTextIsEmptied) {
    TOwned<TComponent> designer(new TComponent(nullptr));
    designer->SetDesigning(true);
    const struct {
        const wchar_t* Before;
        const wchar_t* After;
    } cases[] = {
        {L"edtA", L"edtNome"}, // still the old name
        {L"EDTA", L"edtNome"}, // letter case is ignored
        {L"", L"edtNome"},     // empty takes the new name
        {L"Nome", L"Nome"},    // a caption of its own stays
        {L"edtAB", L"edtAB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "caption [" << c.Before << "]");
        auto* e = new TypeParam(designer.get());
        e->SetDesigning(true); // as a form designer marks what it edits
        static_cast<TControl*>(e)->SetParent(this->form.get());
        static_cast<TComponent*>(e)->SetName(L"edtA");
        EXPECT_EQ(e->AutoLabel()->Caption(), L"edtA") << "the first name reaches the empty caption";
        e->AutoLabel()->SetCaption(c.Before);
        e->SetText(L"abc");
        static_cast<TComponent*>(e)->SetName(L"edtNome");
        EXPECT_EQ(e->Name(), L"edtNome");
        EXPECT_EQ(e->AutoLabel()->Caption(), c.After);
        EXPECT_EQ(e->Text(), L"");
        e->Free();
    }

    // At run time a rename touches neither the caption nor the text.
    auto* e = this->editor;
    static_cast<TComponent*>(e)->SetName(L"edtA");
    e->AutoLabel()->SetCaption(L"edtA");
    e->SetText(L"abc");
    static_cast<TComponent*>(e)->SetName(L"edtNome");
    EXPECT_EQ(e->AutoLabel()->Caption(), L"edtA");
    EXPECT_EQ(e->Text(), L"abc");
}

TYPED_TEST(CaptionLabel, AfterTheLabelIsDestroyedNothingTouchesIt) {
    auto& e = *this->editor;
    e.SetLabelPosition(lpLeft);
    this->label->Free();
    EXPECT_EQ(e.AutoLabel(), nullptr);

    e.SetLabelPosition(lpBelow);
    EXPECT_EQ(e.AutoLabelPosition(), lpLeft) << "with no label the position is not stored";
    e.SetLabelSpacing(7);
    EXPECT_EQ(e.AutoLabelSpacing(), 7) << "the spacing is";
    e.SetBounds(10, 20, 100, 30);
    e.SetVisible(false);
    e.SetVisible(true);
    e.SetEnabled(false);
    e.SetEnabled(true);
    e.SetBiDiMode(bdRightToLeft);
    e.SetLabelSempreEnabled(true);
    e.SetAltCad(true);
    EXPECT_TRUE(e.AltCad());
    e.SetAltCad(false);

    auto* other = NewControl<TypeParam>(this->form.get(), 10, 200, 100, 21);
    ASSERT_TRUE(BringToFront(*this->form));
    ASSERT_TRUE(FocusOn(e));
    ASSERT_TRUE(FocusOn(*other)) << "entry and exit run without a label";
    EXPECT_EQ(e.ComponentCount(), 0);
}

TEST(mcBtn, StandardKindNativeStyleAndNoCaptionLabel) {
    auto form = NewForm(420, 300);
    auto* button = NewControl<TmcBtn>(form.get(), 10, 10, 75, 25);
    EXPECT_EQ(button->LookAndFeel().Kind(), lfStandard);
    EXPECT_TRUE(button->LookAndFeel().NativeStyle());
    EXPECT_FALSE(button->EnterTab());
    EXPECT_EQ(button->ComponentCount(), 0);
}

} // namespace
