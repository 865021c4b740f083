#pragma once
// Faults the console can be asked to show, so that tests can drive every branch of the program that
// talks to it. Each is chosen through an environment variable the console inherits; README.md lists them.

#include <optional>
#include <vector>

struct TFaultSwitches {
    bool noClass = false;                // CORVALIN_PS_NO_CLASS: found only by its title
    unsigned runDelayMs = 0;             // CORVALIN_PS_RUN_DELAY_MS: pause before a typed line runs
    bool ignoreEnter = false;            // CORVALIN_PS_IGNORE_ENTER: Enter does nothing
    unsigned holdFileMs = 0;             // CORVALIN_PS_HOLD_FILE_MS: the written file stays open this long
    bool noWindow = false;               // CORVALIN_PS_NO_WINDOW: a process without any window
    unsigned noWindowLifetimeMs = 60000; // CORVALIN_PS_NO_WINDOW_MS: how long such a process stays
    // CORVALIN_PS_OUTPUT: what the redirection writes instead of the pipeline's output, as when the
    // encryption fails: "empty" (no byte), "bom" (the byte-order mark alone), "blank" (blanks and line
    // breaks) or "line:TEXT" (TEXT as its one line).
    std::optional<std::vector<unsigned char>> output;
};

// Reads the switches from the environment. A flag is on for any value but "" and "0"; a duration is a
// number of milliseconds, and any other value leaves it as it is.
TFaultSwitches ReadFaultSwitches();
