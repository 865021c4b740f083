// The scroll-back of the console window: lines and the rows they take.
#include "console_screen.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::wstring>;

TEST(ConsoleScreen, WriteCutsAtEveryKindOfLineBreak) {
    TConsoleScreen screen;
    screen.Write(L"one\r\ntwo\nthree\rfour\n", TScreenColour::Error);
    screen.Write(L"", TScreenColour::Output);
    ASSERT_EQ(screen.Lines().size(), 5u);
    EXPECT_EQ(screen.Lines()[0].text, L"one");
    EXPECT_EQ(screen.Lines()[3].text, L"four");
    EXPECT_EQ(screen.Lines()[3].colour, TScreenColour::Error);
    EXPECT_EQ(screen.Lines()[4].text, L"");
    EXPECT_EQ(screen.Lines()[4].colour, TScreenColour::Output);
}

TEST(ConsoleScreen, WrapRows) {
    const struct {
        const wchar_t* line;
        size_t columns;
        Rows rows;
    } cases[] = {
        {L"", 10, {L""}},
        {L"abcdef", 4, {L"abcd", L"ef"}},
        {L"abcd", 4, {L"abcd"}},
        {L"abc\xD83D\xDE00"
         L"d",
         4,
         {L"abc", L"\xD83D\xDE00"
                  L"d"}}, // the pair stays whole
        {L"a\tb", 20, {L"a       b"}},
        {L"a\x01"
         L"b\n",
         20,
         {L"a b "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapRows(c.line, c.columns), c.rows) << c.line;
}

} // namespace
