// Fuzzes the reading of typed answers. Input: one byte choosing the number
// of targets (0 to 3), then the answer's bytes. Besides not crashing, an
// answer must be accepted exactly when a regular expression (an independent
// statement of the number shape) and a long-double reading agree that it
// holds one number per target, each within single precision; accepted values
// are finite and the nearest single-precision numbers.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "answer_oracle.h"
#include "console/answer_parser.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view answer, size_t targets) {
  std::fprintf(stderr, "%s: targets %zu, answer \"%.*s\"\n", what, targets, static_cast<int>(answer.size()),
               answer.data());
  std::abort();
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
  const auto expected = ExpectedAnswer(answer, targets, unsure);
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
