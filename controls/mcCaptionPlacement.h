#pragma once
// Where a labelled editor's caption label goes: on one side of the editor, at a spacing.

// The side of the editor on which the caption label sits; stored by name in layouts.
enum TLabelPosition : unsigned char { lpAbove = 0, lpBelow = 1, lpLeft = 2, lpRight = 3 };

struct TCaptionPoint {
    int X;
    int Y;
};

// The caption label's top-left point for an editor at (L, T) of W by H, a label of lw by lh and spacing S.
// Left and right, the label is centred on the editor with a halving that truncates toward zero.
constexpr TCaptionPoint CaptionPlace(TLabelPosition Position, int S, int L, int T, int W, int H, int lw, int lh) {
    switch (Position) {
    case lpBelow:
        return {L, T + H + S};
    case lpLeft:
        return {L - lw - S, T + (H - lh) / 2};
    case lpRight:
        return {L + W + S, T + (H - lh) / 2};
    case lpAbove:
    default:
        return {L, T - lh - S};
    }
}

class TEnumInfo;
// The names under which layouts store a TLabelPosition.
const TEnumInfo& LabelPositionIdents();
