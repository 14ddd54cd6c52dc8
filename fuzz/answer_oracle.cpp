#include "answer_oracle.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

// Pieces longer than this are left to the crash check alone: the regular
// expression engine recurses once per character.
constexpr size_t kLongestChecked = 300;

// Halfway between the largest single-precision number and 2^128: a decimal
// at or beyond it rounds to infinity.
const long double kOverflow = std::ldexp(1.0L, 128) - std::ldexp(1.0L, 103);

bool AllSpaces(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

std::optional<std::vector<long double>> ExpectedAnswer(std::string_view answer, size_t targets, bool& unsure) {
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

