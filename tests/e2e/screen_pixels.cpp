#include "screen_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace e2e {

namespace {

struct TDcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct TGdiDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};

class TScreenDc {
public:
    TScreenDc() : FDc(::GetDC(nullptr)) {}
    ~TScreenDc() { ::ReleaseDC(nullptr, FDc); }
    TScreenDc(const TScreenDc&) = delete;
    TScreenDc& operator=(const TScreenDc&) = delete;
    HDC Get() const { return FDc; }

private:
    HDC FDc;
};

using TMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, TDcDeleter>;
using TBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TGdiDeleter>;

// A 32-bit picture of the area's size, drawn into by Draw, read back into the area.
template <class F> TScreenArea Picture(int width, int height, F Draw) {
    TScreenArea area;
    area.width = width;
    area.height = height;
    TScreenDc screen;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TMemoryDc memory(::CreateCompatibleDC(screen.Get()));
    TBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) return area;
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    Draw(memory.get(), screen.Get());
    ::GdiFlush();
    const auto* bgrx = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        area.pixels.push_back(RGB((bgrx[i] >> 16) & 0xFF, (bgrx[i] >> 8) & 0xFF, bgrx[i] & 0xFF));
    ::SelectObject(memory.get(), old);
    return area;
}

} // namespace

int TScreenArea::Count(const std::function<bool(COLORREF)>& test) const {
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), test));
}

RECT TScreenArea::Bounds(const std::function<bool(COLORREF)>& test) const {
    RECT bounds{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (test(At(x, y))) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    return bounds.right > bounds.left ? bounds : RECT{};
}

TScreenArea ReadScreen(HWND window, RECT client) {
    POINT origin{client.left, client.top};
    ::ClientToScreen(window, &origin);
    return Picture(client.right - client.left, client.bottom - client.top, [&](HDC memory, HDC screen) {
        ::BitBlt(memory, 0, 0, client.right - client.left, client.bottom - client.top, screen, origin.x,
                 origin.y, SRCCOPY);
    });
}

TScreenArea DrawnText(const std::wstring& text, int fontHeight, bool bold) {
    const int height = 3 * std::abs(fontHeight), width = static_cast<int>(text.size()) * height;
    return Picture(width, height, [&](HDC memory, HDC) {
        ::PatBlt(memory, 0, 0, width, height, WHITENESS);
        HFONT font = ::CreateFontW(fontHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
        HGDIOBJ old = ::SelectObject(memory, font);
        ::SetBkMode(memory, TRANSPARENT);
        ::SetTextColor(memory, RGB(0, 0, 0));
        RECT r{0, 0, width, height};
        ::DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_NOPREFIX);
        ::SelectObject(memory, old);
        ::DeleteObject(font);
    });
}

bool IsRed(COLORREF colour) {
    return GetRValue(colour) >= 200 && GetGValue(colour) <= 60 && GetBValue(colour) <= 60;
}

bool IsDark(COLORREF colour) {
    return GetRValue(colour) <= 60 && GetGValue(colour) <= 60 && GetBValue(colour) <= 60;
}

std::function<bool(COLORREF)> DiffersFrom(COLORREF background) {
    return [background](COLORREF colour) {
        return std::abs(GetRValue(colour) - GetRValue(background)) +
                   std::abs(GetGValue(colour) - GetGValue(background)) +
                   std::abs(GetBValue(colour) - GetBValue(background)) >
               60;
    };
}

RECT TextBounds(const TScreenArea& area, COLORREF background) {
    auto light = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
    int darkest = light(background);
    for (const COLORREF p : area.pixels)
        darkest = std::min(darkest, light(p));
    if (darkest > light(background) - 150) return RECT{};
    const int halfway = (darkest + light(background)) / 2;
    return area.Bounds([&](COLORREF c) { return light(c) < halfway; });
}

} // namespace e2e
