#include "screen_resolution.h"

#include "driver.h"

namespace e2e {

namespace {

const wchar_t* const kDesktopKey = L"Control Panel\\Desktop";
const wchar_t* const kLogPixels = L"LogPixels";

void SetLogPixels(DWORD dpi) {
    if (::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi) !=
        ERROR_SUCCESS)
        throw driver::DriverError(L"cannot set the screen resolution");
}

} // namespace

TScreenResolution::TScreenResolution(DWORD dpi) {
    DWORD value = 0, size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &value,
                       &size) == ERROR_SUCCESS)
        FPrevious = value;
    SetLogPixels(dpi);
}

TScreenResolution::~TScreenResolution() {
    // Without an earlier setting the system's own default, 96, is what every program saw.
    const DWORD previous = FPrevious.value_or(96);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &previous, sizeof previous);
}

} // namespace e2e
