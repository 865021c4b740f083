// Forms: placement at the first showing, client size and border, labels sized to their text, and
// scaling of every position, size and font height to the resolution.
#include "ui_support.h"

#include "toolkit/button.h"
#include "toolkit/label.h"
#include "toolkit/layout_reader.h"
#include "toolkit/placement.h"
#include "toolkit/sysutils.h"
#include "toolkit/text_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

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

TEST(Placement, FormLargerThanTheScreenKeepsItsSizeAndStartsAtTheWorkAreasTopLeft) {
    auto probe = NewForm(10, 10);
    const RECT wa = WorkAreaOf(probe->Handle());
    const int width = GetSystemMetrics(SM_CXSCREEN) + 200, height = GetSystemMetrics(SM_CYSCREEN) + 100;
    auto form = NewForm(width, height);
    form->Show();
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, width) << "the system does not cut it to the screen";
    EXPECT_EQ(client.bottom, height);
    EXPECT_EQ(form->ClientWidth(), width);
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

// The size the system measures for Text in Tahoma at Height (bold or not), apart from any label.
SIZE TextExtent(const std::wstring& Text, int Height, bool Bold) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(Height, 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                             0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, Text.c_str(), int(Text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size;
}

// A 32-bit picture off the screen, to draw into and read back.
class TPicture {
public:
    TPicture(int Width, int Height) : FWidth(Width), FHeight(Height) {
        HDC screen = GetDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FDC = CreateCompatibleDC(screen);
        FBitmap =
            CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FOld = SelectObject(FDC, FBitmap);
        ReleaseDC(nullptr, screen);
        PatBlt(FDC, 0, 0, Width, Height, WHITENESS);
    }
    ~TPicture() {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    HDC DC() const { return FDC; }

    // Where the text is within Area: the pixels that are nearly black, as text in the window-text colour
    // is drawn; the bounds are relative to Area's top-left.
    struct TInk {
        RECT Bounds{};
        int Pixels = 0;
    };
    TInk InkIn(const RECT& Area) const {
        GdiFlush();
        TInk ink{{Area.right, Area.bottom, Area.left, Area.top}, 0};
        for (int y = std::max<LONG>(Area.top, 0); y < std::min<LONG>(Area.bottom, FHeight); ++y)
            for (int x = std::max<LONG>(Area.left, 0); x < std::min<LONG>(Area.right, FWidth); ++x) {
                const DWORD p = FBits[y * FWidth + x];
                if (((p >> 16) & 0xFF) > 96 || ((p >> 8) & 0xFF) > 96 || (p & 0xFF) > 96) continue;
                ++ink.Pixels;
                ink.Bounds.left = std::min<LONG>(ink.Bounds.left, x);
                ink.Bounds.top = std::min<LONG>(ink.Bounds.top, y);
                ink.Bounds.right = std::max<LONG>(ink.Bounds.right, x + 1);
                ink.Bounds.bottom = std::max<LONG>(ink.Bounds.bottom, y + 1);
            }
        if (!ink.Pixels) return {};
        OffsetRect(&ink.Bounds, -Area.left, -Area.top);
        return ink;
    }

private:
    int FWidth, FHeight;
    HDC FDC;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    DWORD* FBits = nullptr;
};

// Text as DrawTextW draws it in Tahoma at Height, with nothing to cut it off.
TPicture::TInk FreeInk(const std::wstring& Text, int Height, bool Bold) {
    TPicture picture(600, 100);
    HFONT font = CreateFontW(Height, 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                             0, L"Tahoma");
    HGDIOBJ old = SelectObject(picture.DC(), font);
    SetBkMode(picture.DC(), TRANSPARENT);
    RECT r{10, 10, 590, 90};
    DrawTextW(picture.DC(), Text.c_str(), int(Text.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(picture.DC(), old);
    DeleteObject(font);
    return picture.InkIn(RECT{10, 10, 590, 90});
}

// The label's text as its form paints it, clipped to the label as always, found around the label's place
// and relative to its top-left.
TPicture::TInk PaintedInk(TForm& Form, const TLabel& Label) {
    TPicture picture(Form.ClientWidth(), Form.ClientHeight());
    SendMessageW(Form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.DC()), PRF_CLIENT);
    const RECT around{Label.Left(), Label.Top(), Label.Left() + 3 * Label.Width() + 40,
                      Label.Top() + 2 * Label.Height() + 10};
    return picture.InkIn(around);
}

// A form's layout with one bold label whose stored width is far too small for Caption.
std::wstring LayoutWithNarrowLabel(const std::wstring& Caption) {
    std::wstring quoted; // 'Usu'#225'rio': characters beyond ASCII by their codes
    bool open = false;
    for (const wchar_t c : Caption) {
        if ((c < 128) != open) {
            quoted += L'\'';
            open = !open;
        }
        quoted += c < 128 ? std::wstring(1, c) : L"#" + std::to_wstring(int(c));
    }
    if (open) quoted += L'\'';
    return L"object LabelForm: TForm\n"
           L"  object lblText: TLabel\n"
           L"    Left = 16\n"
           L"    Top = 11\n"
           L"    Width = 20\n"
           L"    Height = 13\n"
           L"    Caption = " +
           quoted +
           L"\n"
           L"    Font.Charset = DEFAULT_CHARSET\n"
           L"    Font.Color = clWindowText\n"
           L"    Font.Height = -11\n"
           L"    Font.Name = 'Tahoma'\n"
           L"    Font.Style = [fsBold]\n"
           L"    ParentFont = False\n"
           L"  end\n"
           L"end\n";
}

void SendDpiChanged(TForm& Form, int Dpi) {
    RECT suggested = WindowRect(Form.Handle());
    SendMessageW(Form.Handle(), WM_DPICHANGED, MAKEWPARAM(Dpi, Dpi), reinterpret_cast<LPARAM>(&suggested));
}

// A form read from a stored layout makes its child windows once every value has been read: each window
// is created where it belongs, with its size and text, instead of being made first and then moved.
TEST(FormLayout, ChildWindowsAreMadeWithTheirStoredBounds) {
    struct TCreated {
        HWND window;
        RECT bounds;
    };
    static std::vector<TCreated> created;
    created.clear();
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND) {
                const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
                if (cs->style & WS_CHILD)
                    created.push_back(
                        {reinterpret_cast<HWND>(wParam), {cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy}});
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    TOwned<TForm> owned(new TForm(nullptr));
    ReadLayout(*owned, L"object LayoutForm: TForm\n"
                       L"  ClientWidth = 400\n"
                       L"  ClientHeight = 200\n"
                       L"  object edtName: TcxTextEdit\n"
                       L"    Left = 16\n"
                       L"    Top = 24\n"
                       L"    Width = 305\n"
                       L"    TabOrder = 0\n"
                       L"  end\n"
                       L"  object btnGo: TcxButton\n"
                       L"    Left = 246\n"
                       L"    Top = 112\n"
                       L"    Width = 75\n"
                       L"    Height = 25\n"
                       L"    Caption = 'Gerar'\n"
                       L"    TabOrder = 1\n"
                       L"  end\n"
                       L"end\n");
    UnhookWindowsHookEx(hook);
    const auto className = [](HWND window) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        return std::wstring(name);
    };

    ASSERT_EQ(created.size(), 2u);
    EXPECT_TRUE(SameText(className(created[0].window), L"EDIT"));
    EXPECT_EQ(created[0].bounds.left, 16);
    EXPECT_EQ(created[0].bounds.top, 24);
    EXPECT_EQ(created[0].bounds.right - created[0].bounds.left, 305);
    EXPECT_TRUE(SameText(className(created[1].window), L"BUTTON"));
    EXPECT_EQ(created[1].bounds.left, 246);
    EXPECT_EQ(created[1].bounds.top, 112);
    EXPECT_EQ(created[1].bounds.right - created[1].bounds.left, 75);
    EXPECT_EQ(created[1].bounds.bottom - created[1].bounds.top, 25);
    auto* button = dynamic_cast<TcxButton*>(owned->FindComponent(L"btnGo"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(WindowText(button->Handle()), L"Gerar");
}

// However its text and font reach it, a label is as large as its text drawn in its font: the whole text
// shows, from the label's top-left corner, which stays where it was put.
TEST(Labels, ShowTheirWholeTextHoweverTextAndFontAreSet) {
    struct TWay {
        const char* Name;
        int Dpi; // the resolution the form ends at
        std::function<TLabel*(TForm&, const std::wstring&)> Make;
    };
    const TWay ways[] = {
        {"caption, then bold", 96,
         [](TForm& form, const std::wstring& text) {
             auto* label = NewControl<TLabel>(&form, 16, 11, 0, 0);
             label->SetCaption(text);
             label->Font().SetStyle(fsBold);
             return label;
         }},
        {"bold, then caption", 96,
         [](TForm& form, const std::wstring& text) {
             auto* label = NewControl<TLabel>(&form, 16, 11, 0, 0);
             label->Font().SetStyle(fsBold);
             label->SetCaption(text);
             return label;
         }},
        {"the parent's font made bold after the caption", 96,
         [](TForm& form, const std::wstring& text) {
             auto* label = NewControl<TLabel>(&form, 16, 11, 0, 0);
             label->SetCaption(text);
             form.Font().SetStyle(fsBold);
             return label;
         }},
        {"a whole font assigned", 96,
         [](TForm& form, const std::wstring& text) {
             auto* label = NewControl<TLabel>(&form, 16, 11, 0, 0);
             label->SetCaption(text);
             TFont bold;
             bold.SetStyle(fsBold);
             label->Font().Assign(bold);
             return label;
         }},
        {"a stored layout with a narrower stored size", 96,
         [](TForm& form, const std::wstring& text) {
             ReadLayout(form, LayoutWithNarrowLabel(text));
             return dynamic_cast<TLabel*>(form.FindComponent(L"lblText"));
         }},
        {"scaled to 144 pixels per inch", 144,
         [](TForm& form, const std::wstring& text) {
             ReadLayout(form, LayoutWithNarrowLabel(text));
             SendDpiChanged(form, 144);
             return dynamic_cast<TLabel*>(form.FindComponent(L"lblText"));
         }},
        {"scaled to 144 and back to 96", 96,
         [](TForm& form, const std::wstring& text) {
             auto* label = NewControl<TLabel>(&form, 16, 11, 0, 0);
             label->Font().SetStyle(fsBold);
             label->SetCaption(text);
             SendDpiChanged(form, 144);
             SendDpiChanged(form, 96);
             return label;
         }},
    };
    for (const TWay& way : ways) {
        for (const std::wstring text : {L"Usuário", L"Senha", L"Configuração", L"2024.2.8.1900"}) {
            SCOPED_TRACE(testing::Message() << way.Name << ": code units " << text.size());
            TOwned<TForm> form(new TForm(Application));
            form->SetClientWidth(687);
            form->SetClientHeight(154);
            TLabel* label = way.Make(*form, text);
            ASSERT_TRUE(label);
            const int fontHeight = MulDiv(-11, way.Dpi, 96); // 8 pt
            ASSERT_EQ(label->Font().Height(), fontHeight);
            EXPECT_EQ(label->Left(), MulDiv(16, way.Dpi, 96));
            EXPECT_EQ(label->Top(), MulDiv(11, way.Dpi, 96));

            const TPicture::TInk free = FreeInk(text, fontHeight, true);
            const TPicture::TInk painted = PaintedInk(*form, *label);
            ASSERT_GT(free.Pixels, 0);
            EXPECT_EQ(painted.Bounds.left, free.Bounds.left) << "the text starts at the label's left";
            EXPECT_EQ(painted.Bounds.right, free.Bounds.right) << "the end of the text is cut off";
            EXPECT_EQ(painted.Bounds.bottom, free.Bounds.bottom);
            EXPECT_EQ(painted.Pixels, free.Pixels) << "the text drawn is not the text in that font";
            const SIZE measured = TextExtent(text, fontHeight, true);
            EXPECT_GE(label->Width(), measured.cx) << "at least as wide as the system measures the text";
            EXPECT_EQ(label->Height(), measured.cy) << "one line of Tahoma 8";
        }
    }
    TOwned<TForm> form(new TForm(Application));
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
