// The controls' rules that need no window: name capitalisation, caption placement, the record-change marker.
#include "controls/mcCaptionPlacement.h"
#include "controls/mcNames.h"
#include "controls/mcRecordMarker.h"

#include <gtest/gtest.h>

namespace {

TEST(UpperNome, WorkedExamples) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"maria da silva", L"Maria da Silva"},
        {L"joao dos santos", L"Joao dos Santos"},
        {L"maria das dores", L"Maria das Dores"},
        {L"pedro de souza e silva", L"Pedro de Souza e Silva"},
        {L"jo\x00E3o das neves", L"Jo\x00E3o das Neves"},
        {L"antonio carlos", L"Antonio Carlos"},
        {L"ana alves", L"Ana alves"},
        {L"jose eduardo", L"Jose eduardo"},
        {L"pedro \x00E1lvaro cunha", L"Pedro \x00E1lvaro Cunha"},
        {L"ana delgado", L"Ana Delgado"},
        {L"lucas dossantos", L"Lucas dossantos"},
        {L"mARIA dA sILVA", L"MARIA DA SILVA"},
        {L"JOAO DA SILVA", L"JOAO DA SILVA"},
        {L"\x00E9rica", L"\x00E9rica"},
        {L"da", L"Da"},
        {L"x", L"X"},
        {L"maria do", L"Maria do"},
        {L"maria d", L"Maria D"},
        {L"paulo de", L"Paulo de"},
        {L"ana e", L"Ana e"},
        // Edge cases: length kept, spaces untouched, only U+0020 separates words.
        {L"", L""},
        {L"maria ", L"Maria "},
        {L"maria  silva", L"Maria  Silva"},
        {L" maria", L" maria"},
        {L"maria da\tsilva", L"Maria da\tsilva"},
        {L"maria\x00A0silva", L"Maria\x00A0silva"},
        {L"ana de\x01x", L"Ana de\x01x"}, // "de" then a control character: still a connecting word
        {L"ana dex", L"Ana Dex"},
        {L"ana dasx", L"Ana dasx"},
    };
    for (const auto& c : cases) EXPECT_EQ(UpperNome(c.in), c.out) << "input [" << c.in << "]";
}

// Only the lower-case ASCII letters, "a" to "z", become capitals: the ends of that range and the characters
// just outside it, at the start of the text and at the start of a later word.
TEST(UpperNome, EndsOfTheLowerCaseRange) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"a", L"A"},         {L"z", L"Z"},         {L"`z", L"`z"},       {L"{a", L"{a"},
        {L"A", L"A"},         {L"Z", L"Z"},         {L"@a", L"@a"},       {L"[a", L"[a"},
        {L"x b", L"X B"},     {L"x zeca", L"X Zeca"}, {L"x `z", L"X `z"}, {L"x {z", L"X {z"},
        {L"x y", L"X Y"},     {L"x Z", L"X Z"},     {L"x @a", L"X @a"},   {L"x [a", L"X [a"},
    };
    for (const auto& c : cases) EXPECT_EQ(UpperNome(c.in), c.out) << "input [" << c.in << "]";
}

TEST(NaoAchaPreposicao, ExactAndCaseSensitiveAfterTrim) {
    for (const wchar_t* word : {L"das", L"dos", L"de", L"do", L"da", L" da\t", L"de\x01"})
        EXPECT_FALSE(NaoAchaPreposicao(word)) << word;
    for (const wchar_t* word : {L"Da", L"DE", L"d", L"dez", L"", L"d a", L"e"})
        EXPECT_TRUE(NaoAchaPreposicao(word)) << word;
}

TEST(CaptionPlace, FourSidesSpacingAndHalving) {
    const struct {
        TLabelPosition pos;
        int S, L, T, W, H, lw, lh, x, y;
    } cases[] = {
        {lpAbove, 0, 16, 24, 305, 21, 43, 13, 16, 11},   // the user field of the main window
        {lpBelow, 3, 16, 24, 305, 21, 43, 13, 16, 48},
        {lpLeft, 0, 100, 24, 305, 21, 43, 13, 57, 28},    // half of 8 is 4
        {lpLeft, 0, 100, 24, 305, 20, 43, 13, 57, 27},    // half of 7 is 3
        {lpLeft, 0, 100, 24, 305, 10, 43, 13, 57, 23},    // half of -3 is -1
        {lpRight, 5, 16, 24, 305, 21, 43, 13, 326, 28},
        {lpRight, -7, 16, 24, 305, 21, 43, 13, 314, 28}, // negative spacing overlaps
        {lpAbove, -19, 16, 24, 305, 21, 43, 13, 16, 30}, // 6 below the editor's top
        {lpLeft, 4, 100, 50, 30, 0, 20, 15, 76, 43},      // half of -15 is -7
    };
    for (const auto& c : cases) {
        const TCaptionPoint p = CaptionPlace(c.pos, c.S, c.L, c.T, c.W, c.H, c.lw, c.lh);
        EXPECT_EQ(p.X, c.x) << int(c.pos) << " spacing " << c.S << " height " << c.H;
        EXPECT_EQ(p.Y, c.y) << int(c.pos) << " spacing " << c.S << " height " << c.H;
    }
}

TEST(RecordMarker, CaptionTable) {
    const struct {
        const wchar_t* before;
        bool on;
        const wchar_t* after;
    } cases[] = {
        {L"Nome", true, L"Nome [...]"},
        {L"Nome [...]", true, L"Nome [...]"},
        {L"Nome [...]", false, L"Nome"},
        {L"Nome[...]", true, L"Nome[...]"},
        {L"Nome[...]", false, L"Nom"},
        {L"[...]", false, L""},
        {L"", true, L" [...]"},
        {L" [...]", false, L""},
        {L"ab", true, L"ab [...]"},
        {L"Nome [...] ", true, L"Nome [...]  [...]"},
        {L"Nome", false, L"Nome"},
        {L"[..]", true, L"[..] [...]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.on ? CaptionWithMarker(c.before) : CaptionWithoutMarker(c.before), c.after)
            << "[" << c.before << "] " << (c.on ? "on" : "off");
    EXPECT_EQ(MARKER_HINT.size(), 26u);
}

} // namespace
