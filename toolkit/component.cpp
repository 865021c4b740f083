#include "component.h"

#include "published.h"
#include "sysutils.h"

#include <algorithm>

namespace {
bool IsIdentStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_';
}
bool IsIdentChar(wchar_t c) {
    return IsIdentStart(c) || (c >= L'0' && c <= L'9');
}
} // namespace

bool IsValidIdent(std::wstring_view Name) {
    if (Name.empty() || !IsIdentStart(Name[0])) return false;
    return std::all_of(Name.begin(), Name.end(), IsIdentChar);
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    BeforeDestruction();
}

void TComponent::Free() {
    BeforeDestruction();
    delete this;
}

void TComponent::BeforeDestruction() {
    if (FDestructionDone) return;
    FDestructionDone = true;
    Destroying();
    // The linked components first, then what this component owns, then its owner. The owner is told
    // once, as the owner, even when it is linked too.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        other->Unlink(this);
        if (other != FOwner) other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (IsDestroying()) return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        c->Free(); // leaves FComponents through RemoveComponent
        if (!FComponents.empty() && FComponents.back() == c) FComponents.pop_back();
    }
}

void TComponent::SetName(const std::wstring& Value) {
    if (!Value.empty()) {
        if (!IsValidIdent(Value)) throw Exception(L"\"" + Value + L"\" is not a valid component name");
        if (FOwner) {
            const TComponent* other = FOwner->FindComponent(Value);
            if (other && other != this) throw Exception(L"A component named " + Value + L" already exists");
        }
    }
    FName = Value;
}

void TComponent::SetFlag(unsigned Flag, bool Value) {
    if (Value)
        FComponentState |= Flag;
    else
        FComponentState &= ~Flag;
}

void TComponent::SetDesigning(bool Value) {
    SetFlag(csDesigning, Value);
    for (TComponent* c : FComponents)
        c->SetDesigning(Value);
}

TComponent* TComponent::FindComponent(std::wstring_view AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->Name(), AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    // What a designer edits, it edits whole: a component made on a form being designed is designed too.
    if (IsDesigning()) AComponent->SetDesigning(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (std::find(FComponents.begin(), FComponents.end(), AComponent) == FComponents.end()) return;
    Notification(AComponent, opRemove);
    ClearFieldsReferring(AComponent);
    FComponents.erase(std::find(FComponents.begin(), FComponents.end(), AComponent));
    AComponent->FOwner = nullptr;
}

// A form's field never points at a component that has left it.
void TComponent::ClearFieldsReferring(TComponent* AComponent) {
    for (const TFieldInfo& f : ClassInfo().Fields())
        if (f.Get(*this) == AComponent) f.Set(*this, nullptr);
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    Unlink(AComponent);
    AComponent->Unlink(this);
}

void TComponent::Unlink(TComponent* AComponent) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                        FFreeNotifies.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Loaded() {
    SetLoading(false);
}

void TComponent::SetParentComponent(TComponent*) {}

TComponent* TComponent::GetParentComponent() const {
    return nullptr;
}
