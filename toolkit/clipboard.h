#pragma once
// The clipboard, opened with the application window as its owner for the length of one operation.
#include <string>
#include <string_view>

class TClipboard {
public:
    // Empties the clipboard and puts Value on it as Unicode text (CF_UNICODETEXT, NUL-terminated).
    // Raises Exception "Cannot open clipboard: <system message>" when another program holds it open,
    // and "Out of system resources" when it refuses the text after it was emptied.
    void SetAsText(std::wstring_view Value);
    // The Unicode text on the clipboard; empty when there is none.
    std::wstring AsText();
};

TClipboard* Clipboard();
