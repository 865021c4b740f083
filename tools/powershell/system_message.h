#pragma once
// The system's own text for an error code, without the line break it ends with.
#include <string>

std::wstring SystemMessage(unsigned long errorCode);
