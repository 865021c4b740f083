#include "application_texts.h"

#include <windows.h>

std::wstring DefaultApplicationTitle(std::wstring_view ExePath) {
    const size_t slash = ExePath.find_last_of(L"\\/:");
    std::wstring_view name = slash == std::wstring_view::npos ? ExePath : ExePath.substr(slash + 1);
    name = name.substr(0, name.find(L'.'));
    std::wstring title(name);
    if (title.size() > 1) CharLowerBuffW(title.data() + 1, DWORD(title.size() - 1));
    return title;
}

std::wstring ErrorBoxText(std::wstring_view Message) {
    std::wstring text(Message);
    if (!text.empty() && text.back() > L'.') text += L'.';
    return text;
}
