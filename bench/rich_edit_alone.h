#pragma once
// The rich-text editor alone: a window of the bench with one native rich-text editor made as Corvalin
// makes its result editor (the same class, styles, no word wrap, no length limit, Tahoma 8 pt), shown,
// that gets the same lines the same way (each put in at the end), and is drawn. The time it takes is what
// the system's editor needs for those lines, whatever program shows them.
#include <string>
#include <vector>

// Milliseconds from the first line put in until the editor has drawn them all.
double MeasureRichEditAlone(const std::vector<std::wstring>& lines);
