// A small form read from a layout, shown and looked at: the editors' flat frame, the thick red frame of
// the focused one, the native edge, and the rich-text memo's lines and scroll bars. The form's picture
// is saved as look_form.bmp beside the test for a look by eye.
#include "ui_support.h"

#include "toolkit/button.h"
#include "toolkit/cx_label.h"
#include "toolkit/label.h"
#include "toolkit/layout_reader.h"
#include "toolkit/layout_writer.h"
#include "toolkit/rich_edit.h"
#include "toolkit/status_bar.h"
#include "toolkit/text_edit.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <richedit.h>

#include <cstdio>

namespace {

const wchar_t* const LookLayout = LR"(object LookForm: TForm
  Left = 0
  Top = 0
  BorderStyle = bsSingle
  Caption = 'Corvalin'
  ClientHeight = 154
  ClientWidth = 687
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Position = poScreenCenter
  object lblUser: TLabel
    Left = 16
    Top = 11
    Caption = 'Usu'#225'rio'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object edtUser: TcxTextEdit
    Left = 16
    Top = 24
    Width = 305
    LookAndFeel.NativeStyle = False
    Style.LookAndFeel.NativeStyle = False
    StyleFocused.BorderColor = clRed
    StyleFocused.BorderStyle = ebsThick
    TabOrder = 0
  end
  object edtPassword: TcxTextEdit
    Left = 16
    Top = 72
    Width = 305
    LookAndFeel.NativeStyle = False
    Style.LookAndFeel.NativeStyle = False
    StyleFocused.BorderColor = clRed
    StyleFocused.BorderStyle = ebsThick
    TabOrder = 1
  end
  object edtNative: TcxTextEdit
    Left = 16
    Top = 112
    Width = 200
    TabOrder = 2
  end
  object btnGenerate: TcxButton
    Left = 246
    Top = 112
    Width = 75
    Height = 25
    Caption = 'Gerar'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    LookAndFeel.Kind = lfStandard
    ParentFont = False
    TabOrder = 3
  end
  object redtConfiguration: TcxRichEdit
    Left = 344
    Top = 24
    Width = 329
    Height = 69
    LookAndFeel.NativeStyle = False
    Properties.ReadOnly = True
    Properties.ScrollBars = ssBoth
    Properties.WordWrap = False
    Style.LookAndFeel.NativeStyle = False
    StyleFocused.BorderColor = clRed
    StyleFocused.BorderStyle = ebsThick
    TabOrder = 4
  end
end
)";

COLORREF PixelOf(HWND Window, int X, int Y) {
    HDC dc = GetWindowDC(Window);
    const COLORREF color = GetPixel(dc, X, Y);
    ReleaseDC(Window, dc);
    return color;
}

// Saves what the screen shows of Window as a 24-bit bitmap file.
void SaveShot(HWND Window, const char* Path) {
    RECT r;
    GetWindowRect(Window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD stride = DWORD((w * 3 + 3) & ~3), size = stride * DWORD(h);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + size;
    if (FILE* f = std::fopen(Path, "wb")) {
        std::fwrite(&file, sizeof(file), 1, f);
        std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, f);
        std::fwrite(bits, 1, size, f);
        std::fclose(f);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

class Look : public ::testing::Test {
protected:
    void SetUp() override {
        form.reset(new TForm(Application));
        ReadLayout(*form, LookLayout);
        user = dynamic_cast<TcxTextEdit*>(form->FindComponent(L"edtUser"));
        password = dynamic_cast<TcxTextEdit*>(form->FindComponent(L"edtPassword"));
        native = dynamic_cast<TcxTextEdit*>(form->FindComponent(L"edtNative"));
        memo = dynamic_cast<TcxRichEdit*>(form->FindComponent(L"redtConfiguration"));
        ASSERT_TRUE(user && password && native && memo);
        ASSERT_TRUE(BringToFront(*form));
        ASSERT_TRUE(PumpUntil([&] { return user->Focused(); }));
        Pump(300);
    }

    TOwned<TForm> form;
    TcxTextEdit* user = nullptr;
    TcxTextEdit* password = nullptr;
    TcxTextEdit* native = nullptr;
    TcxRichEdit* memo = nullptr;
};

TEST_F(Look, FocusedEditorHasAThickRedFrameTheOthersAFlatLine) {
    const COLORREF red = RGB(255, 0, 0), shadow = GetSysColor(COLOR_BTNSHADOW),
                   window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(user->Height(), 21);
    EXPECT_EQ(PixelOf(user->Handle(), 0, 0), red);
    EXPECT_EQ(PixelOf(user->Handle(), 1, 1), red);
    EXPECT_EQ(PixelOf(user->Handle(), 2, 2), window);
    EXPECT_EQ(PixelOf(user->Handle(), 304, 20), red);
    EXPECT_EQ(PixelOf(password->Handle(), 0, 0), shadow);
    EXPECT_EQ(PixelOf(password->Handle(), 1, 1), window);
    EXPECT_EQ(PixelOf(memo->Handle(), 0, 0), shadow);
    EXPECT_EQ(PixelOf(native->Handle(), 1, 1), GetSysColor(COLOR_3DDKSHADOW)) << "the platform's sunken edge";
    password->SetText(L"Senha 123 ÁÇ");
    memo->Lines().Add(L"domain:s:CORP");
    memo->Lines().Add(L"username:s:jose.silva");
    memo->Lines().Add(L"password 51:b:" + std::wstring(80, L'0'));
    Pump(300);
    SaveShot(form->Handle(), "look_form.bmp");

    PressKey(VK_TAB);
    Pump(300);
    EXPECT_EQ(PixelOf(user->Handle(), 0, 0), shadow) << "the frame follows the focus";
    EXPECT_EQ(PixelOf(user->Handle(), 1, 1), window);
    EXPECT_EQ(PixelOf(password->Handle(), 1, 1), red);
}

TEST_F(Look, LayoutValuesReachTheControls) {
    auto* label = dynamic_cast<TLabel*>(form->FindComponent(L"lblUser"));
    auto* button = dynamic_cast<TcxButton*>(form->FindComponent(L"btnGenerate"));
    ASSERT_TRUE(label && button);
    EXPECT_EQ(label->Caption(), L"Usuário");
    EXPECT_EQ(label->Font().Style(), TFontStyles(fsBold));
    EXPECT_EQ(label->Height(), 13);
    EXPECT_EQ(button->LookAndFeel().Kind(), lfStandard);
    EXPECT_EQ(WindowText(button->Handle()), L"Gerar");
    EXPECT_EQ(form->ClientWidth(), 687);
    EXPECT_EQ(form->ClientHeight(), 154);
    EXPECT_EQ(memo->TabOrder(), 4);
    EXPECT_TRUE(memo->Properties().ReadOnly());
}

TEST_F(Look, WrittenLayoutReadsBackIntoTheSameForm) {
    const std::wstring written = WriteLayout(*form);
    TOwned<TForm> copy(new TForm(nullptr));
    ReadLayout(*copy, written);
    EXPECT_EQ(WriteLayout(*copy), written);
    for (const wchar_t* line :
         {L"StyleFocused.BorderStyle = ebsThick", L"StyleFocused.BorderColor = clRed",
          L"Style.LookAndFeel.NativeStyle = False", L"Properties.ScrollBars = ssBoth",
          L"LookAndFeel.Kind = lfStandard", L"Caption = 'Usu'#225'rio'", L"TabOrder = 4"})
        EXPECT_NE(written.find(line), std::wstring::npos) << std::string(line, line + wcslen(line));
    for (const wchar_t* left : {L"BeepOnEnter", L"AutoSize", L"Properties.EchoMode", L"Transparent",
                                L"Visible", L"TabStop", L"Color = clWindow\n"})
        EXPECT_EQ(written.find(left), std::wstring::npos)
            << "a default is left out: " << std::string(left, left + wcslen(left));
}

TEST_F(Look, RichEditLinesAndScrollBarsShownOnlyWhenNeeded) {
    const auto hasStyle = [&](LONG_PTR bit) {
        return (GetWindowLongPtrW(memo->Handle(), GWL_STYLE) & bit) != 0;
    };
    EXPECT_EQ(memo->Lines().Count(), 0);
    EXPECT_FALSE(hasStyle(WS_HSCROLL));
    EXPECT_FALSE(hasStyle(WS_VSCROLL));

    memo->Lines().Add(L"domain:s:CORP");
    memo->Lines().Add(L"password 51:b:" + std::wstring(300, L'0'));
    Pump(100);
    EXPECT_EQ(memo->Lines().Count(), 2);
    EXPECT_EQ(memo->Lines()[0], L"domain:s:CORP");
    EXPECT_EQ(memo->Lines()[1].size(), 314u);
    EXPECT_EQ(memo->Lines().Text(), L"domain:s:CORP\r\npassword 51:b:" + std::wstring(300, L'0') + L"\r\n");
    EXPECT_TRUE(hasStyle(WS_HSCROLL)) << "the long line overflows: no word wrap, a horizontal bar";
    EXPECT_FALSE(hasStyle(WS_VSCROLL));
    EXPECT_EQ(SendMessageW(memo->Handle(), EM_LINEINDEX, 2, 0) -
                  SendMessageW(memo->Handle(), EM_LINEINDEX, 1, 0),
              315)
        << "the long line stays one line";

    for (int i = 0; i < 10; ++i)
        memo->Lines().Add(L"more");
    Pump(100);
    EXPECT_TRUE(hasStyle(WS_VSCROLL));
    memo->Lines().Clear();
    Pump(100);
    EXPECT_EQ(memo->Lines().Count(), 0);
    EXPECT_FALSE(hasStyle(WS_HSCROLL));
    EXPECT_FALSE(hasStyle(WS_VSCROLL));
}

// Adding a line puts it at the end and leaves the lines before it alone: a line made bold stays bold, the
// new one gets the editor's font, and a result line longer than the native 32,767-character limit stays
// whole.
TEST_F(Look, RichEditAddAppendsAndKeepsTheEarlierLines) {
    const auto formatOf = [&](LONG From, LONG To) {
        CHARRANGE range{From, To};
        SendMessageW(memo->Handle(), EM_EXSETSEL, 0, LPARAM(&range));
        CHARFORMAT2W format{};
        format.cbSize = sizeof(format);
        SendMessageW(memo->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&format));
        return format;
    };
    memo->Lines().Add(L"domain:s:CORP");
    memo->Lines().Add(L"username:s:jose.silva");
    CHARRANGE first{0, 13};
    SendMessageW(memo->Handle(), EM_EXSETSEL, 0, LPARAM(&first));
    CHARFORMAT2W bold{};
    bold.cbSize = sizeof(bold);
    bold.dwMask = CFM_BOLD;
    bold.dwEffects = CFE_BOLD;
    SendMessageW(memo->Handle(), EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&bold));

    const std::wstring blob(40000, L'A');
    memo->Lines().Add(L"password 51:b:" + blob);
    ASSERT_EQ(memo->Lines().Count(), 3);
    EXPECT_EQ(memo->Lines()[0], L"domain:s:CORP");
    EXPECT_EQ(memo->Lines()[1], L"username:s:jose.silva");
    EXPECT_EQ(memo->Lines()[2], L"password 51:b:" + blob) << "the long line is not cut";
    EXPECT_TRUE(formatOf(0, 13).dwEffects & CFE_BOLD) << "the first line was not set again";
    const LONG third = LONG(SendMessageW(memo->Handle(), EM_LINEINDEX, 2, 0));
    const CHARFORMAT2W added = formatOf(third, third + 20);
    EXPECT_FALSE(added.dwEffects & CFE_BOLD);
    EXPECT_STREQ(added.szFaceName, memo->Font().Name().c_str()) << "the new line is in the editor's font";

    // A text that does not end with a line break gets one before the new line.
    memo->Lines().SetText(L"one");
    memo->Lines().Add(L"two");
    EXPECT_EQ(memo->Lines().Text(), L"one\r\ntwo\r\n");
}

TEST_F(Look, ReadOnlyMemoTakesNoTypingAndTabLeavesIt) {
    memo->SetEnabled(true);
    memo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return memo->Focused(); }));
    PressKey('Z');
    EXPECT_EQ(memo->Lines().Count(), 0);
    PressKey(VK_TAB);
    EXPECT_TRUE(user->Focused()) << "Tab is no input for the memo";
}

TEST_F(Look, SuiteLabelLiesOverAnEditorAndShowsItsBackgroundWhenTransparent) {
    auto* label = new TcxLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption(L"(Senha)");
    label->Style().Font().SetColor(clGray);
    label->SetTop(password->Top());
    label->SetLeft(password->Left() + 1);
    label->SetCursor(crIBeam);
    int clicks = 0;
    label->OnClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, label);
        ++clicks;
    };
    Pump(200);
    EXPECT_EQ(PixelOf(label->Handle(), 0, 0), GetSysColor(COLOR_BTNFACE)) << "opaque, above the editor";
    label->SetTransparent(true);
    Pump(200);
    EXPECT_EQ(PixelOf(label->Handle(), 0, 0), GetSysColor(COLOR_WINDOW)) << "the editor's background shows";
    EXPECT_EQ(label->Height(), 13);

    SendMessageW(label->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(label->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(user->Focused()) << "a label takes no focus";
    SendMessageW(label->Handle(), WM_SETCURSOR, WPARAM(label->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_IBEAM));
}

TEST_F(Look, StatusBarPanelsShowTheirTextsAtTheBottom) {
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    for (int i = 0; i < 3; ++i)
        bar->Panels().Add().SetText(L"panel " + std::to_wstring(i));
    bar->Panels().Items(bar->Panels().Count() - 1).SetText(L"Nome do usu\u00e1rio");
    ASSERT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 0, 0), 3);
    wchar_t text[64] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Nome do usu\u00e1rio");
    SendMessageW(bar->Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"panel 0");
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    form->SetClientHeight(200);
    EXPECT_EQ(bar->Top() + bar->Height(), 200) << "it follows the form's size";
    EXPECT_EQ(bar->Width(), form->ClientWidth());
}

} // namespace
