// How PrintItems writes a number: its sign ("-" or a space), its digits,
// then one space. Up to 7 significant digits for single precision and 16 for
// double; no trailing zeros, no 0 before the point; an exponent once the
// fixed form would need more digits than that.
#pragma once

#include <string>

namespace console {

std::string FormatSingle(float value);
std::string FormatDouble(double value);

}  // namespace console
