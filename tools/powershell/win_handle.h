#pragma once
// A kernel handle owned by one object and closed with it.
#include <windows.h>

#include <utility>

class TWinHandle {
public:
    TWinHandle() = default;
    explicit TWinHandle(HANDLE handle) : FHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    TWinHandle(TWinHandle&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TWinHandle& operator=(TWinHandle&& other) noexcept {
        if (this != &other) {
            Close();
            FHandle = std::exchange(other.FHandle, nullptr);
        }
        return *this;
    }
    TWinHandle(const TWinHandle&) = delete;
    TWinHandle& operator=(const TWinHandle&) = delete;
    ~TWinHandle() { Close(); }

    HANDLE Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Close() {
        if (FHandle) CloseHandle(std::exchange(FHandle, nullptr));
    }

private:
    HANDLE FHandle = nullptr;
};
