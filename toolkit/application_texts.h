#pragma once
// The texts the application object derives: its default title and the text of its error box.
#include <string>
#include <string_view>

// From the executable's path: the file name without its directory, cut at its first ".", every letter
// after the first in lower case. "C:\\x\\MyTool.Setup.exe" gives "Mytool".
std::wstring DefaultApplicationTitle(std::wstring_view ExePath);

// An error's text as the error box shows it: with "." appended when the last character's code is above
// that of "." (U+002E).
std::wstring ErrorBoxText(std::wstring_view Message);
