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
    // As SetAsText, for a secret: the text goes with the formats that ask Windows and clipboard managers
    // to keep it out of clipboard history, cloud clipboard and monitoring. Gives the clipboard's sequence
    // number once it holds them. If any of them is refused, the clipboard is left empty.
    unsigned long SetAsSecretText(std::wstring_view Value);
    // Empties the clipboard if its sequence number is still this one, that is, if nobody changed it since.
    // Gives false when the clipboard could not be opened.
    bool EmptyIfUnchanged(unsigned long SequenceNumber);
    // The Unicode text on the clipboard; empty when there is none.
    std::wstring AsText();
};

TClipboard* Clipboard();
