// Single-precision arithmetic with the overflow test that follows every
// operation and every store of a computed value.
#pragma once

#include <cmath>

// The arithmetic error of an overflow (or of a division by zero).
struct ArithmeticError {};

// Returns `value` if it is still a finite single-precision number, else
// raises the arithmetic error.
inline float Checked(float value) {
  if (!std::isfinite(value)) [[unlikely]]
    throw ArithmeticError{};
  return value;
}

inline float Mul(float a, float b) { return Checked(a * b); }
