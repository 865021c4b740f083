#include "probe_components.h"

#include "toolkit/class_registry.h"
#include "toolkit/sysutils.h"

std::vector<std::wstring>& ProbeLog() {
    static std::vector<std::wstring> log;
    return log;
}

void Note(const TComponent& Component, const std::wstring& What) {
    ProbeLog().push_back(Component.Name() + L"." + What + (Component.IsLoading() ? L" (loading)" : L""));
}

const TEnumInfo& ProbeKindIdents() {
    static const TEnumInfo info(L"TProbeKind", {{pkNone, L"pkNone"}, {pkOne, L"pkOne"}, {pkTwo, L"pkTwo"}});
    return info;
}

void TProbeLabel::SetCaption(const std::wstring& Value) {
    FCaption = Value;
    Note(*this, L"Caption=" + Value);
}

void TProbeLabel::SetWidth(int Value) {
    FWidth = Value;
    Note(*this, L"Width=" + std::to_wstring(Value));
}

void TProbeLabel::Loaded() {
    Note(*this, L"Loaded");
    TComponent::Loaded();
}

const TClassInfo& TProbeLabel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TProbeLabel>(L"TProbeLabel", TComponent::StaticClass())
            .String(L"Caption", &TProbeLabel::Caption, &TProbeLabel::SetCaption)
            .Integer(L"Width", &TProbeLabel::Width, &TProbeLabel::SetWidth)
            .Boolean(L"ParentFont", &TProbeLabel::ParentFont, &TProbeLabel::SetParentFont, true)
            .Object(L"Font", &TProbeLabel::Font)
            .Stored([](const TProbeLabel& l) { return !l.ParentFont(); })
            .Event(L"OnClick", &TProbeLabel::OnClick);
    return info;
}

TProbe::TProbe(TComponent* AOwner) : TComponent(AOwner) {
    FLabel = new TProbeLabel(this);
    FLabel->FreeNotification(this);
    FLabel->SetName(L"SubLabel");
    FLabel->SetSubComponent(true);
}

void TProbe::SetName(const std::wstring& Value) {
    TComponent::SetName(Value);
    Note(*this, L"Name");
}

void TProbe::SetParentComponent(TComponent* Value) {
    if (FParent) RemoveFreeNotification(FParent);
    FParent = Value;
    if (FParent) FreeNotification(FParent);
    Note(*this, L"Parent=" + (Value ? Value->Name() : std::wstring(L"none")));
}

void TProbe::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FParent) FParent = nullptr;
}

void TProbe::Loaded() {
    Note(*this, L"Loaded");
    TComponent::Loaded();
}

void TProbe::SetLeft(int Value) {
    FLeft = Value;
    Note(*this, L"Left=" + std::to_wstring(Value));
}

void TProbe::SetWidth(int Value) {
    if (Value < 0) throw Exception(L"Width must not be negative");
    FWidth = Value;
    Note(*this, L"Width=" + std::to_wstring(Value));
}

void TProbe::SetCaption(const std::wstring& Value) {
    FCaption = Value;
    Note(*this, L"Caption=" + Value);
}

void TProbe::SetVisible(bool Value) {
    FVisible = Value;
    Note(*this, std::wstring(L"Visible=") + (Value ? L"1" : L"0"));
}

void TProbe::SetKind(TProbeKind Value) {
    FKind = Value;
    Note(*this, L"Kind=" + std::to_wstring(int(Value)));
}

void TProbe::SetStyle(TFontStyles Value) {
    FStyle = Value;
    Note(*this, L"Style=" + std::to_wstring(Value));
}

void TProbe::SetColor(TColor Value) {
    FColor = Value;
    Note(*this, L"Color=" + std::to_wstring(Value));
}

const TClassInfo& TProbe::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TProbe>(L"TProbe", TComponent::StaticClass())
            .Integer(L"Left", &TProbe::Left, &TProbe::SetLeft)
            .Integer(L"Width", &TProbe::Width, &TProbe::SetWidth, 0)
            .String(L"Caption", &TProbe::Caption, &TProbe::SetCaption, L"")
            .Boolean(L"Visible", &TProbe::Visible, &TProbe::SetVisible, true)
            .Enum(L"Kind", ProbeKindIdents(), &TProbe::Kind, &TProbe::SetKind)
            .Set(L"Style", FontStyleIdents(), &TProbe::Style, &TProbe::SetStyle, 0)
            .Color(L"Color", &TProbe::Color, &TProbe::SetColor, clWindow)
            .Boolean(L"Flag", &TProbe::Flag, &TProbe::Flag)
            .Integer(L"Count", &TProbe::Count, nullptr)
            .Boolean(L"ParentFont", &TProbe::ParentFont, &TProbe::SetParentFont, true)
            .Object(L"Font", &TProbe::Font)
            .Stored([](const TProbe& p) { return !p.ParentFont(); })
            .SubComponent(L"AutoLabel", &TProbe::AutoLabel)
            .Event(L"OnClick", &TProbe::OnClick)
            .Event(L"OnKeyDown", &TProbe::OnKeyDown);
    return info;
}

const TClassInfo& TProbeEx::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbeEx>(L"TProbeEx", TProbe::StaticClass())
                                       .String(L"Extra", &TProbeEx::Extra, &TProbeEx::Extra)
                                       .Integer(L"Width", &TProbeEx::Width, &TProbeEx::SetWidth, 100);
    return info;
}

const TClassInfo& TAbstractProbe::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TAbstractProbe>(L"TAbstractProbe", TComponent::StaticClass());
    return info;
}

void TProbeForm::Loaded() {
    Note(*this, L"Loaded");
    TComponent::Loaded();
}

void TProbeForm::SetCaption(const std::wstring& Value) {
    FCaption = Value;
    Note(*this, L"Caption=" + Value);
}

void TProbeForm::ButtonClick(TObject* Sender) {
    const auto* c = dynamic_cast<TComponent*>(Sender);
    Calls.push_back(L"ButtonClick(" + (c ? c->Name() : std::wstring()) + L")");
}

void TProbeForm::KeyDown(TObject*, WORD& Key, TShiftState Shift) {
    Calls.push_back(L"KeyDown(" + std::to_wstring(Key) + L"," + std::to_wstring(Shift.Bits()) + L")");
    Key = 0;
}

const TClassInfo& TProbeForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbeForm>(L"TProbeForm", TComponent::StaticClass())
                                       .String(L"Caption", &TProbeForm::Caption, &TProbeForm::SetCaption)
                                       .Color(L"Color", &TProbeForm::Color, &TProbeForm::SetColor, clBtnFace)
                                       .Object(L"Font", &TProbeForm::Font)
                                       .Method(L"ButtonClick", &TProbeForm::ButtonClick)
                                       .Method(L"KeyDown", &TProbeForm::KeyDown)
                                       .Field(L"edtFirst", &TProbeForm::edtFirst)
                                       .Field(L"pnlBox", &TProbeForm::pnlBox)
                                       .Field(L"lblWrong", &TProbeForm::lblWrong);
    return info;
}

void RegisterProbeClasses() {
    RegisterComponentClasses<TProbe, TProbeEx, TProbeLabel, TAbstractProbe>();
}
