// The labelled controls in stored layouts: what the writer writes for them (properties without default
// always, EnterTab only when on, the caption label under "AutoLabel."), and what reading applies in
// file order: the stored caption before AltCad and AutoLabelDentro, the caption label placed with its
// stored size.
#include "ui_support.h"

#include "controls/mcBtn.h"
#include "controls/mcEdit.h"
#include "controls/mcRegister.h"
#include "controls/mcRichEdit.h"
#include "toolkit/layout_reader.h"
#include "toolkit/layout_writer.h"
#include "toolkit/sysutils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

// The property lines of the block that starts with Header ("edtNome: TmcEdit"), trimmed, nested blocks
// left out.
Lines BlockProperties(const std::wstring& Layout, const std::wstring& Header) {
    std::wistringstream in(Layout);
    std::wstring line;
    Lines props;
    size_t indent = std::wstring::npos;
    while (std::getline(in, line)) {
        const std::wstring trimmed = Trim(line);
        const size_t at = line.find_first_not_of(L' ');
        if (indent == std::wstring::npos) {
            if (trimmed == L"object " + Header) indent = at;
            continue;
        }
        if (at == indent && trimmed == L"end") break;
        if (at == indent + 2 && trimmed.rfind(L"object ", 0) != 0) props.push_back(trimmed);
    }
    return props;
}

// The lines from the first one that starts with First to the end.
Lines From(const Lines& Props, const std::wstring& First) {
    const auto it = std::find_if(Props.begin(), Props.end(),
                                 [&](const std::wstring& l) { return l.rfind(First, 0) == 0; });
    return Lines(it, Props.end());
}

bool HasPropertyStarting(const Lines& Props, const std::wstring& Start) {
    return std::any_of(Props.begin(), Props.end(),
                       [&](const std::wstring& l) { return l.rfind(Start, 0) == 0; });
}

class Layouts : public ::testing::Test {
protected:
    void SetUp() override { RegisterControlClasses(); }

    template <class T> T* Add(TForm& Form, const wchar_t* Name) {
        auto* control = NewControl<T>(&Form, 10, 10 + 40 * Form.ComponentCount(), 150, 30);
        static_cast<TComponent*>(control)->SetName(Name);
        return control;
    }
};

TEST_F(Layouts, PropertiesWithoutDefaultAreAlwaysWrittenAndEnterTabOnlyWhenOn) {
    auto form = NewForm(420, 300);
    form->SetName(L"Written");
    auto* edit = Add<TmcEdit>(*form, L"edtNome");
    edit->AutoLabel()->SetCaption(L"Nome");
    auto* rich = Add<TmcRichEdit>(*form, L"redtObs");
    auto* button = Add<TmcBtn>(*form, L"btnOk");

    std::wstring layout = WriteLayout(*form);
    const Lines editProps = BlockProperties(layout, L"edtNome: TmcEdit");
    EXPECT_EQ(
        From(editProps, L"AutoLabelPosition"),
        (Lines{L"AutoLabelPosition = lpAbove", L"AutoLabelSpacing = 0", L"AutoLabelSempreEnabled = False",
               L"AltCad = False", L"Capilalize = False", L"AutoLabelDentro = False"}));
    ASSERT_GE(editProps.size(), 6u);
    const Lines beforeOwn(editProps.begin(), editProps.end() - 6);
    EXPECT_NE(std::find(beforeOwn.begin(), beforeOwn.end(), L"AutoLabel.Caption = 'Nome'"), beforeOwn.end())
        << "the caption label is stored with its editor, before the editor's own properties";
    EXPECT_FALSE(HasPropertyStarting(editProps, L"EnterTab"));
    EXPECT_EQ(From(BlockProperties(layout, L"redtObs: TmcRichEdit"), L"AutoLabelPosition"),
              (Lines{L"AutoLabelPosition = lpAbove", L"AutoLabelSpacing = 0",
                     L"AutoLabelSempreEnabled = False", L"AltCad = False"}));
    EXPECT_FALSE(HasPropertyStarting(BlockProperties(layout, L"btnOk: TmcBtn"), L"EnterTab"));
    EXPECT_EQ(layout.find(L"SubLabel"), std::wstring::npos) << "no block of its own for a caption label";

    rich->SetEnterTab(true);
    button->SetEnterTab(true);
    layout = WriteLayout(*form);
    EXPECT_EQ(From(BlockProperties(layout, L"redtObs: TmcRichEdit"), L"AutoLabelPosition"),
              (Lines{L"AutoLabelPosition = lpAbove", L"EnterTab = True", L"AutoLabelSpacing = 0",
                     L"AutoLabelSempreEnabled = False", L"AltCad = False"}));
    EXPECT_TRUE(HasPropertyStarting(BlockProperties(layout, L"btnOk: TmcBtn"), L"EnterTab = True"));
}

const wchar_t* const Stored = LR"(object Stored: TForm
  ClientHeight = 300
  ClientWidth = 520
  object edtUsuario: TmcEdit
    Left = 16
    Top = 24
    Width = 305
    AutoLabel.Width = 43
    AutoLabel.Height = 13
    AutoLabel.Caption = 'Usu'#225'rio'
    AutoLabelPosition = lpAbove
    AutoLabelSpacing = 0
    AutoLabelSempreEnabled = False
    AltCad = False
    Capilalize = False
    AutoLabelDentro = False
  end
  object edtMarcado: TmcEdit
    Left = 16
    Top = 72
    AutoLabel.Caption = 'Nome [...]'
    AltCad = True
  end
  object edtNovo: TmcEdit
    Left = 16
    Top = 120
    AutoLabel.Caption = 'Nome'
    AltCad = True
  end
  object edtSemMarca: TmcEdit
    Left = 16
    Top = 168
    AutoLabel.Caption = 'Nome [...]'
    AutoLabel.Hint = 'Antiga'
    AutoLabel.ShowHint = True
    AltCad = False
  end
  object edtDentro: TmcEdit
    Left = 16
    Top = 216
    AutoLabel.Caption = 'Usu'#225'rio'
    AutoLabelPosition = lpLeft
    AutoLabelSpacing = 4
    AutoLabelDentro = True
  end
  object redtObs: TmcRichEdit
    Left = 340
    Top = 24
    Width = 160
    Height = 60
    AutoLabel.Caption = 'Obs'
    AutoLabelPosition = lpBelow
    EnterTab = True
    AutoLabelSpacing = 3
    AltCad = True
  end
  object btnOk: TmcBtn
    Left = 340
    Top = 200
    EnterTab = True
  end
end
)";

template <class T> T* Find(TForm& Form, const wchar_t* Name) {
    auto* found = dynamic_cast<T*>(Form.FindComponent(Name));
    EXPECT_NE(found, nullptr) << "no " << Name;
    return found;
}

TEST_F(Layouts, ReadingAppliesTheStoredCaptionBeforeAltCadAndAutoLabelDentro) {
    TOwned<TForm> form(new TForm(Application));
    ASSERT_NO_THROW(ReadLayout(*form, Stored));

    auto* usuario = Find<TmcEdit>(*form, L"edtUsuario");
    ASSERT_NE(usuario, nullptr);
    EXPECT_EQ(usuario->AutoLabel()->Caption(), L"Usu\x00E1rio");
    EXPECT_EQ(usuario->AutoLabel()->Left(), 16);
    EXPECT_EQ(usuario->AutoLabel()->Top(), 11) << "placed above with its stored height of 13";

    const struct {
        const wchar_t* Name;
        const wchar_t* Caption;
        TCursor Cursor;
        bool ShowHint;
    } marked[] = {
        {L"edtMarcado", L"Nome [...]", -21, true}, // stored with its marker: still one
        {L"edtNovo", L"Nome [...]", -21, true},
        {L"edtSemMarca", L"Nome", 0, false}, // off at load: the stored hint display goes
    };
    for (const auto& m : marked) {
        SCOPED_TRACE(testing::Message() << m.Name);
        auto* e = Find<TmcEdit>(*form, m.Name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->AutoLabel()->Caption(), m.Caption);
        EXPECT_EQ(e->AutoLabel()->Cursor(), m.Cursor);
        EXPECT_EQ(e->AutoLabel()->ShowHint(), m.ShowHint);
    }

    auto* dentro = Find<TmcEdit>(*form, L"edtDentro");
    ASSERT_NE(dentro, nullptr);
    ASSERT_NE(dentro->InsideCaption(), nullptr);
    EXPECT_EQ(dentro->InsideCaption()->Caption(), L"(Usu\x00E1rio)");
    EXPECT_EQ(dentro->InsideCaption()->Left(), 17);
    EXPECT_EQ(dentro->InsideCaption()->Top(), 216);
    EXPECT_TRUE(dentro->InsideCaption()->Visible());
    EXPECT_EQ(dentro->AutoLabel()->Caption(), L"");
    EXPECT_EQ(dentro->Hint(), L"Usu\x00E1rio");
    EXPECT_EQ(dentro->AutoLabelPosition(), lpAbove);
    EXPECT_EQ(dentro->AutoLabelSpacing(), -19);

    auto* obs = Find<TmcRichEdit>(*form, L"redtObs");
    ASSERT_NE(obs, nullptr);
    EXPECT_EQ(obs->AutoLabel()->Caption(), L"Obs [...]");
    EXPECT_TRUE(obs->EnterTab());
    EXPECT_EQ(obs->AutoLabelSpacing(), 3);
    EXPECT_EQ(obs->AutoLabel()->Top(), 24 + 60 + 3);
    auto* ok = Find<TmcBtn>(*form, L"btnOk");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->EnterTab());
}

TEST_F(Layouts, WrittenAndReadAgainTheyComeBackUnchanged) {
    TOwned<TForm> first(new TForm(Application));
    ReadLayout(*first, Stored);
    const std::wstring once = WriteLayout(*first);

    std::wstring renamed = once;
    renamed.replace(renamed.find(L"Stored: TForm"), 6, L"Again1");
    TOwned<TForm> second(new TForm(Application));
    ASSERT_NO_THROW(ReadLayout(*second, renamed));
    std::wstring twice = WriteLayout(*second);
    twice.replace(twice.find(L"Again1: TForm"), 6, L"Stored");
    EXPECT_EQ(twice, once);
    EXPECT_EQ(Find<TmcEdit>(*second, L"edtMarcado")->AutoLabel()->Caption(), L"Nome [...]");
}

} // namespace
