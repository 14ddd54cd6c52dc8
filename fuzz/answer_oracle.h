// An independent statement of which answers the answer parser takes: a
// regular expression for the number shape and a long-double reading for the
// range. Built without coverage instrumentation, so that the fuzzer steers
// by the parser's branches and not by those of the regular expression engine.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

// What the answer should give, or nothing for a refusal; `unsure` is set
// when a piece is too long to judge or lies too close to the overflow
// boundary for a long double to tell.
std::optional<std::vector<long double>> ExpectedAnswer(std::string_view answer, size_t targets, bool& unsure);
