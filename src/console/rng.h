// PCG32 (O'Neill's permuted congruential generator): small, fast and well
// tested. Random numbers are its top 24 bits scaled into [0, 1), so every
// value is exact in single precision and 1 is never reached.
#pragma once

#include <cstdint>

namespace console {

class Rng {
 public:
  void Seed(uint64_t seed) {
    state_ = 0;
    Next();
    state_ += seed;
    Next();
  }

  uint32_t Next() {
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + kIncrement;
    const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
  }

  float NextUnit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

 private:
  static constexpr uint64_t kIncrement = 1442695040888963407ULL;
  uint64_t state_ = 0x853c49e6748fea9bULL;
};

}  // namespace console
