#include "gdi.h"

#include <algorithm>

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

namespace {
// A device context of its own for drawing off the screen.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC Like) : FDC(CreateCompatibleDC(Like)) {}
    ~TMemoryDC() {
        if (FDC) DeleteDC(FDC);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    operator HDC() const { return FDC; }

private:
    HDC FDC;
};

// How far to the right and down the text's pixels reach when DrawTextW draws it in a Measured box at the
// origin, unclipped.
SIZE InkExtent(HDC Screen, HFONT Font, const std::wstring& Text, UINT Flags, SIZE Measured) {
    // Room beyond the measured box for what the drawing may take more.
    const int width = 2 * Measured.cx + 4 * Measured.cy + 8, height = 2 * Measured.cy + 8;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TMemoryDC dc(Screen);
    TGdiObject<HBITMAP> bitmap(CreateDIBSection(Screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) return Measured;
    TSelectObject selectBitmap(dc, bitmap.get());
    TSelectObject selectFont(dc, Font);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT box{0, 0, Measured.cx, Measured.cy};
    DrawTextW(dc, Text.c_str(), int(Text.size()), &box, Flags | DT_NOCLIP);
    GdiFlush();
    SIZE reach{0, 0};
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                reach.cx = std::max<LONG>(reach.cx, x + 1);
                reach.cy = std::max<LONG>(reach.cy, y + 1);
            }
    return reach;
}
} // namespace

SIZE TextSize(const TFont& Font, std::wstring_view Text, UINT Flags) {
    TScreenDC dc;
    TFontHandle font = CreateFontHandle(Font);
    const std::wstring text(Text);
    RECT r{0, 0, 0, 0};
    {
        TSelectObject select(dc, font.get());
        DrawTextW(dc, text.c_str(), int(text.size()), &r, Flags | DT_CALCRECT);
    }
    const SIZE measured{r.right - r.left, r.bottom - r.top};
    const SIZE ink = InkExtent(dc, font.get(), text, Flags, measured);
    return SIZE{std::max(measured.cx, ink.cx), std::max(measured.cy, ink.cy)};
}
