// Fuzzes the number format. The first four bytes are a single-precision
// value, the next eight a double-precision one (missing bytes are zero);
// values that are not finite are skipped. A formatted value must read back,
// through the answer parser for single precision, to within what its shown
// digits can carry: 7 significant digits are within 5e-7 of the value
// relative to it, and the nearest representable number to those digits can
// add at most half a step. Doubles are read back in long double. The
// shape is checked too: the sign or a space, at most 7 (16) digits, no
// trailing zeros after the point, one space at the end, and a width no
// larger than the longest exponent form.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "console/answer_parser.h"
#include "console/number_format.h"

namespace {

template <class T>
[[noreturn]] void Fail(const char* what, T value, const std::string& text) {
  std::fprintf(stderr, "%s: %a formatted as \"%s\"\n", what, static_cast<double>(value), text.c_str());
  std::abort();
}

// The gap between `value` and the next representable number away from 0.
template <class T>
T Gap(T value) {
  const T magnitude = std::fabs(value);
  if (magnitude == std::numeric_limits<T>::max()) return magnitude - std::nextafter(magnitude, T(0));
  return std::nextafter(magnitude, std::numeric_limits<T>::infinity()) - magnitude;
}

// Checks the characters of `text`.
template <class T>
void CheckShape(T value, const std::string& text, int significant, size_t widest) {
  if (text.size() < 3 || text.size() > widest) Fail("width", value, text);
  if (text.front() != (value < 0 ? '-' : ' ')) Fail("sign", value, text);
  if (text.back() != ' ' || text.find(' ', 1) != text.size() - 1) Fail("spaces", value, text);
  const size_t exponent = text.find('E');
  const std::string mantissa = text.substr(1, (exponent == std::string::npos ? text.size() - 1 : exponent) - 1);
  if (mantissa.empty() || mantissa.find_first_not_of("0123456789.") != std::string::npos) Fail("digits", value, text);
  if (mantissa.size() > 1 && mantissa[0] == '0') Fail("a 0 before the point", value, text);
  if (mantissa.find('.') != std::string::npos && (mantissa.back() == '0' || mantissa.back() == '.'))
    Fail("trailing zeros", value, text);
  int digits = 0;
  bool leading = true;
  for (char c : mantissa) {
    if (c == '.') continue;
    if (c != '0') leading = false;
    if (!leading) ++digits;
  }
  if (digits > significant) Fail("too many digits", value, text);
  if (exponent != std::string::npos) {
    const std::string tail = text.substr(exponent, text.size() - 1 - exponent);
    if (tail.size() < 4 || (tail[1] != '+' && tail[1] != '-') || tail.find_first_not_of("0123456789", 2) != std::string::npos)
      Fail("exponent", value, text);
  }
}

void CheckSingle(float value) {
  const std::string text = console::FormatSingle(value);
  CheckShape(value, text, 7, 14);  // "-1.234567E+38 "
  const auto read = console::ParseAnswer(text, 1);
  if (!read) Fail("refused by the answer parser", value, text);
  const float back = (*read)[0];
  const double error = std::fabs(static_cast<double>(back) - static_cast<double>(value));
  const double allowed = 5e-7 * std::fabs(static_cast<double>(value)) +
                         0.5 * static_cast<double>(Gap(std::fmax(std::fabs(value), std::fabs(back))));
  if (error > allowed) Fail("does not read back within 7 digits", value, text);
}

void CheckDouble(double value) {
  const std::string text = console::FormatDouble(value);
  CheckShape(value, text, 16, 24);  // "-1.234567890123456E+308 "
  // Read in long double: the digits of the largest doubles lie beyond the
  // double range, yet they are within half a unit of their last digit.
  char* end = nullptr;
  const long double back = std::strtold(text.c_str(), &end);
  if (end != text.c_str() + text.size() - 1) Fail("not read to the end", value, text);
  const long double exact = value;
  const long double error = std::fabs(back - exact);
  const long double allowed = 5e-16L * std::fabs(exact) + 2 * Gap(std::fabs(back));
  if (!(error <= allowed)) Fail("does not read back within 16 digits", value, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t bytes[12] = {};
  std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
  float single;
  double twice;
  std::memcpy(&single, bytes, sizeof single);
  std::memcpy(&twice, bytes + 4, sizeof twice);
  if (std::isfinite(single)) CheckSingle(single);
  if (std::isfinite(twice)) CheckDouble(twice);
  return 0;
}
