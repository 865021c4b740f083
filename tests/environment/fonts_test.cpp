// The faces the window is drawn with are the real ones, not a stand-in that the system picks when a face
// is missing: Tahoma and Tahoma Bold for every text of the window, Marlett for the title-bar buttons and
// the scroll arrows that the system draws.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TFaceSeen {
    std::wstring face;     // what GetTextFaceW reports
    std::wstring fullFace; // the face name inside the font file: "Tahoma Bold" for the bold file
    std::vector<WORD> glyphs;
};

TFaceSeen Ask(const wchar_t* face, int weight, BYTE charset, const std::wstring& text) {
    TFaceSeen seen;
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, name);
    seen.face = name;
    if (const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr)) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (GetOutlineTextMetricsW(dc, size, metrics))
            seen.fullFace = reinterpret_cast<const wchar_t*>(buffer.data() + size_t(metrics->otmpFaceName));
    }
    seen.glyphs.resize(text.size());
    GetGlyphIndicesW(dc, text.c_str(), int(text.size()), seen.glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return seen;
}

TEST(Fonts, TahomaTahomaBoldAndMarlettAreTheRealFaces) {
    struct {
        const wchar_t* face;
        int weight;
        BYTE charset;
        const wchar_t* fullFace;
        std::wstring text; // characters the face must hold
    } cases[] = {
        {L"Tahoma", FW_NORMAL, DEFAULT_CHARSET, L"Tahoma", L"Usu\u00e1rio Configura\u00e7\u00e3o"},
        {L"Tahoma", FW_BOLD, DEFAULT_CHARSET, L"Tahoma Bold", L"2024.2.8.1900 Gerar Copiar"},
        // Minimise, maximise, restore and close; the scroll arrows left, right, up and down.
        {L"Marlett", FW_NORMAL, SYMBOL_CHARSET, L"Marlett", L"012r3456"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.face, c.face + wcslen(c.face)) << " " << c.weight);
        const TFaceSeen seen = Ask(c.face, c.weight, c.charset, c.text);
        EXPECT_EQ(seen.face, c.face) << "the system gave another face";
        EXPECT_EQ(seen.fullFace, c.fullFace) << "not the font file of that face and weight";
        for (size_t i = 0; i < c.text.size(); ++i)
            EXPECT_NE(seen.glyphs[i], 0xFFFF) << "no glyph for code " << int(c.text[i]);
    }
}

} // namespace
