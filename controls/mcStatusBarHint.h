#pragma once
// The status-bar step of the labelled editors: a focused field's hint stands in the last panel of the
// main window's status bar, when the main window owns a component named "StatusBar" that is one.
#include <string>

void ShowInStatusBar(const std::wstring& Text);
