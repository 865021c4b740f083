#pragma once
// Writes a form and the components it owns as a stored layout, the text that ReadLayout reads.
// Published properties come in declaration order; a value equal to its declared default is left out,
// a property without a default is always written; nested objects and sub-components are written under
// their property's name as a prefix (Font.Name, AutoLabel.Caption); each component's block is nested in
// its parent's block. Unnamed components and sub-components get no block of their own.
#include "component.h"

#include <string>
#include <string_view>

std::wstring WriteLayout(const TComponent& Root);

// A text as a layout writes it: printable ASCII quoted, every other character as a #nnn code.
std::wstring LayoutString(std::wstring_view Text);
