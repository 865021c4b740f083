#pragma once
// The lines of a rich-text editor: its text split at the line breaks. A last line that is empty (the
// text ends with a line break) is not counted.
#include <string>
#include <vector>

class TWinControl;

class TRichEditLines {
public:
    explicit TRichEditLines(TWinControl& Editor) : FEditor(Editor) {}
    TRichEditLines(const TRichEditLines&) = delete;
    TRichEditLines& operator=(const TRichEditLines&) = delete;

    int Count() const;
    // The line without its line-break characters.
    std::wstring operator[](int Index) const;
    // Appends a line: the text gets Line and a line break at its end.
    void Add(const std::wstring& Line);
    void Clear();
    // Every line followed by CR LF.
    std::wstring Text() const;
    void SetText(const std::wstring& Value);

private:
    std::vector<std::wstring> Lines() const;

    TWinControl& FEditor;
};

// Text split at CR LF, CR or LF; a last empty piece is dropped.
std::vector<std::wstring> SplitLines(const std::wstring& Text);
