#include "rich_edit_lines.h"

#include "rich_edit.h"
#include "sysutils.h"

std::vector<std::wstring> SplitLines(const std::wstring& Text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != L'\r' && Text[i] != L'\n') continue;
        lines.push_back(Text.substr(start, i - start));
        if (Text[i] == L'\r' && i + 1 < Text.size() && Text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    if (start < Text.size()) lines.push_back(Text.substr(start));
    return lines;
}

std::vector<std::wstring> TRichEditLines::Lines() const {
    return SplitLines(FEditor.Text());
}

int TRichEditLines::Count() const {
    return int(Lines().size());
}

std::wstring TRichEditLines::operator[](int Index) const {
    const std::vector<std::wstring> lines = Lines();
    if (Index < 0 || Index >= int(lines.size()))
        throw Exception(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return lines[size_t(Index)];
}

void TRichEditLines::Add(const std::wstring& Line) {
    if (!FEditor.HandleAllocated()) {
        FEditor.SetText(Text() + Line + L"\r\n");
        return;
    }
    FEditor.AppendText(Line + L"\r\n");
}

void TRichEditLines::Clear() {
    FEditor.SetText(L"");
}

std::wstring TRichEditLines::Text() const {
    std::wstring text;
    for (const std::wstring& line : Lines())
        text += line + L"\r\n";
    return text;
}

void TRichEditLines::SetText(const std::wstring& Value) {
    FEditor.SetText(Value);
}
