// The main window as it first shows, at two screen resolutions, and moving through its fields with the
// keyboard.
#include "corvalin_app.h"
#include "corvalin_texts.h"
#include "e2e_fixture.h"
#include "screen_pixels.h"
#include "screen_resolution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>

using namespace e2e;

namespace {

using TWindow = TCorvalinTest;

// Windowless parts of the form, in client coordinates at 96 dpi.
const RECT kUserCaption{16, 11, 16 + 43, 11 + 13};
const RECT kPasswordCaption{16, 59, 16 + 35, 59 + 13};
const RECT kConfigurationCaption{344, 11, 344 + 74, 11 + 13};
const RECT kVersionLabel{16, 117, 16 + 79, 117 + 13};
const RECT kEmptyPlace{180, 2, 190, 8}; // between the captions and the title bar: only the background

RECT Scaled(const RECT& r, double scale) {
    return {static_cast<LONG>(std::lround(r.left * scale)), static_cast<LONG>(std::lround(r.top * scale)),
            static_cast<LONG>(std::lround(r.right * scale)),
            static_cast<LONG>(std::lround(r.bottom * scale))};
}

RECT PlaceInClient(HWND form, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct TLayoutSeen {
    int editHeight = 0;
    int versionInkWidth = 0;
    int versionInkHeight = 0;
};

// Checks what the window shows at start-up against the layout times scale, and returns what depends on the
// font so that two resolutions can be compared.
TLayoutSeen CheckLayout(TCorvalin& app, double scale) {
    TLayoutSeen seen;
    const HWND form = app.Form();
    const TControls& c = app.Controls();
    driver::Activate(form);
    // Half pixels may round either way.
    auto expectNear = [&](LONG actual, int designed, const char* what) {
        EXPECT_NEAR(actual, designed * scale, 1.0) << what;
    };

    const SIZE client = driver::ClientSize(form);
    expectNear(client.cx, 687, "client width");
    expectNear(client.cy, 154, "client height");

    RECT work{}, frame{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(form, &frame);
    EXPECT_NEAR(frame.left, work.left + (work.right - work.left - (frame.right - frame.left)) / 2, 1)
        << "centred";
    EXPECT_NEAR(frame.top, work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 1)
        << "centred";

    struct TPlace {
        HWND control;
        const char* name;
        int left, top, width, height; // height 0: automatic
    };
    const TPlace places[] = {{c.edtUsername, "edtUsername", 16, 24, 305, 0},
                             {c.edtPassword, "edtPassword", 16, 72, 305, 0},
                             {c.btnGenerate, "btnGenerate", 246, 112, 75, 25},
                             {c.redtConfiguration, "redtConfiguration", 344, 24, 329, 69},
                             {c.btnClipboard, "btnClipboard", 598, 112, 75, 25}};
    for (const TPlace& p : places) {
        const RECT r = PlaceInClient(form, p.control);
        expectNear(r.left, p.left, p.name);
        expectNear(r.top, p.top, p.name);
        expectNear(r.right - r.left, p.width, p.name);
        if (p.height) expectNear(r.bottom - r.top, p.height, p.name);
    }
    const RECT user = PlaceInClient(form, c.edtUsername), password = PlaceInClient(form, c.edtPassword);
    seen.editHeight = user.bottom - user.top;
    EXPECT_EQ(password.bottom - password.top, seen.editHeight);
    // One line of the 8 pt font inside the frame, and no more than fits above the next caption.
    EXPECT_GT(seen.editHeight, 13 * scale);
    EXPECT_LE(seen.editHeight, (59 - 24) * scale);

    EXPECT_EQ(ControlName(c, app.Focused()), L"edtUsername");
    EXPECT_EQ(driver::WindowText(c.edtUsername), L"");
    EXPECT_EQ(driver::WindowText(c.edtPassword), L"");
    EXPECT_EQ(driver::WindowText(c.redtConfiguration), L"");
    EXPECT_EQ(driver::WindowText(c.btnGenerate), L"Gerar");
    EXPECT_EQ(driver::WindowText(c.btnClipboard), L"Copiar");
    EXPECT_TRUE(::IsWindowEnabled(c.edtUsername));
    EXPECT_TRUE(::IsWindowEnabled(c.edtPassword));
    EXPECT_TRUE(::IsWindowEnabled(c.btnGenerate));
    EXPECT_FALSE(::IsWindowEnabled(c.redtConfiguration));
    EXPECT_FALSE(::IsWindowEnabled(c.btnClipboard));

    // The painted parts: the version text, the focused field's caption in red, the others in the window-text
    // colour, and the caption of the disabled result editor greyed.
    const RECT version = Scaled(kVersionLabel, scale);
    EXPECT_TRUE(driver::WaitUntil([&] { return ReadScreen(form, version).Count(IsDark) >= 20; }))
        << "the version label is not painted";
    const COLORREF background = ReadScreen(form, Scaled(kEmptyPlace, scale)).At(0, 0);
    // The label sizes itself to its text, so the text's width depends on the face that stands in for
    // Tahoma; it starts at the label's place and keeps within its height.
    const LONG margin = static_cast<LONG>(6 * scale);
    const RECT search{version.left - margin, version.top - margin, version.right + 6 * margin,
                      version.bottom + margin};
    const RECT ink = ReadScreen(form, search).Bounds(DiffersFrom(background));
    EXPECT_NEAR(ink.left, margin, 2) << "the version text starts at the label's left";
    EXPECT_GE(ink.top, margin - 1);
    EXPECT_LE(ink.bottom, margin + (version.bottom - version.top) + 1);
    EXPECT_LT(ink.right, search.right - search.left) << "the version text ends well before \"Gerar\"";
    seen.versionInkWidth = ink.right - ink.left;
    seen.versionInkHeight = ink.bottom - ink.top;
    EXPECT_GE(seen.versionInkWidth, 60 * scale) << "\"2024.2.8.1900\" in bold takes most of its 79 pixels";

    const TScreenArea userCaption = ReadScreen(form, Scaled(kUserCaption, scale));
    const TScreenArea passwordCaption = ReadScreen(form, Scaled(kPasswordCaption, scale));
    const TScreenArea configurationCaption = ReadScreen(form, Scaled(kConfigurationCaption, scale));
    EXPECT_GE(userCaption.Count(IsRed), 10) << "the focused field's caption is red";
    EXPECT_EQ(passwordCaption.Count(IsRed), 0);
    EXPECT_GE(passwordCaption.Count(IsDark), 10);
    EXPECT_EQ(configurationCaption.Count(IsDark), 0) << "the disabled editor's caption is greyed";
    EXPECT_GE(configurationCaption.Count(DiffersFrom(background)), 10) << "\"Configuração\" is shown";
    return seen;
}

TEST_F(TWindow, LayoutAndStateAtStartScaleWithTheScreenResolution) {
    std::optional<TLayoutSeen> at96, at144;
    {
        SCOPED_TRACE("96 dpi");
        TScreenResolution resolution(96);
        TCorvalin app({}, 1.0);
        at96 = CheckLayout(app, 1.0);
    }
    {
        SCOPED_TRACE("144 dpi");
        TScreenResolution resolution(144);
        TCorvalin app({}, 1.5);
        at144 = CheckLayout(app, 1.5);
    }
    // The fonts grow with the resolution: the editors' automatic height and the version text with them.
    EXPECT_NEAR(at144->editHeight, at96->editHeight * 1.5, 2.0);
    EXPECT_NEAR(at144->versionInkWidth, at96->versionInkWidth * 1.5, 0.1 * at96->versionInkWidth * 1.5);
    EXPECT_NEAR(at144->versionInkHeight, at96->versionInkHeight * 1.5, 2.0);
}

// Reads the area until the strokes of the text in it have the size of Text drawn freely in Tahoma 8 pt bold
// (the window may not have painted it yet), and checks that they do: nothing of the text is cut off, and it
// is that face. A blended edge pixel may fall either side of the half-way mark, hence one pixel's leeway.
// The background is the colour given, or else that of the area's top-left corner. Returns where the strokes
// start in the area, less where they start in the free drawing.
LONG ExpectWholeText(HWND form, const RECT& area, std::optional<COLORREF> background,
                     const std::wstring& text, int dpi, const char* what) {
    const RECT want = TextBounds(DrawnText(text, ::MulDiv(-11, dpi, 96), true), RGB(255, 255, 255));
    const LONG wantWidth = want.right - want.left, wantHeight = want.bottom - want.top;
    RECT got{};
    auto whole = [&] {
        const TScreenArea shown = ReadScreen(form, area);
        got = TextBounds(shown, background.value_or(shown.At(0, 0)));
        return std::abs((got.right - got.left) - wantWidth) <= 1 &&
               std::abs((got.bottom - got.top) - wantHeight) <= 1;
    };
    driver::WaitUntil(whole, 3000);
    EXPECT_NEAR(got.right - got.left, wantWidth, 1) << what << ": the text is cut off or not in that font";
    EXPECT_NEAR(got.bottom - got.top, wantHeight, 1) << what;
    // The text lies inside the area looked at, touching none of its edges.
    EXPECT_GT(got.left, 0) << what;
    EXPECT_LT(got.right, area.right - area.left) << what;
    return got.left - want.left;
}

// The window's six fixed texts (three captions, the version and both buttons) each show whole.
void CheckWholeTexts(TCorvalin& app, int dpi) {
    const HWND form = app.Form();
    const TControls& c = app.Controls();
    const double scale = dpi / 96.0;
    driver::Activate(form);
    // The form's own colour, once it has painted its background.
    const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(driver::WaitUntil(
        [&] { return ReadScreen(form, Scaled(kEmptyPlace, scale)).At(0, 0) == background; }, 3000));
    const LONG line = 2 * ::MulDiv(11, dpi, 96); // more than one line of the font

    // Each caption sits above its editor, from the editor's left edge; the area above holds nothing else.
    const struct {
        HWND editor;
        const wchar_t* caption;
    } captions[] = {{c.edtUsername, L"Usu\u00e1rio"},
                    {c.edtPassword, L"Senha"},
                    {c.redtConfiguration, L"Configura\u00e7\u00e3o"}};
    for (const auto& caption : captions) {
        const RECT editor = PlaceInClient(form, caption.editor);
        const RECT above{editor.left - 4, editor.top - line, editor.left + 12 * line, editor.top};
        const std::string name(caption.caption, caption.caption + wcslen(caption.caption));
        EXPECT_EQ(ExpectWholeText(form, above, background, caption.caption, dpi, name.c_str()), 4)
            << name << " starts at its editor's left edge";
    }
    const RECT version = Scaled(kVersionLabel, scale);
    const RECT versionArea{version.left - 4, version.top - 4,
                           version.left + 2 * (version.right - version.left), version.top + line};
    EXPECT_EQ(ExpectWholeText(form, versionArea, background, L"2024.2.8.1900", dpi, "version"), 4)
        << "the version starts at the label's left";

    // Inside each button's frame, its caption, enabled or not.
    for (const auto& [button, caption] :
         {std::pair{c.btnGenerate, L"Gerar"}, std::pair{c.btnClipboard, L"Copiar"}}) {
        RECT inside = PlaceInClient(form, button);
        const LONG frame = static_cast<LONG>(std::lround(4 * scale));
        ::InflateRect(&inside, -frame, -frame);
        const std::string name(caption, caption + wcslen(caption));
        ExpectWholeText(form, inside, std::nullopt, caption, dpi, name.c_str());
    }
}

TEST_F(TWindow, EveryFixedTextShowsWholeAtBothResolutions) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        TScreenResolution resolution(dpi);
        TCorvalin app({}, dpi / 96.0);
        CheckWholeTexts(app, dpi);
    }
}

TEST_F(TWindow, EnterDownAndUpMoveBetweenTheFieldsAndTheFocusedCaptionIsRed) {
    TCorvalin app;
    const TControls& c = app.Controls();
    const HWND form = app.Form();
    driver::Activate(form);
    auto red = [&](const RECT& caption) { return ReadScreen(form, caption).Count(IsRed) >= 10; };
    auto plain = [&](const RECT& caption) {
        const TScreenArea area = ReadScreen(form, caption);
        return area.Count(IsRed) == 0 && area.Count(IsDark) >= 10;
    };

    struct TStep {
        WORD key; // 0: none, the state at start
        HWND focus;
        bool userRed, passwordRed;
    };
    const TStep steps[] = {{0, c.edtUsername, true, false},
                           {VK_RETURN, c.edtPassword, false, true},
                           {VK_UP, c.edtUsername, true, false},
                           {VK_DOWN, c.edtPassword, false, true},
                           {VK_RETURN, c.btnGenerate, false, false}};
    for (const TStep& s : steps) {
        SCOPED_TRACE("key " + std::to_string(s.key));
        if (s.key) driver::PressKey(s.key);
        EXPECT_TRUE(driver::WaitUntil([&] { return app.Focused() == s.focus; }))
            << "focus on " << ControlName(c, app.Focused()) << " instead of " << ControlName(c, s.focus);
        EXPECT_TRUE(driver::WaitUntil(
            [&] {
                return (s.userRed ? red(kUserCaption) : plain(kUserCaption)) &&
                       (s.passwordRed ? red(kPasswordCaption) : plain(kPasswordCaption));
            },
            3000))
            << "\"Usuário\" red pixels: " << ReadScreen(form, kUserCaption).Count(IsRed)
            << ", \"Senha\" red pixels: " << ReadScreen(form, kPasswordCaption).Count(IsRed);
    }
    // Enter in the password field moved on to "Gerar" without pressing it: no run, no box.
    EXPECT_FALSE(driver::WaitUntil([&] { return driver::FindMessageBox(app.Process()) != nullptr; }, 1000));
    EXPECT_TRUE(app.Idle());
}

} // namespace
