// Runs the program on the headless console: from a fresh start (globals
// zeroed, as at program start) until the script's keys are used up and the
// final points are plotted, or the program waits for a key it lacks.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "console/headless_console.h"

// Throws std::invalid_argument when the key script does not parse.
std::unique_ptr<console::HeadlessConsole> RunHeadless(std::string_view keys, int64_t finalPoints);

// The same on a console the caller made, e.g. one with a refill.
std::unique_ptr<console::HeadlessConsole> RunHeadless(std::unique_ptr<console::HeadlessConsole> headless);
