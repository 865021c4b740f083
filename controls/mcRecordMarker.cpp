#include "mcRecordMarker.h"

bool EndsWithMarker(std::wstring_view Caption) {
    return Caption.size() >= MARKER.size() && Caption.substr(Caption.size() - MARKER.size()) == MARKER;
}

std::wstring CaptionWithMarker(std::wstring_view Caption) {
    return EndsWithMarker(Caption) ? std::wstring(Caption) : std::wstring(Caption) + MARKER_APPENDED;
}

std::wstring CaptionWithoutMarker(std::wstring_view Caption) {
    if (!EndsWithMarker(Caption)) return std::wstring(Caption);
    // Six code units go whatever they are, even when the one before the bracket is not a space.
    return Caption.size() < MARKER_APPENDED.size() ? std::wstring()
                                                   : std::wstring(Caption.substr(0, Caption.size() - 6));
}
