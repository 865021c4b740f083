#pragma once
// The lines of a rich-text editor: its text split at the line breaks. A last line that is empty (the
// text ends with a line break) is not counted.
#include <string>
#include <vector>

class TcxRichEdit;

class TRichEditLines {
public:
    explicit TRichEditLines(TcxRichEdit& Editor) : FEditor(Editor) {}
    TRichEditLines(const TRichEditLines&) = delete;
    TRichEditLines& operator=(const TRichEditLines&) = delete;

    int Count() const;
    // The line without its line-break characters.
    std::wstring operator[](int Index) const;
    // Appends a line at the end of the text, followed by a line break. The lines already there are left as
    // they are: a long result is put in once, not once per line.
    void Add(const std::wstring& Line);
    void Clear();
    // Every line followed by CR LF.
    std::wstring Text() const;
    void SetText(const std::wstring& Value);

private:
    std::vector<std::wstring> Lines() const;

    TcxRichEdit& FEditor;
};

// Text split at CR LF, CR or LF; a last empty piece is dropped.
std::vector<std::wstring> SplitLines(const std::wstring& Text);
