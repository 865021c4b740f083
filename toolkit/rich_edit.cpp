#include "rich_edit.h"

#include "published.h"

#include <richedit.h>

#include <cstdlib>
#include <cwchar>

namespace {
// The RichEdit 4.1 window class comes with msftedit.dll, loaded once for the life of the program.
const wchar_t* RichEditClass() {
    static const HMODULE library = LoadLibraryW(L"msftedit.dll");
    (void)library;
    return MSFTEDIT_CLASS;
}
// The native editor draws itself at once after every change of its text. While the text changes, it
// only marks itself for drawing, and draws once, with the next paint, whatever else changes meanwhile.
class TRedrawPause {
public:
    explicit TRedrawPause(TWinControl& Editor)
        : FWindow(Editor.HandleAllocated() ? Editor.Handle() : nullptr) {
        if (FWindow) SendMessageW(FWindow, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawPause() {
        if (!FWindow) return;
        SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(FWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    TRedrawPause(const TRedrawPause&) = delete;
    TRedrawPause& operator=(const TRedrawPause&) = delete;

private:
    HWND FWindow;
};
} // namespace

void TcxRichEditProperties::SetReadOnly(bool Value) {
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    if (FEditor.HandleAllocated()) SendMessageW(FEditor.Handle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TcxRichEditProperties::SetScrollBars(TScrollStyle Value) {
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    FEditor.RecreateWnd();
}

void TcxRichEditProperties::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    FEditor.RecreateWnd();
}

TcxRichEdit::TcxRichEdit(TComponent* AOwner) : TcxCustomEdit(AOwner) {
    FWidth = 185;
    FHeight = 89;
}

void TcxRichEdit::CreateParams(TCreateParams& Params) {
    TcxCustomEdit::CreateParams(Params);
    Params.ClassName = RichEditClass();
    Params.Native = true;
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    const TScrollStyle bars = FProperties.ScrollBars();
    const bool wrap = FProperties.WordWrap();
    if (bars == ssVertical || bars == ssBoth) Params.Style |= WS_VSCROLL;
    // Without ES_DISABLENOSCROLL each bar shows only while the text overflows that way.
    if (!wrap) {
        Params.Style |= ES_AUTOHSCROLL;
        if (bars == ssHorizontal || bars == ssBoth) Params.Style |= WS_HSCROLL;
    }
    if (FProperties.ReadOnly()) Params.Style |= ES_READONLY;
}

void TcxRichEdit::CreateWnd() {
    TcxCustomEdit::CreateWnd();
    HWND window = Handle();
    SendMessageW(window, EM_SETTARGETDEVICE, 0, FProperties.WordWrap() ? 0 : 1);
    SendMessageW(window, EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(Color())));
    SendMessageW(window, EM_SETREADONLY, FProperties.ReadOnly() ? TRUE : FALSE, 0);
    // No length limit, as with WM_SETTEXT: otherwise text put in at the end stops at 32,767 characters.
    SendMessageW(window, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SetWindowTextW(window, FText.c_str());
    ApplyCharFormat();
}

void TcxRichEdit::RecreateWnd() {
    if (!HandleAllocated()) return;
    DestroyHandle();
    CreateHandle();
}

void TcxRichEdit::SetText(const std::wstring& Value) {
    if (Text() == Value) return; // an editor already empty is not laid out again to be emptied
    const TRedrawPause pause(*this);
    TcxCustomEdit::SetText(Value);
    ApplyCharFormat();
}

void TcxRichEdit::AppendText(const std::wstring& Value) {
    HWND window = Handle();
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LONG end = LONG(SendMessageW(window, EM_GETTEXTLENGTHEX, WPARAM(&length), 0));
    std::wstring inserted = Value;
    if (end > 0) {
        wchar_t last[2] = {};
        TEXTRANGEW range{{end - 1, end}, last};
        SendMessageW(window, EM_GETTEXTRANGE, 0, LPARAM(&range));
        if (last[0] != L'\r' && last[0] != L'\n') inserted = L"\r\n" + inserted;
    }
    // Only the new text is laid out; the lines before it keep their text and formatting. The selection
    // and the view stay where they were, as they do for a line added to a list.
    CHARRANGE selection{};
    SendMessageW(window, EM_EXGETSEL, 0, LPARAM(&selection));
    POINT view{};
    SendMessageW(window, EM_GETSCROLLPOS, 0, LPARAM(&view));
    CHARRANGE at{end, end};
    SendMessageW(window, EM_EXSETSEL, 0, LPARAM(&at));
    const TRedrawPause pause(*this);
    SendMessageW(window, EM_REPLACESEL, FALSE, LPARAM(inserted.c_str()));
    SendMessageW(window, EM_EXSETSEL, 0, LPARAM(&selection));
    SendMessageW(window, EM_SETSCROLLPOS, 0, LPARAM(&view));
    TextChanged();
}

void TcxRichEdit::ApplyCharFormat() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);

    const TFont& font = Font();
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    format.dwMask =
        CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_CHARSET;
    if (font.Style() & fsBold) format.dwEffects |= CFE_BOLD;
    if (font.Style() & fsItalic) format.dwEffects |= CFE_ITALIC;
    if (font.Style() & fsUnderline) format.dwEffects |= CFE_UNDERLINE;
    if (font.Style() & fsStrikeOut) format.dwEffects |= CFE_STRIKEOUT;
    // The control measures in twips at the resolution of its device context.
    format.yHeight = MulDiv(std::abs(font.Height()), 1440, dpi > 0 ? dpi : 96);
    format.crTextColor = ColorToRGB(font.Color());
    format.bCharSet = BYTE(font.Charset());
    wcsncpy(format.szFaceName, font.Name().c_str(), LF_FACESIZE - 1);
    SendMessageW(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(window, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void TcxRichEdit::FontChanged() {
    TcxCustomEdit::FontChanged();
    ApplyCharFormat();
}

void TcxRichEdit::ColorChanged() {
    TcxCustomEdit::ColorChanged();
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, LPARAM(ColorToRGB(Color())));
}

void TcxRichEdit::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) {
        // Tab moves the focus on, as in a memo that does not want tabs.
        TcxCustomEdit::WndProc(Message);
        Message.Result &= ~LRESULT(DLGC_WANTTAB);
        return;
    }
    TcxCustomEdit::WndProc(Message);
}

const TEnumInfo& ScrollStyleIdents() {
    static const TEnumInfo info(L"TScrollStyle", {{ssNone, L"ssNone"},
                                                  {ssHorizontal, L"ssHorizontal"},
                                                  {ssVertical, L"ssVertical"},
                                                  {ssBoth, L"ssBoth"}});
    return info;
}

const TClassInfo& TcxRichEditProperties::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxRichEditProperties>(L"TcxRichEditProperties", TPersistent::StaticClass())
            .Boolean(L"ReadOnly", &TcxRichEditProperties::ReadOnly, &TcxRichEditProperties::SetReadOnly,
                     false)
            .Enum(L"ScrollBars", ScrollStyleIdents(), &TcxRichEditProperties::ScrollBars,
                  &TcxRichEditProperties::SetScrollBars, ssNone)
            .Boolean(L"WordWrap", &TcxRichEditProperties::WordWrap, &TcxRichEditProperties::SetWordWrap,
                     true);
    return info;
}

const TClassInfo& TcxRichEditProperties::ClassInfo() const {
    return StaticClass();
}

const TClassInfo& TcxRichEdit::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TcxRichEdit>(L"TcxRichEdit", TcxCustomEdit::StaticClass())
            .Object(L"Properties", [](TcxRichEdit& e) -> TcxRichEditProperties& { return e.Properties(); });
    return info;
}

const TClassInfo& TcxRichEdit::ClassInfo() const {
    return StaticClass();
}
