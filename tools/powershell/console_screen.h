#pragma once
// The console's scroll-back: every line written so far, each in the colour of what it is, cut into rows
// of the window's width when it is drawn.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

enum class TScreenColour { Output, Error };

struct TScreenLine {
    std::wstring text;
    TScreenColour colour = TScreenColour::Output;
};

class TConsoleScreen {
public:
    // Adds the text as lines, cut at its line breaks (CR LF, LF or CR).
    void Write(std::wstring_view text, TScreenColour colour);
    const std::deque<TScreenLine>& Lines() const { return FLines; }

private:
    std::deque<TScreenLine> FLines;
};

// The rows a line takes in a window `columns` wide. Tabs stop every 8 columns and other control
// characters show as blanks; a surrogate pair is never cut in two; an empty line is one empty row.
std::vector<std::wstring> WrapRows(std::wstring_view line, size_t columns);
