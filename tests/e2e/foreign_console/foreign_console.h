#pragma once
// What a test needs to know of the foreign console program.
#include <windows.h>

inline constexpr const wchar_t* kForeignConsoleClass = L"ConsoleWindowClass";
inline constexpr const wchar_t* kForeignConsoleTitle = L"Prompt de Comando";
// Answered with the number of WM_CHAR and WM_KEYDOWN messages the window has received.
inline constexpr UINT kCountMessage = WM_APP + 1;
