#pragma once
// The caption label that both labelled editors own and keep beside themselves on their parent.
#include "mcCaptionPlacement.h"
#include "toolkit/label.h"

// Makes the caption label of Editor: owned by it, watched by it for its destruction, named "SubLabel",
// a sub-component, captioned with the editor's name. It gets a parent when the editor does.
TBoundLabel* NewCaptionLabel(TControl& Editor);

// Moves the label to its side of the editor, its own size unchanged.
void PlaceCaptionLabel(TBoundLabel& Label, TLabelPosition Position, int Spacing, const TControl& Editor);

// In a form designer the caption follows a rename while it is empty or still the old name.
void FollowRename(TBoundLabel& Label, const std::wstring& OldName, const std::wstring& NewName);

// Red while the editor has the focus, the window-text colour after it has left.
void ShowCaptionFocused(TBoundLabel* Label, bool Focused);
