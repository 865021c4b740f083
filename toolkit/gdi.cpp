#include "gdi.h"

COLORREF ColorToRGB(TColor Color) {
    if (IsSystemColor(Color)) return GetSysColor(int(Color & 0xFF));
    return COLORREF(Color & 0xFFFFFF);
}

TFontHandle CreateFontHandle(const TFont& Font) {
    const TFontStyles style = Font.Style();
    return TFontHandle(CreateFontW(Font.Height(), 0, 0, 0, (style & fsBold) ? FW_BOLD : FW_NORMAL,
                                   (style & fsItalic) ? TRUE : FALSE, (style & fsUnderline) ? TRUE : FALSE,
                                   (style & fsStrikeOut) ? TRUE : FALSE, BYTE(Font.Charset()),
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, Font.Name().c_str()));
}

TBrushHandle CreateSolidBrushFor(TColor Color) {
    return TBrushHandle(CreateSolidBrush(ColorToRGB(Color)));
}

HCURSOR CursorHandle(TCursor Cursor) {
    const wchar_t* id = nullptr;
    switch (Cursor) {
    case crArrow:
        id = IDC_ARROW;
        break;
    case -3:
        id = IDC_CROSS;
        break;
    case crIBeam:
        id = IDC_IBEAM;
        break;
    case -6:
        id = IDC_SIZENESW;
        break;
    case -7:
        id = IDC_SIZENS;
        break;
    case -8:
        id = IDC_SIZENWSE;
        break;
    case -9:
        id = IDC_SIZEWE;
        break;
    case -10:
        id = IDC_UPARROW;
        break;
    case -11:
        id = IDC_WAIT;
        break;
    case -18:
        id = IDC_NO;
        break;
    case -19:
        id = IDC_APPSTARTING;
        break;
    case -20:
        id = IDC_HELP;
        break;
    case crHandPoint:
        id = IDC_HAND;
        break;
    case -22:
        id = IDC_SIZEALL;
        break;
    default:
        return nullptr;
    }
    return LoadCursorW(nullptr, id);
}

int FontLineHeight(const TFont& Font) {
    TScreenDC dc;
    TFontHandle font = CreateFontHandle(Font);
    TSelectObject select(dc, font.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
}

SIZE TextSize(const TFont& Font, std::wstring_view Text, UINT Flags) {
    TScreenDC dc;
    TFontHandle font = CreateFontHandle(Font);
    TSelectObject select(dc, font.get());
    RECT r{0, 0, 0, 0};
    const std::wstring text(Text);
    DrawTextW(dc, text.c_str(), int(text.size()), &r, Flags | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
