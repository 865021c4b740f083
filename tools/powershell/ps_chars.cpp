#include "ps_chars.h"

#include <windows.h>

bool IsNonAsciiLetterOrDigit(wchar_t c) {
    if (c <= 0x7F || (c >= 0xD800 && c <= 0xDFFF)) return false;
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE1, &c, 1, &type) && (type & (C1_ALPHA | C1_DIGIT)) != 0;
}
