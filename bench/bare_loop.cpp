#include "bench/bare_loop.h"

#include <array>

#include "console/rng.h"

namespace {

// The viewport the drawing set-up stores.
constexpr float kOriginX = 395.0f;
constexpr float kOriginY = 225.0f;
constexpr float kScale = 100.0f;

struct Map {
  float a, b, p, c, d, q;
  uint8_t colour;
};

}  // namespace

void BareLoop(const CatalogueEntry& entry, int64_t points, uint8_t* plane) {
  const int count = static_cast<int>(entry.record[0]);
  std::array<Map, 6> maps{};
  for (int i = 1; i <= count; ++i) {
    const float* m = &entry.record[static_cast<size_t>(1 + 6 * (i - 1))];
    maps[static_cast<size_t>(i)] = Map{m[0], m[1], m[2], m[3], m[4], m[5], static_cast<uint8_t>((7 - i) * 2)};
  }

  console::Rng rng;
  rng.Seed(1000);
  // R = (digit mod K) + 1 for each of the ten digits, worked out once: a
  // division in every pass would be the slowest instruction of the loop.
  std::array<size_t, 10> mapOfDigit{};
  for (int digit = 0; digit < 10; ++digit) mapOfDigit[static_cast<size_t>(digit)] = static_cast<size_t>(digit % count + 1);
  const auto choose = [&] { return mapOfDigit[static_cast<size_t>(static_cast<int>(rng.NextUnit() * 10.0f))]; };

  float x = 0.0f, y = 0.0f;
  size_t r = choose();
  for (int64_t n = 0; n < points; ++n) {
    const Map& m = maps[r];
    const float xd = (m.a * x + m.b * y) + m.p;
    const float yd = (m.c * x + m.d * y) + m.q;
    const float px = kOriginX + xd * kScale;
    const float py = kOriginY - yd * kScale;
    if (px >= 0.0f && px < static_cast<float>(console::kPlaneWidth) && py >= 0.0f &&
        py < static_cast<float>(console::kPlaneHeight))
      plane[static_cast<size_t>(static_cast<int>(py) * console::kPlaneWidth + static_cast<int>(px))] = m.colour;
    x = xd;
    y = yd;
    r = choose();
  }
}
