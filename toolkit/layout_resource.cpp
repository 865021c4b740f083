#include "layout_resource.h"

#include "layout_reader.h"
#include "sysutils.h"

#include <windows.h>

void ReadLayoutResource(TComponent& Root, const wchar_t* ResourceName) {
    HRSRC info = FindResourceW(nullptr, ResourceName, MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL data = info ? LoadResource(nullptr, info) : nullptr;
    const auto* bytes = data ? static_cast<const unsigned char*>(LockResource(data)) : nullptr;
    if (!bytes) throw Exception(L"Layout resource " + std::wstring(ResourceName) + L" not found");
    const DWORD size = SizeofResource(nullptr, info);
    // Layouts are ASCII: characters beyond it are written as #nnn codes.
    std::wstring text(bytes, bytes + size);
    ReadLayout(Root, text);
}
