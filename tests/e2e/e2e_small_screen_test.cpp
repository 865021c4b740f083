// A window larger than the screen: on a small screen at 144 dpi the window keeps its full size, every
// control keeps its place in it, and it starts at the work area's left edge (centred in its height, which
// it fits). CTest runs this program in a Wine session with an 800 x 600 screen of its own.
#include "corvalin_app.h"
#include "e2e_fixture.h"
#include "screen_resolution.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace e2e;

namespace {

using TSmallScreen = TCorvalinTest;

RECT PlaceInClient(HWND form, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(TSmallScreen, WindowLargerThanTheScreenKeepsItsSizeAtTheWorkAreasTopLeft) {
    const double scale = 1.5;
    ASSERT_LT(::GetSystemMetrics(SM_CXSCREEN), 687 * scale) << "the screen must be narrower than the window";
    TScreenResolution resolution(144);
    TCorvalin app({}, scale);
    const HWND form = app.Form();

    const SIZE client = driver::ClientSize(form);
    EXPECT_NEAR(client.cx, 687 * scale, 1.0) << "the client width is cut to the screen";
    EXPECT_NEAR(client.cy, 154 * scale, 1.0);

    RECT work{}, frame{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(form, &frame);
    EXPECT_EQ(frame.left, work.left) << "a window wider than the work area starts at its left edge";
    EXPECT_EQ(frame.top, work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2)
        << "it fits the work area's height, so it is centred that way";

    // The right-hand column is all there: the result editor and "Copiar" whole, at their places.
    const TControls& c = app.Controls();
    const struct {
        HWND control;
        const char* name;
        int left, top, width, height;
    } places[] = {{c.redtConfiguration, "redtConfiguration", 344, 24, 329, 69},
                  {c.btnClipboard, "btnClipboard", 598, 112, 75, 25}};
    for (const auto& p : places) {
        const RECT r = PlaceInClient(form, p.control);
        EXPECT_NEAR(r.left, p.left * scale, 1.0) << p.name;
        EXPECT_NEAR(r.top, p.top * scale, 1.0) << p.name;
        EXPECT_NEAR(r.right - r.left, p.width * scale, 1.0) << p.name;
        EXPECT_NEAR(r.bottom - r.top, p.height * scale, 1.0) << p.name;
        EXPECT_LE(r.right, client.cx) << p.name << " reaches past the client area";
    }
}

} // namespace
