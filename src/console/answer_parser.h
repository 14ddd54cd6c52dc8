// Reading a typed answer of InputValues: exactly one number per target,
// separated by commas; each number an optional sign, digits with an optional
// point and fraction, and an optional exponent, with spaces allowed around
// it. An empty answer gives 0 to every target.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace console {

// The values as the nearest single-precision numbers, or nothing when the
// answer is refused (unreadable, wrong count, or beyond single precision).
std::optional<std::vector<float>> ParseAnswer(std::string_view answer, size_t targets);

}  // namespace console
