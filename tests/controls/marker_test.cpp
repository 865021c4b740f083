// The record-change marker of both editors on a real form: what AltCad does to the caption label, and
// F9 running the caption's click handler on release with the editor as sender.
#include "ui_support.h"

#include "controls/mcEdit.h"
#include "controls/mcRichEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::wstring Hint = L"[F9] - Altera\x00E7\x00E3o Cadastral";

template <class E> class Marker : public ::testing::Test {
protected:
    void SetUp() override {
        form = NewForm(400, 200);
        editor = NewControl<E>(form.get(), 120, 40, 200, 40);
        label = editor->AutoLabel();
        label->SetCaption(L"Nome");
        label->OnClick = [this](TObject* Sender) { senders.push_back(Sender); };
        other = NewControl<TcxTextEdit>(form.get(), 120, 120, 200, 21);
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(FocusOn(*editor));
    }

    TOwned<TForm> form;
    E* editor = nullptr;
    TBoundLabel* label = nullptr;
    TcxTextEdit* other = nullptr;
    std::vector<TObject*> senders;
};

struct EditorNames {
    template <class T> static std::string GetName(int) {
        return std::is_same_v<T, TmcEdit> ? "TmcEdit" : "TmcRichEdit";
    }
};
using Editors = ::testing::Types<TmcEdit, TmcRichEdit>;
TYPED_TEST_SUITE(Marker, Editors, EditorNames);

TYPED_TEST(Marker, AltCadMarksTheCaptionWithHandCursorAndHintAndOffClearsThemAll) {
    auto& e = *this->editor;
    auto& label = *this->label;
    // What the label had before is not kept.
    label.SetCursor(crIBeam);
    label.SetHint(L"antes");
    e.SetLabelPosition(lpLeft);
    const int left = label.Left(), top = label.Top();

    e.SetAltCad(true);
    EXPECT_TRUE(e.AltCad());
    EXPECT_EQ(label.Caption(), L"Nome [...]");
    EXPECT_EQ(label.Cursor(), TCursor(-21));
    EXPECT_EQ(label.Hint(), Hint);
    EXPECT_TRUE(label.ShowHint());
    EXPECT_EQ(label.Left(), left) << "a new caption does not place the label again";
    EXPECT_EQ(label.Top(), top);

    e.SetAltCad(true);
    EXPECT_EQ(label.Caption(), L"Nome [...]") << "the marker never doubles";

    e.SetAltCad(false);
    EXPECT_FALSE(e.AltCad());
    EXPECT_EQ(label.Caption(), L"Nome");
    EXPECT_EQ(label.Cursor(), TCursor(0));
    EXPECT_EQ(label.Hint(), L"");
    EXPECT_FALSE(label.ShowHint());

    // Off when it was never on: the hint display is switched off all the same.
    label.SetShowHint(true);
    label.SetHint(L"outra");
    e.SetAltCad(false);
    EXPECT_EQ(label.Caption(), L"Nome");
    EXPECT_FALSE(label.ShowHint());
    EXPECT_EQ(label.Hint(), L"");
}

TYPED_TEST(Marker, ReleasingF9RunsTheCaptionsClickWithTheEditorAsSender) {
    auto& e = *this->editor;
    e.SetAltCad(true);
    const struct {
        const char* Name;
        std::initializer_list<WORD> Modifiers;
    } presses[] = {{"F9", {}}, {"Shift+F9", {VK_SHIFT}}, {"Ctrl+F9", {VK_CONTROL}}};
    for (const auto& p : presses) {
        SCOPED_TRACE(p.Name);
        this->senders.clear();
        PressKey(VK_F9, p.Modifiers);
        EXPECT_EQ(this->senders, std::vector<TObject*>{&e});
    }

    // Held down with auto-repeat: nothing until the release, then one call.
    this->senders.clear();
    SendKeys({KeyInput(VK_F9, false), KeyInput(VK_F9, false), KeyInput(VK_F9, false)});
    EXPECT_TRUE(this->senders.empty());
    SendKeys({KeyInput(VK_F9, true)});
    EXPECT_EQ(this->senders, std::vector<TObject*>{&e});

    // A click on the caption runs the same handler with the label as sender.
    this->senders.clear();
    const TBoundLabel& label = *this->label;
    ClickAt(this->form->Handle(), {label.Left() + 2, label.Top() + 2});
    EXPECT_EQ(this->senders, std::vector<TObject*>{this->label});
}

TYPED_TEST(Marker, F9DoesNothingWithAltCadOffWithoutAHandlerOrWhenAKeyUpHandlerTakesTheKey) {
    auto& e = *this->editor;
    e.SetAltCad(false);
    PressKey(VK_F9);
    EXPECT_TRUE(this->senders.empty()) << "AltCad off";

    e.SetAltCad(true);
    std::vector<WORD> ups;
    e.OnKeyUp = [&](TObject*, WORD& Key, TShiftState) {
        ups.push_back(Key);
        if (Key == VK_F9) Key = 0;
    };
    PressKey(VK_F9);
    EXPECT_EQ(ups, std::vector<WORD>{VK_F9}) << "the release reached the base first";
    EXPECT_TRUE(this->senders.empty()) << "the key-up handler took F9";

    e.OnKeyUp = nullptr;
    this->label->OnClick = nullptr;
    PressKey(VK_F9); // no handler: nothing to call

    // F9 in another control is not the editor's; back in the editor it works again.
    this->label->OnClick = [this](TObject* Sender) { this->senders.push_back(Sender); };
    ASSERT_TRUE(FocusOn(*this->other));
    PressKey(VK_F9);
    EXPECT_TRUE(this->senders.empty());
    ASSERT_TRUE(FocusOn(e));
    PressKey(VK_F9);
    EXPECT_EQ(this->senders, std::vector<TObject*>{&e});
}

} // namespace
