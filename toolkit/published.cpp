#include "published.h"

#include "sysutils.h"

const std::wstring* TEnumInfo::NameOf(long long Value) const {
    for (const TEntry& e : FEntries)
        if (e.Value == Value) return &e.Name;
    return nullptr;
}

std::optional<long long> TEnumInfo::ValueOf(std::wstring_view Name) const {
    for (const TEntry& e : FEntries)
        if (SameText(e.Name, Name)) return e.Value;
    return std::nullopt;
}

bool TPropInfo::IsOrdinal() const {
    return Kind == TPropKind::Integer || Kind == TPropKind::Boolean || Kind == TPropKind::Enum ||
           Kind == TPropKind::Set || Kind == TPropKind::Color;
}

bool TPropInfo::IsReadOnly() const {
    if (IsOrdinal()) return !SetOrdinal;
    if (Kind == TPropKind::String) return !SetString;
    if (Kind == TPropKind::Event) return !SetHandler;
    return true; // nested objects are changed through their own properties
}

TClassInfo::TClassInfo(std::wstring Name, const TClassInfo* Parent) : FData(new TClassData) {
    FData->Name = std::move(Name);
    FData->Parent = Parent;
    if (Parent) {
        FData->Properties = Parent->Properties();
        FData->Fields = Parent->Fields();
    }
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        if (c == &Other) return true;
    return false;
}

size_t TClassInfo::AddProperty(TPropInfo Info) {
    std::vector<TPropInfo>& props = FData->Properties;
    for (size_t i = 0; i < props.size(); ++i)
        if (SameText(props[i].Name, Info.Name)) {
            props[i] = std::move(Info);
            return i;
        }
    props.push_back(std::move(Info));
    return props.size() - 1;
}

const TPropInfo* TClassInfo::FindProperty(std::wstring_view Name) const {
    for (const TPropInfo& p : FData->Properties)
        if (SameText(p.Name, Name)) return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::wstring_view Name) const {
    for (const TClassInfo* c = this; c; c = c->Parent())
        for (const TMethodInfo& m : c->FData->Methods)
            if (SameText(m.Name, Name)) return &m;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::wstring_view Name) const {
    for (const TFieldInfo& f : FData->Fields)
        if (SameText(f.Name, Name)) return &f;
    return nullptr;
}

TComponent* TClassInfo::Create(TComponent* AOwner) const {
    if (!FData->Create) throw Exception(L"Cannot create a component of the class " + Name());
    return FData->Create(AOwner);
}

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info(L"TPersistent", nullptr);
    return info;
}

const TClassInfo& TPersistent::ClassInfo() const {
    return StaticClass();
}

const std::wstring& TPersistent::ClassName() const {
    return ClassInfo().Name();
}

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TComponent>(L"TComponent", TPersistent::StaticClass());
    return info;
}

const TClassInfo& TComponent::ClassInfo() const {
    return StaticClass();
}
