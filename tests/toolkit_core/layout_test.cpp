// Stored layouts: reading into a form, writing back, loading order, texts, and malformed layouts.
#include "probe_components.h"

#include "toolkit/layout_reader.h"
#include "toolkit/layout_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterProbeClasses();
        ProbeLog().clear();
    }
};

// Every kind of property, defaults left out, sub-component and nested-object prefixes, three levels of
// nesting, texts with quotes and character codes, named and unnamed colours, events.
const wchar_t* const FullLayout = LR"(object Form1: TProbeForm
  Caption = 'Usu'#225'rio e senha'
  Color = clWhite
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  object pnlBox: TProbe
    Left = 8
    Width = 300
    Kind = pkTwo
    Flag = False
    AutoLabel.Caption = ''
    AutoLabel.Width = 0
    object edtFirst: TProbe
      Left = -16
      Caption = 'It''s a '#8220'test'#8221
      Visible = False
      Kind = pkNone
      Style = [fsBold, fsUnderline]
      Color = 123456
      Flag = True
      ParentFont = False
      Font.Charset = 3
      Font.Color = clRed
      Font.Height = -13
      Font.Name = 'Segoe UI'
      Font.Style = [fsBold]
      AutoLabel.Caption = 'Configura'#231#227'o [...]'
      AutoLabel.Width = 74
      AutoLabel.ParentFont = False
      AutoLabel.Font.Charset = ANSI_CHARSET
      AutoLabel.Font.Color = -16777215
      AutoLabel.Font.Height = -11
      AutoLabel.Font.Name = 'Tahoma'
      AutoLabel.Font.Style = [fsBold, fsItalic, fsUnderline, fsStrikeOut]
      AutoLabel.OnClick = ButtonClick
      OnClick = ButtonClick
      OnKeyDown = KeyDown
    end
  end
  object edtSecond: TProbeEx
    Left = 16
    Width = 0
    Kind = pkOne
    Color = clBtnFace
    Flag = False
    AutoLabel.Caption = 'Senha'
    AutoLabel.Width = 35
    Extra = #9'tab'#13#10
  end
end
)";

TEST_F(Layout, ReadsIntoTheFormAndWritesBackUnchanged) {
    TProbeForm form;
    ReadLayout(form, FullLayout);

    EXPECT_EQ(form.Name(), L"Form1");
    EXPECT_EQ(form.Caption(), L"Usu\u00e1rio e senha");
    ASSERT_EQ(form.ComponentCount(), 3);
    ASSERT_NE(form.pnlBox, nullptr);
    ASSERT_NE(form.edtFirst, nullptr);
    TProbe& first = *form.edtFirst;
    EXPECT_EQ(first.Owner(), &form);
    EXPECT_EQ(first.GetParentComponent(), form.pnlBox);
    EXPECT_EQ(form.FindComponent(L"edtSecond")->GetParentComponent(), &form);
    EXPECT_EQ(first.Caption(), L"It's a \u201ctest\u201d");
    EXPECT_EQ(first.Style(), TFontStyles(fsBold | fsUnderline));
    EXPECT_EQ(first.Color(), 123456u);
    EXPECT_EQ(first.Font().Charset(), 3);
    EXPECT_EQ(first.AutoLabel()->Caption(), L"Configura\u00e7\u00e3o [...]");
    EXPECT_EQ(first.AutoLabel()->Font().Color(), 0xFF000001u);
    EXPECT_EQ(static_cast<TProbeEx*>(form.FindComponent(L"edtSecond"))->Extra, L"\ttab\r\n");

    first.OnClick(&first);
    first.AutoLabel()->OnClick(first.AutoLabel());
    WORD key = 13;
    first.OnKeyDown(&first, key, ssAlt);
    EXPECT_EQ(form.Calls, (Names{L"ButtonClick(edtFirst)", L"ButtonClick(SubLabel)", L"KeyDown(13,2)"}));

    EXPECT_EQ(WriteLayout(form), FullLayout);
}

TEST_F(Layout, WriterSkipsValuesEqualToTheirDefaultAndAlwaysWritesTheRest) {
    TProbeForm form;
    form.SetName(L"Form1");
    auto* plain = new TProbe(&form);
    plain->SetName(L"edtPlain");
    plain->SetParentComponent(&form);
    auto* ex = new TProbeEx(&form);
    ex->SetName(L"edtEx");
    ex->SetParentComponent(&form);
    new TProbe(&form);   // unnamed: no block
    ex->SetCaption(L""); // equal to its default
    ex->SetVisible(false);
    ex->SetStyle(fsItalic);
    ex->SetColor(clWindow);        // equal to its default
    ex->OnClick = [](TObject*) {}; // assigned in code: no name to write
    ex->AutoLabel()->Free();       // a sub-component that is gone is left out

    EXPECT_EQ(WriteLayout(form), LR"(object Form1: TProbeForm
  Caption = ''
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  object edtPlain: TProbe
    Left = 0
    Kind = pkOne
    Flag = False
    AutoLabel.Caption = ''
    AutoLabel.Width = 0
  end
  object edtEx: TProbeEx
    Left = 0
    Visible = False
    Kind = pkOne
    Style = [fsItalic]
    Flag = False
    Extra = ''
  end
end
)");

    ex->SetWidth(0); // TProbeEx declares Width again with the default 100
    plain->SetWidth(100);
    const std::wstring text = WriteLayout(form);
    EXPECT_NE(text.find(L"  object edtPlain: TProbe\n    Left = 0\n    Width = 100\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"  object edtEx: TProbeEx\n    Left = 0\n    Width = 0\n"), std::wstring::npos);
}

TEST_F(Layout, SettersSeeParentFirstThenFileOrderWhileLoadingAndLoadedComesAfterEverything) {
    TProbeForm form;
    ReadLayout(form, LR"(object Form1: TProbeForm
  Caption = 'Main'
  object pnlBox: TProbe
    Width = 200
    Left = 5
    object edtFirst: TProbe
      Left = 10
      AutoLabel.Caption = 'First'
      Caption = 'x'
    end
  end
end
)");
    EXPECT_EQ(ProbeLog(), (Names{L"Form1.Caption=Main (loading)", L"pnlBox.Name (loading)",
                                 L"pnlBox.Parent=Form1 (loading)", L"pnlBox.Width=200 (loading)",
                                 L"pnlBox.Left=5 (loading)", L"edtFirst.Name (loading)",
                                 L"edtFirst.Parent=pnlBox (loading)", L"edtFirst.Left=10 (loading)",
                                 L"SubLabel.Caption=First (loading)", L"edtFirst.Caption=x (loading)",
                                 L"Form1.Loaded (loading)", L"pnlBox.Loaded (loading)",
                                 L"edtFirst.Loaded (loading)", L"SubLabel.Loaded (loading)"}));
    EXPECT_EQ(form.ComponentState(), 0u);
    EXPECT_EQ(form.edtFirst->ComponentState(), 0u);
    EXPECT_EQ(form.edtFirst->AutoLabel()->ComponentState(), 0u);
}

TEST_F(Layout, TextsWithQuotesAndCharacterCodes) {
    struct Case {
        const wchar_t* Stored;
        const wchar_t* Text;
    };
    for (const Case& c :
         {Case{L"'Usu'#225'rio'", L"Usu\u00e1rio"},
          Case{L"'Configura'#231#227'o'", L"Configura\u00e7\u00e3o"},
          Case{L"'Altera'#$E7#$E3'o'", L"Altera\u00e7\u00e3o"}, Case{L"#225", L"\u00e1"},
          Case{L"'It''s'", L"It's"}, Case{L"''''", L"'"}, Case{L"''", L""},
          Case{L"'first' + 'second'", L"firstsecond"}, Case{L"'Usu\u00e1rio'", L"Usu\u00e1rio"}}) {
        TProbeForm form;
        ReadLayout(form, std::wstring(L"object Form1: TProbeForm\n  Caption = ") + c.Stored + L"\nend\n");
        EXPECT_EQ(form.Caption(), c.Text) << c.Stored;
    }

    const std::wstring withNul(L"a\0b", 3);
    TProbeForm form;
    ReadLayout(form, L"object Form1: TProbeForm\n  Caption = 'a'#0'b'\nend\n");
    EXPECT_EQ(form.Caption(), withNul);
    EXPECT_EQ(LayoutString(withNul), L"'a'#0'b'");

    struct Written {
        const wchar_t* Text;
        const wchar_t* Stored;
    };
    for (const Written& c :
         {Written{L"Usu\u00e1rio", L"'Usu'#225'rio'"}, Written{L"\u00e1", L"#225"},
          Written{L"\u00e1b\u00e7", L"#225'b'#231"}, Written{L"It's", L"'It''s'"}, Written{L"", L"''"},
          Written{L"\r\n", L"#13#10"},
          Written{L"[F9] - Altera\u00e7\u00e3o Cadastral", L"'[F9] - Altera'#231#227'o Cadastral'"},
          Written{L"~\u007f", L"'~'#127"}})
        EXPECT_EQ(LayoutString(c.Text), c.Stored);
}

struct ErrorCase {
    std::wstring Text;
    std::wstring Message;
};

// A layout whose third line is Line, inside the block of edtFirst.
std::wstring InFirst(const std::wstring& Line) {
    return L"object Form1: TProbeForm\n  object edtFirst: TProbe\n    " + Line + L"\n  end\nend\n";
}

TEST_F(Layout, MalformedLayoutsNameComponentPropertyAndLineAndLeaveNothingBehind) {
    const std::wstring wrapped = L"object Form1: TProbeForm\n  object edtX: ";
    const std::vector<ErrorCase> cases{
        {L"", L"line 1: \"object\" expected, end of layout found"},
        {L"obj Form1: TProbeForm\nend\n", L"line 1: \"object\" expected"},
        {L"object Form1: TOther\nend\n", L"Form1: line 1: class TOther does not match TProbeForm"},
        {L"object Form1 TProbeForm\nend\n", L"Form1: line 1: \":\" expected"},
        {L"object Form1: TProbeForm\n  Caption = 'x'\n",
         L"Form1: line 3: \"end\" expected, end of layout found"},
        {L"object Form1: TProbeForm\nend\nend\n", L"line 3: end of layout expected"},
        {L"object Form1: TProbeForm\n  Nope = 1\nend\n", L"Form1.Nope: line 2: unknown property"},
        {L"object Form1: TProbeForm\n  object : TProbe\n  end\nend\n",
         L"Form1: line 2: component name expected"},
        {wrapped + L"TNope\n  end\nend\n", L"edtX: line 2: unknown class TNope"},
        {wrapped + L"TAbstractProbe\n  end\nend\n", L"edtX: line 2: class TAbstractProbe cannot be created"},
        {wrapped + L"TProbe\n  end\n  object EDTX: TProbe\n  end\nend\n",
         L"EDTX: line 4: A component named EDTX already exists"},
        {L"object Form1: TProbeForm\n  object lblWrong: TProbe\n  end\nend\n",
         L"lblWrong: line 2: the form's field lblWrong cannot hold a TProbe"},
        {L"\xFEFFobject Form1: TProbeForm\r\n  object edtA: TProbe\r\n    Left = x1\r\n  end\r\nend\r\n",
         L"edtA.Left: line 3: integer expected"},
        {InFirst(L"3 = 4"), L"edtFirst: line 3: property, \"object\" or \"end\" expected"},
        {InFirst(L"Nope = 1"), L"edtFirst.Nope: line 3: unknown property"},
        {InFirst(L"AutoLbl.Caption = 'x'"), L"edtFirst.AutoLbl.Caption: line 3: unknown property AutoLbl"},
        {InFirst(L"AutoLabel.Captions = 'x'"), L"edtFirst.AutoLabel.Captions: line 3: unknown property"},
        {InFirst(L"Left.X = 1"), L"edtFirst.Left.X: line 3: Left has no properties"},
        {InFirst(L"Font = 3"), L"edtFirst.Font: line 3: an object takes no value; set its properties"},
        {InFirst(L"AutoLabel = 3"),
         L"edtFirst.AutoLabel: line 3: an object takes no value; set its properties"},
        {InFirst(L"Count = 3"), L"edtFirst.Count: line 3: read-only property"},
        {InFirst(L"Left 3"), L"edtFirst.Left: line 3: \"=\" expected"},
        {InFirst(L"Left = ]"), L"edtFirst.Left: line 3: value expected"},
        {InFirst(L"Left = 'x'"), L"edtFirst.Left: line 3: integer expected"},
        {InFirst(L"Left = 2147483648"), L"edtFirst.Left: line 3: integer out of range"},
        {InFirst(L"Left = -2147483649"), L"edtFirst.Left: line 3: integer out of range"},
        {InFirst(L"Left = 99999999999999999999"), L"edtFirst.Left: line 3: integer out of range"},
        {InFirst(L"Left = 12abc"), L"edtFirst.Left: line 3: invalid number"},
        {InFirst(L"Left = 1.5"), L"edtFirst.Left: line 3: invalid number"},
        {InFirst(L"Left = @"), L"edtFirst.Left: line 3: invalid character \"@\""},
        {InFirst(L"Width = -1"), L"edtFirst.Width: line 3: Width must not be negative"},
        {InFirst(L"Visible = Yes"), L"edtFirst.Visible: line 3: True or False expected"},
        {InFirst(L"Visible = 1"), L"edtFirst.Visible: line 3: True or False expected"},
        {InFirst(L"Caption = 12"), L"edtFirst.Caption: line 3: string expected"},
        {InFirst(L"Caption = 'a' + 3"), L"edtFirst.Caption: line 3: string expected"},
        {InFirst(L"Caption = 'abc"), L"edtFirst.Caption: line 3: unterminated string"},
        {InFirst(L"Caption = 'a'#70000"), L"edtFirst.Caption: line 3: invalid character code"},
        {InFirst(L"Caption = #"), L"edtFirst.Caption: line 3: invalid character code"},
        {InFirst(L"Kind = pkSix"), L"edtFirst.Kind: line 3: \"pkSix\" is not a TProbeKind value"},
        {InFirst(L"Kind = 1"), L"edtFirst.Kind: line 3: TProbeKind value expected"},
        {InFirst(L"Style = [fsBold, fsHuge]"),
         L"edtFirst.Style: line 3: \"fsHuge\" is not a TFontStyle value"},
        {InFirst(L"Style = fsBold"), L"edtFirst.Style: line 3: set expected"},
        {InFirst(L"Style = [fsBold fsItalic]"), L"edtFirst.Style: line 3: \",\" expected"},
        {InFirst(L"Style = [fsBold,]"), L"edtFirst.Style: line 3: set element expected"},
        {InFirst(L"Color = clPurpleish"), L"edtFirst.Color: line 3: \"clPurpleish\" is not a colour"},
        {InFirst(L"Color = 'red'"), L"edtFirst.Color: line 3: colour expected"},
        {InFirst(L"Color = 4294967296"), L"edtFirst.Color: line 3: integer out of range"},
        {InFirst(L"Font.Charset = KLINGON_CHARSET"),
         L"edtFirst.Font.Charset: line 3: \"KLINGON_CHARSET\" is not a TFontCharset value"},
        {InFirst(L"AutoLabel.Font.Style = [fsNone]"),
         L"edtFirst.AutoLabel.Font.Style: line 3: \"fsNone\" is not a TFontStyle value"},
        {InFirst(L"OnClick = Nope"), L"edtFirst.OnClick: line 3: unknown handler Nope"},
        {InFirst(L"OnKeyDown = ButtonClick"),
         L"edtFirst.OnKeyDown: line 3: handler ButtonClick does not fit the event"},
        {InFirst(L"OnClick = 'ButtonClick'"), L"edtFirst.OnClick: line 3: handler name expected"},
    };
    for (const ErrorCase& c : cases) {
        TProbeForm form;
        try {
            ReadLayout(form, c.Text);
            ADD_FAILURE() << "no error for: " << ::testing::PrintToString(c.Text);
        } catch (const ELayoutError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(form.ComponentCount(), 0) << ::testing::PrintToString(c.Message);
        EXPECT_EQ(form.edtFirst, nullptr);
        EXPECT_FALSE(form.IsLoading());
    }
}

TEST_F(Layout, ErrorCarriesItsLineAndFreesComponentsReadBeforeIt) {
    TProbeForm form;
    try {
        ReadLayout(
            form,
            L"object Form1: TProbeForm\n  object pnlBox: TProbe\n    object edtFirst: TProbe\n"
            L"      Left = 1\n    end\n  end\n  object edtOther: TProbe\n    Kind = pkSix\n  end\nend\n");
        ADD_FAILURE() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_EQ(e.Line(), 8);
    }
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.pnlBox, nullptr);
    // Nothing is told Loaded() after a failed read.
    const Names& log = ProbeLog();
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::wstring& s) { return s.find(L"Loaded") != s.npos; }),
              0);
}

} // namespace
