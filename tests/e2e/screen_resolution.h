#pragma once
// The screen resolution that programs started from now on see (the user's LogPixels setting), set for the
// lifetime of the object and put back afterwards.
#include <windows.h>

#include <optional>

namespace e2e {

class TScreenResolution {
public:
    explicit TScreenResolution(DWORD dpi);
    ~TScreenResolution();
    TScreenResolution(const TScreenResolution&) = delete;
    TScreenResolution& operator=(const TScreenResolution&) = delete;

private:
    std::optional<DWORD> FPrevious;
};

} // namespace e2e
