#include "class_registry.h"

#include "sysutils.h"

#include <vector>

namespace {
std::vector<const TClassInfo*>& Registry() {
    static std::vector<const TClassInfo*> classes;
    return classes;
}
} // namespace

void RegisterComponentClass(const TClassInfo& Info) {
    if (const TClassInfo* known = FindComponentClass(Info.Name())) {
        if (known == &Info) return;
        throw Exception(L"A class named " + Info.Name() + L" is already registered");
    }
    Registry().push_back(&Info);
}

const TClassInfo* FindComponentClass(std::wstring_view ClassName) {
    for (const TClassInfo* c : Registry())
        if (SameText(c->Name(), ClassName)) return c;
    return nullptr;
}

TComponent* CreateComponent(std::wstring_view ClassName, TComponent* AOwner) {
    const TClassInfo* info = FindComponentClass(ClassName);
    if (!info) throw Exception(L"Class " + std::wstring(ClassName) + L" not found");
    return info->Create(AOwner);
}
