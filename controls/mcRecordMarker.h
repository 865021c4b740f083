#pragma once
// The record-change marker of a caption: " [...]" after the text while the editor offers F9.
#include <string>
#include <string_view>

inline const std::wstring MARKER = L"[...]";
inline const std::wstring MARKER_APPENDED = L" [...]";
inline const std::wstring MARKER_HINT = L"[F9] - Alteração Cadastral";

// True when the caption's last five code units are exactly "[...]".
bool EndsWithMarker(std::wstring_view Caption);
// The caption with the marker on: " [...]" appended unless the caption already ends with the marker.
std::wstring CaptionWithMarker(std::wstring_view Caption);
// The caption with the marker off: the last six code units cut when it ends with the marker.
std::wstring CaptionWithoutMarker(std::wstring_view Caption);

// The caption label's side of the marker: its caption, hand cursor, hint and hint switch. Nothing of the
// label's earlier cursor or hint is kept. (A template, so that this header needs no window classes.)
template <class TCaptionLabel>
void ApplyRecordChangeMarker(TCaptionLabel& Label, bool On) {
    constexpr int crHand = -21, crDefaultCursor = 0;
    if (On) {
        Label.SetCaption(CaptionWithMarker(Label.Caption()));
        Label.SetCursor(crHand);
        Label.SetHint(MARKER_HINT);
        Label.SetShowHint(true);
    } else {
        Label.SetCaption(CaptionWithoutMarker(Label.Caption()));
        Label.SetCursor(crDefaultCursor);
        Label.SetHint(L"");
        Label.SetShowHint(false);
    }
}
