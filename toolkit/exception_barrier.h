#pragma once
// The one barrier between Win32 and our code: an error that escapes a handler goes to the application's
// general error handler and never crosses a window procedure.
#include <exception>
#include <utility>

void HandleEscapedException(std::exception_ptr Error) noexcept;

template <class F> void GuardedCall(F&& Call) noexcept {
    try {
        std::forward<F>(Call)();
    } catch (...) {
        HandleEscapedException(std::current_exception());
    }
}
