#pragma once
// The encryption of ConvertFrom-SecureString without -Key: DPAPI for the current user over the text's
// UTF-16LE bytes (no terminating NUL), with an empty description, no entropy and no user interface,
// written as lower-case hexadecimal without separators.
#include "ps_host.h"

#include <string_view>

TPsHostAnswer ProtectToHex(std::wstring_view plainText);
