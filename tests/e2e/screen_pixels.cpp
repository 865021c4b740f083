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
    TScreenArea area;
    area.width = client.right - client.left;
    area.height = client.bottom - client.top;
    TScreenDc screen;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = area.width;
    info.bmiHeader.biHeight = -area.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<std::remove_pointer_t<HDC>, TDcDeleter> memory(::CreateCompatibleDC(screen.Get()));
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, TGdiDeleter> bitmap(
        ::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) return area;
    HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, area.width, area.height, screen.Get(), origin.x, origin.y, SRCCOPY);
    ::GdiFlush();
    const auto* bgrx = static_cast<const DWORD*>(bits);
    for (int i = 0; i < area.width * area.height; ++i)
        area.pixels.push_back(RGB((bgrx[i] >> 16) & 0xFF, (bgrx[i] >> 8) & 0xFF, bgrx[i] & 0xFF));
    ::SelectObject(memory.get(), old);
    return area;
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

} // namespace e2e
