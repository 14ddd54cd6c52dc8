#include "console/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace console {
namespace {

// `significant` digits of |value|, rounded, as in "%.*e".
std::string Format(double value, int significant) {
  std::string out = value < 0 ? "-" : " ";
  const double magnitude = std::fabs(value);
  if (magnitude == 0) return out + "0 ";
  if (!std::isfinite(magnitude)) return out + (std::isnan(magnitude) ? "NaN " : "Inf ");

  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, magnitude);
  // buffer: d.dddddde+XX
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  const int exponent = std::atoi(p + 1);  // value = d.ddd * 10^exponent
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int count = static_cast<int>(digits.size());

  // Digits the fixed form needs: the integer part, or the zeros after the
  // point followed by the digits.
  const int fixedDigits = exponent >= 0 ? std::max(count, exponent + 1) : -exponent - 1 + count;
  if (fixedDigits <= significant) {
    if (exponent >= 0) {
      const auto integerDigits = static_cast<size_t>(exponent + 1);
      if (digits.size() <= integerDigits) {
        out += digits + std::string(integerDigits - digits.size(), '0');
      } else {
        out.append(digits, 0, integerDigits).append(1, '.').append(digits, integerDigits);
      }
    } else {
      out.append(1, '.').append(static_cast<size_t>(-exponent - 1), '0').append(digits);
    }
  } else {
    out += digits.substr(0, 1);
    if (count > 1) out.append(1, '.').append(digits, 1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    out += tail;
  }
  return out + " ";
}

}  // namespace

std::string FormatSingle(float value) { return Format(value, 7); }
std::string FormatDouble(double value) { return Format(value, 16); }

}  // namespace console
