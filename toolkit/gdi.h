#pragma once
// GDI objects made from the toolkit's graphics values, each owned by a small RAII handle.
#include "graphics.h"

#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>

struct TGdiObjectDeleter {
    void operator()(void* Object) const { DeleteObject(static_cast<HGDIOBJ>(Object)); }
};
template <class H> using TGdiObject = std::unique_ptr<std::remove_pointer_t<H>, TGdiObjectDeleter>;
using TFontHandle = TGdiObject<HFONT>;
using TBrushHandle = TGdiObject<HBRUSH>;

// The RGB value of a plain colour, or of the system colour an index names.
COLORREF ColorToRGB(TColor Color);

TFontHandle CreateFontHandle(const TFont& Font);
TBrushHandle CreateSolidBrushFor(TColor Color);

// The system cursor a cursor number stands for; null for crDefault (the window class's own cursor).
HCURSOR CursorHandle(TCursor Cursor);

// The height of one line of text in Font, internal leading included.
int FontLineHeight(const TFont& Font);
// The size Text takes in Font, drawn by DrawTextW with Flags: what DT_CALCRECT measures, widened to what
// the drawing really covers. Under Wine the two differ for small text that is drawn without smoothing
// (Tahoma 8 pt bold: "2024.2.8.1900" measures 79 pixels and its pixels reach 84), and a box of the
// measured size would cut the end of the text off.
SIZE TextSize(const TFont& Font, std::wstring_view Text, UINT Flags);

// Selects an object into a device context for the lifetime of the guard.
class TSelectObject {
public:
    TSelectObject(HDC DC, HGDIOBJ Object) : FDC(DC), FOld(SelectObject(DC, Object)) {}
    ~TSelectObject() { SelectObject(FDC, FOld); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// The screen's device context, for measuring.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, FDC); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    operator HDC() const { return FDC; }

private:
    HDC FDC;
};
