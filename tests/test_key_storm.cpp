// Random keys in every state of the program, with the invariants checked
// before every key. The storm is split by seed so that the chunks run in
// parallel; IFSDRAW_STORM_SCALE=N makes every chunk N times longer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "key_storm.h"

namespace {

constexpr int kSeeds = 20;
constexpr int64_t kKeysPerSeed = 10000;  // 200 000 keys in all

int64_t Scale() {
  const char* scale = std::getenv("IFSDRAW_STORM_SCALE");
  const long long value = scale ? std::atoll(scale) : 1;
  return value > 0 ? value : 1;
}

class KeyStorm : public testing::TestWithParam<int> {};

TEST_P(KeyStorm, KeepsEveryInvariantAndVisitsEveryState) {
  const auto seed = static_cast<uint64_t>(GetParam());
  const int64_t keys = kKeysPerSeed * Scale();
  const StormResult result = RunStorm(seed, keys);

  std::string visits;
  for (int where = 0; where < kWhereCount; ++where)
    visits += std::string(WhereName(static_cast<Where>(where))) + " " + std::to_string(result.visits[where]) + ", ";
  std::printf("seed %llu: %lld keys, %lld points; %sheap growth %lld bytes, deepest stack %lld bytes\n",
              static_cast<unsigned long long>(seed), static_cast<long long>(result.keys),
              static_cast<long long>(result.points), visits.c_str(), static_cast<long long>(result.heapGrowth),
              static_cast<long long>(result.deepestStack));

  if (!result.failure.empty())
    FAIL() << "key storm seed " << seed << ": " << result.failure << ", after " << result.keys
           << " keys.\nTo repeat it: " << RepeatCommand(result.script);
  EXPECT_GE(result.keys, keys);
  for (int where = 0; where < kWhereCount - 1; ++where)
    EXPECT_GT(result.visits[where], 0) << WhereName(static_cast<Where>(where)) << ", seed " << seed;
  // Lasting growth would show as memory in use that rises with the keys;
  // what a step allocates for itself is freed before the next.
  EXPECT_LE(result.heapGrowth, 64 * 1024) << "seed " << seed;
  // A state reached by calling instead of returning would deepen the stack.
  EXPECT_LE(result.deepestStack, 256 * 1024) << "seed " << seed;
}

INSTANTIATE_TEST_SUITE_P(Seeds, KeyStorm, testing::Range(1, kSeeds + 1),
                         [](const testing::TestParamInfo<int>& param) { return "Seed" + std::to_string(param.param); });

}  // namespace
