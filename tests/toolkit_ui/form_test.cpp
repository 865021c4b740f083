// Forms: placement at the first showing, client size and border, labels sized to their text, and
// scaling of every position, size and font height to the resolution.
#include "ui_support.h"

#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/placement.h"
#include "toolkit/text_edit.h"

#include <gtest/gtest.h>

namespace {

RECT WindowRect(HWND Window) {
    RECT r;
    GetWindowRect(Window, &r);
    return r;
}

RECT WorkAreaOf(HWND Window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

TEST(Placement, CentredInTheWorkAreaTruncatingAndClamped) {
    struct {
        RECT WorkArea;
        int Width, Height;
        LONG Left, Top;
    } cases[] = {
        {{0, 0, 1600, 1200}, 703, 193, 448, 503},     // halves truncate: 448.5 and 503.5
        {{0, 0, 1600, 1200}, 1600, 1200, 0, 0},       // exactly the work area
        {{100, 50, 1700, 1250}, 1601, 1201, 100, 50}, // one pixel too large: -1 div 2 is 0
        {{100, 50, 1700, 1250}, 1603, 1203, 100, 50}, // -3 div 2 is -1: clamped to the work area
        {{0, 0, 1600, 1200}, 3000, 100, 0, 550},      // too wide only: left clamped, top centred
        {{-1280, 30, 0, 1024}, 400, 300, -840, 377},  // a monitor left of the primary one
    };
    for (const auto& c : cases) {
        const POINT p = CenteredPosition(c.WorkArea, c.Width, c.Height);
        EXPECT_EQ(p.x, c.Left) << c.Width << "x" << c.Height;
        EXPECT_EQ(p.y, c.Top) << c.Width << "x" << c.Height;
    }
}

TEST(Placement, ScreenCentredFormIsCentredAtItsFirstShowingOnly) {
    auto form = NewForm(300, 200);
    form->SetBounds(0, 0, form->Width(), form->Height()); // a layout's left and top are not used
    form->Show();
    const RECT r = WindowRect(form->Handle());
    const RECT wa = WorkAreaOf(form->Handle());
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_EQ(r.left, wa.left + (wa.right - wa.left - w) / 2);
    EXPECT_EQ(r.top, wa.top + (wa.bottom - wa.top - h) / 2);

    form->SetBounds(10, 20, form->Width(), form->Height());
    form->Hide();
    form->Show();
    EXPECT_EQ(WindowRect(form->Handle()).left, 10) << "placed once: afterwards it stays where it is put";
    EXPECT_EQ(form->Left(), 10);
    EXPECT_EQ(form->Top(), 20);
}

TEST(Placement, FormLargerThanTheWorkAreaStartsAtItsTopLeft) {
    auto probe = NewForm(10, 10);
    const RECT wa = WorkAreaOf(probe->Handle());
    auto form = NewForm(wa.right - wa.left + 200, wa.bottom - wa.top + 100);
    form->Show();
    const RECT r = WindowRect(form->Handle());
    EXPECT_EQ(r.left, wa.left);
    EXPECT_EQ(r.top, wa.top);
}

TEST(Placement, DesignedPositionIsKept) {
    auto form = NewForm(200, 100);
    form->SetPosition(poDesigned);
    form->SetBounds(37, 41, form->Width(), form->Height());
    form->Show();
    EXPECT_EQ(WindowRect(form->Handle()).left, 37);
    EXPECT_EQ(WindowRect(form->Handle()).top, 41);
}

TEST(FormFrame, SingleBorderKeepsTheClientSize) {
    TOwned<TForm> form(new TForm(Application));
    form->SetClientWidth(687);
    form->SetClientHeight(154);
    form->SetBorderStyle(bsSingle);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 687);
    EXPECT_EQ(client.bottom, 154);
    EXPECT_EQ(form->ClientWidth(), 687);
    const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "the user cannot resize it by its edges";
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
}

TEST(FormFrame, CloseHidesAFormThatIsNotTheMainForm) {
    auto first = NewForm(100, 100);
    auto form = NewForm(100, 100);
    ASSERT_NE(Application->MainForm(), form.get()) << "an earlier form is the main form";
    form->Show();
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindow(form->Handle())) << "closing never destroys the window";
}

// The width of Text in Tahoma 8 (bold or not), measured apart from the label.
int TextWidth(const wchar_t* Text, bool Bold) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                             L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, Text, int(wcslen(Text)), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

TEST(Labels, SizeThemselvesToTheirTextAndFont) {
    auto form = NewForm(400, 200);
    for (const wchar_t* caption : {L"Usuário", L"Senha", L"Configuração", L"2024.2.8.1900"}) {
        auto* label = NewControl<TLabel>(form.get(), 16, 11, 0, 0);
        label->SetCaption(caption);
        EXPECT_EQ(label->Width(), TextWidth(caption, false));
        label->Font().SetStyle(fsBold);
        EXPECT_EQ(label->Width(), TextWidth(caption, true)) << "a new font sizes it again";
        EXPECT_GT(TextWidth(caption, true), TextWidth(caption, false));
        EXPECT_EQ(label->Height(), 13) << "one line of Tahoma 8";
        EXPECT_EQ(label->Left(), 16);
        EXPECT_EQ(label->Top(), 11);
    }
    auto* empty = NewControl<TLabel>(form.get(), 16, 11, 0, 0);
    EXPECT_EQ(empty->Height(), 13) << "an empty caption still takes a line";
}

// The controls of a small form at 96 pixels per inch.
struct TScaledForm {
    TOwned<TForm> Form = NewForm(687, 154);
    TcxTextEdit* Edit = NewControl<TcxTextEdit>(Form.get(), 16, 24, 305, 0);
    TcxButton* Button = NewControl<TcxButton>(Form.get(), 246, 112, 75, 25);
    TLabel* Label = [this] {
        auto* label = NewControl<TLabel>(Form.get(), 16, 117, 0, 0);
        label->Font().SetStyle(fsBold);
        label->SetCaption(L"2024.2.8.1900");
        return label;
    }();
};

void SendDpiChanged(TForm& Form, int Dpi) {
    RECT suggested = WindowRect(Form.Handle());
    SendMessageW(Form.Handle(), WM_DPICHANGED, MAKEWPARAM(Dpi, Dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST(Scaling, DpiChangeScalesEveryPositionSizeAndFontHeightAndBack) {
    TScaledForm f;
    EXPECT_EQ(f.Edit->Height(), 21) << "one line of Tahoma 8 inside the frame";
    const int labelWidth = f.Label->Width();

    SendDpiChanged(*f.Form, 144);
    EXPECT_EQ(f.Form->PixelsPerInch(), 144);
    EXPECT_EQ(f.Form->ClientWidth(), 1031);
    EXPECT_EQ(f.Form->ClientHeight(), 231);
    EXPECT_EQ(f.Form->Font().Height(), -17);
    EXPECT_EQ(f.Edit->Font().Height(), -17) << "the parent's font, scaled with it";
    EXPECT_EQ(f.Edit->Left(), 24);
    EXPECT_EQ(f.Edit->Top(), 36);
    EXPECT_EQ(f.Edit->Width(), 458);
    EXPECT_EQ(f.Edit->Height(), f.Edit->AutoHeight());
    EXPECT_NEAR(f.Edit->Height(), 31, 2);
    EXPECT_EQ(f.Button->Left(), 369);
    EXPECT_EQ(f.Button->Top(), 168);
    EXPECT_EQ(f.Button->Width(), 113);
    EXPECT_EQ(f.Button->Height(), 38);
    EXPECT_EQ(f.Label->Font().Height(), -17) << "an own font is scaled too";
    EXPECT_EQ(f.Label->Left(), 24);
    EXPECT_EQ(f.Label->Top(), 176);
    EXPECT_NEAR(f.Label->Width(), labelWidth * 3 / 2, 4);
    RECT r;
    GetWindowRect(f.Edit->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 458) << "the window follows";

    SendDpiChanged(*f.Form, 96);
    EXPECT_EQ(f.Form->ClientWidth(), 687);
    EXPECT_EQ(f.Form->ClientHeight(), 154);
    EXPECT_EQ(f.Form->Font().Height(), -11);
    EXPECT_EQ(f.Edit->Left(), 16);
    EXPECT_EQ(f.Edit->Top(), 24);
    EXPECT_EQ(f.Edit->Width(), 305);
    EXPECT_EQ(f.Edit->Height(), 21);
    EXPECT_EQ(f.Button->Left(), 246);
    EXPECT_EQ(f.Button->Width(), 75);
    EXPECT_EQ(f.Button->Height(), 25);
    EXPECT_EQ(f.Label->Font().Height(), -11);
    EXPECT_EQ(f.Label->Width(), labelWidth);
}

} // namespace
