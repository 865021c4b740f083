#pragma once
// The program's process lookup, done the same way in the bench so that its cost on this machine can be
// set beside the program's timings: a snapshot of everything (TH32CS_SNAPALL, as the program asks for)
// walked up to the first powershell.exe.

// Milliseconds the lookup took.
double TimeProcessLookup();
