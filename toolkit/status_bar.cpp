#include "status_bar.h"

#include "published.h"
#include "sysutils.h"

#include <commctrl.h>

void TStatusPanel::SetText(const std::wstring& Value) {
    FText = Value;
    FBar.UpdateText(FIndex);
}

void TStatusPanel::SetWidth(int Value) {
    FWidth = Value;
    FBar.UpdateParts();
}

TStatusPanel& TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FBar, Count()));
    FBar.UpdateParts();
    return *FItems.back();
}

TStatusPanel& TStatusPanels::Items(int Index) {
    if (Index < 0 || Index >= Count())
        throw Exception(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return *FItems[size_t(Index)];
}

void TStatusPanels::Clear() {
    FItems.clear();
    FBar.UpdateParts();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
    FHeight = 19;
}

void TStatusBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.ClassName = STATUSCLASSNAMEW;
    Params.Native = true;
    Params.Style |= CCS_BOTTOM;
}

void TStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateParts();
    UpdateBounds();
}

void TStatusBar::ParentResized() {
    if (!HandleAllocated()) return;
    // The native bar keeps itself at the bottom of its parent when told of the new size.
    SendMessageW(Handle(), WM_SIZE, 0, 0);
    UpdateBounds();
}

void TStatusBar::UpdateParts() {
    if (!HandleAllocated()) return;
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < FPanels.Count(); ++i) {
        right += FPanels.Items(i).Width();
        edges.push_back(i + 1 == FPanels.Count() ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < FPanels.Count(); ++i)
        UpdateText(i);
}

void TStatusBar::UpdateText(int Index) {
    if (!HandleAllocated() || Index < 0 || Index >= FPanels.Count()) return;
    SendMessageW(Handle(), SB_SETTEXTW, WPARAM(Index),
                 reinterpret_cast<LPARAM>(FPanels.Items(Index).Text().c_str()));
}

const TClassInfo& TStatusBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStatusBar>(L"TStatusBar", TWinControl::StaticClass());
    return info;
}

const TClassInfo& TStatusBar::ClassInfo() const {
    return StaticClass();
}
