// Fuzzes the reading of typed answers. Input: one byte choosing the number
// of targets (0 to 3), then the answer's bytes. Besides not crashing, an
// answer must be accepted exactly when a regular expression (an independent
// statement of the number shape) and a long-double reading agree that it
// holds one number per target, each within single precision; accepted values
// are finite and the nearest single-precision numbers.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "console/answer_parser.h"

namespace {

// Pieces longer than this are left to the crash check alone: the regular
// expression engine recurses once per character.
constexpr size_t kLongestChecked = 300;

// Halfway between the largest single-precision number and 2^128: a decimal
// at or beyond it rounds to infinity.
const long double kOverflow = std::ldexp(1.0L, 128) - std::ldexp(1.0L, 103);

[[noreturn]] void Fail(const char* what, std::string_view answer, size_t targets) {
  std::fprintf(stderr, "%s: targets %zu, answer \"%.*s\"\n", what, targets, static_cast<int>(answer.size()),
               answer.data());
  std::abort();
}

bool AllSpaces(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// What the answer should give, or nothing for a refusal; `unsure` is set
// when a piece is too long to judge or lies too close to the overflow
// boundary for a long double to tell.
std::optional<std::vector<long double>> Expected(std::string_view answer, size_t targets, bool& unsure) {
  static const std::regex kNumber(" *[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)? *");
  if (AllSpaces(answer)) return std::vector<long double>(targets, 0.0L);
  std::vector<long double> values;
  size_t start = 0;
  bool malformed = false, tooLarge = false;
  for (;;) {
    const size_t comma = answer.find(',', start);
    const std::string piece(answer.substr(start, comma == std::string_view::npos ? answer.npos : comma - start));
    if (piece.size() > kLongestChecked) {
      unsure = true;
    } else if (!std::regex_match(piece, kNumber)) {
      malformed = true;
    } else {
      const long double value = std::strtold(piece.c_str(), nullptr);
      if (std::fabs(std::fabs(value) - kOverflow) <= kOverflow * 0x1p-58L) unsure = true;
      if (std::fabs(value) >= kOverflow) tooLarge = true;
      values.push_back(value);
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  // A wrong count or a malformed piece is a refusal even when another piece
  // could not be judged.
  const size_t pieces = static_cast<size_t>(std::count(answer.begin(), answer.end(), ',')) + 1;
  if (pieces != targets || malformed) {
    unsure = false;
    return std::nullopt;
  }
  if (tooLarge) return std::nullopt;
  return values;
}

// The gap between `value` and the next single-precision number away from 0.
float Gap(float value) {
  const float magnitude = std::fabs(value);
  if (magnitude == std::numeric_limits<float>::max()) return magnitude - std::nextafter(magnitude, 0.0f);
  return std::nextafter(magnitude, INFINITY) - magnitude;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t targets = data[0] % 4;
  const std::string_view answer(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto values = console::ParseAnswer(answer, targets);
  if (values) {
    if (values->size() != targets) Fail("wrong number of values", answer, targets);
    for (float value : *values)
      if (!std::isfinite(value)) Fail("a value that is not finite", answer, targets);
  }

  bool unsure = false;
  const auto expected = Expected(answer, targets, unsure);
  if (unsure) return 0;
  if (values.has_value() != expected.has_value()) Fail(values ? "accepted wrongly" : "refused wrongly", answer, targets);
  if (!values) return 0;
  for (size_t i = 0; i < targets; ++i) {
    // The long double is rounded once more to single precision, so the two
    // may differ by one step, never more.
    const auto nearest = static_cast<float>((*expected)[i]);
    const float got = (*values)[i];
    if (std::fabs(got - nearest) > Gap(nearest)) Fail("not the nearest single-precision value", answer, targets);
  }
  return 0;
}
