#include "mcCaptionLabel.h"

#include "toolkit/published.h"
#include "toolkit/sysutils.h"

TBoundLabel* NewCaptionLabel(TControl& Editor) {
    auto* label = new TBoundLabel(&Editor);
    label->FreeNotification(&Editor);
    label->SetName(L"SubLabel");
    label->SetSubComponent(true);
    label->SetCaption(Editor.Name());
    return label;
}

void PlaceCaptionLabel(TBoundLabel& Label, TLabelPosition Position, int Spacing, const TControl& Editor) {
    const int lw = Label.Width(), lh = Label.Height();
    const TCaptionPoint p =
        CaptionPlace(Position, Spacing, Editor.Left(), Editor.Top(), Editor.Width(), Editor.Height(), lw, lh);
    Label.SetBounds(p.X, p.Y, lw, lh);
}

void FollowRename(TBoundLabel& Label, const std::wstring& OldName, const std::wstring& NewName) {
    if (Label.Caption().empty() || SameText(Label.Caption(), OldName)) Label.SetCaption(NewName);
}

void ShowCaptionFocused(TBoundLabel* Label, bool Focused) {
    if (Label) Label->Font().SetColor(Focused ? clRed : clWindowText);
}

const TEnumInfo& LabelPositionIdents() {
    static const TEnumInfo info(L"TLabelPosition",
                                {{lpAbove, L"lpAbove"}, {lpBelow, L"lpBelow"}, {lpLeft, L"lpLeft"}, {lpRight, L"lpRight"}});
    return info;
}
