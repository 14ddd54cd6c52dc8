#include "console/answer_parser.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace console {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Checks the shape of one number before the library reads it, so that forms
// such as "inf", "nan" or hexadecimal never get through.
bool IsNumber(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

}  // namespace

std::optional<std::vector<float>> ParseAnswer(std::string_view answer, size_t targets) {
  if (Trim(answer).empty()) return std::vector<float>(targets, 0.0f);
  std::vector<float> values;
  for (;;) {
    const size_t comma = answer.find(',');
    const std::string_view piece = Trim(answer.substr(0, comma));
    if (!IsNumber(piece)) return std::nullopt;
    const std::string copy(piece);
    // strtof rounds the decimal straight to the nearest single-precision
    // value; beyond the range it gives infinity.
    const float value = std::strtof(copy.c_str(), nullptr);
    if (std::isinf(value)) return std::nullopt;
    values.push_back(value);
    if (comma == std::string_view::npos) break;
    answer.remove_prefix(comma + 1);
  }
  if (values.size() != targets) return std::nullopt;
  return values;
}

}  // namespace console
