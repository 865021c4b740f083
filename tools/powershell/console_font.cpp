#include "console_font.h"

#include "gdi_handles.h"
#include "ps_text.h"

#include <string_view>

namespace {

LOGFONTW FontSpec(const wchar_t* face, int pixelHeight) {
    LOGFONTW logFont{};
    logFont.lfHeight = -pixelHeight;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    logFont.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wstring_view(face).copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return logFont;
}

// True when the system gave the face asked for, not a substitute, and it is monospace.
bool IsGenuine(HDC dc, HFONT font, const wchar_t* face) {
    const TSelection selection(dc, font);
    wchar_t got[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, got);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // TMPF_FIXED_PITCH set means a variable pitch: the flag's name says the opposite of its meaning.
    return SameText(got, face) && (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

} // namespace

HFONT CreateConsoleFont(HDC dc, int pixelHeight) {
    static const wchar_t* const kFaces[] = {L"Consolas", L"Lucida Console", L"Courier New",
                                            L"DejaVu Sans Mono", L"Liberation Mono"};
    for (const wchar_t* face : kFaces) {
        const LOGFONTW logFont = FontSpec(face, pixelHeight);
        const HFONT font = CreateFontIndirectW(&logFont);
        if (font && IsGenuine(dc, font, face)) return font;
        if (font) DeleteObject(font);
    }
    const LOGFONTW logFont = FontSpec(L"", pixelHeight);
    return CreateFontIndirectW(&logFont);
}
