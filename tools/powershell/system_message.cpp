#include "system_message.h"

#include "ps_text.h"

#include <windows.h>

#include <memory>

std::wstring SystemMessage(unsigned long errorCode) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owner(buffer, &LocalFree);
    std::wstring text = length ? Trim(std::wstring_view(buffer, length)) : L"";
    return text.empty() ? L"Error " + std::to_wstring(errorCode) + L"." : text;
}
