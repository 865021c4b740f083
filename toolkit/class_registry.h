#pragma once
// The classes a stored layout may name: a layout creates each of its components from its class name.
#include "published.h"

#include <string_view>

// Registering the same class again does nothing; another class under a registered name raises Exception.
void RegisterComponentClass(const TClassInfo& Info);

template <class... C> void RegisterComponentClasses() {
    (RegisterComponentClass(C::StaticClass()), ...);
}

// The registered class of this name (letters A to Z compared without regard to case), or null.
const TClassInfo* FindComponentClass(std::wstring_view ClassName);

// A new component of the registered class ClassName, owned by AOwner; raises Exception when the class
// is unknown or cannot be created.
TComponent* CreateComponent(std::wstring_view ClassName, TComponent* AOwner);
