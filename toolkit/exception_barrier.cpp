#include "exception_barrier.h"

#include "application.h"

void HandleEscapedException(std::exception_ptr Error) noexcept {
    try {
        if (Application) Application->HandleException(Error);
    } catch (...) {
        // The error handler itself failed (no memory for the box, say): nothing is left to tell.
    }
}
