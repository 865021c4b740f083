#pragma once
// What the screen shows inside a rectangle of a window's client area: for windowless parts such as the
// caption labels, which the form paints itself and which no message can read.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The rectangle given in client coordinates of the window, as the screen shows it now.
struct TScreenArea {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row from the top
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    int Count(const std::function<bool(COLORREF)>& test) const;
    // The smallest rectangle (in the area's own coordinates) holding every pixel that passes the test;
    // empty when none does.
    RECT Bounds(const std::function<bool(COLORREF)>& test) const;
};
TScreenArea ReadScreen(HWND window, RECT client);
// Text drawn by DrawTextW in Tahoma at the font height given (8 pt is -11 at 96 dpi), black on white, from
// the area's top-left corner and with room to spare: the text as a window shows it when nothing cuts it off.
TScreenArea DrawnText(const std::wstring& text, int fontHeight, bool bold);

// Plain red, as text drawn in RGB 255, 0, 0 shows, leaving out the blended edges of the strokes.
bool IsRed(COLORREF colour);
// Nearly black: text drawn in the window-text colour, again without the blended edges.
bool IsDark(COLORREF colour);
// Any colour that differs clearly from the background colour given.
std::function<bool(COLORREF)> DiffersFrom(COLORREF background);
// Where the strokes of a text darker than the background lie in the area: the pixels nearer to the darkest
// colour in it than to the background, so that blended edges count the same in any text colour, and the
// light copy beside the strokes of engraved (disabled) text does not count. Empty when nothing is darker.
RECT TextBounds(const TScreenArea& area, COLORREF background);

} // namespace e2e
