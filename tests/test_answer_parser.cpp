#include <gtest/gtest.h>

#include "console/answer_parser.h"

namespace {

struct Accepted {
  const char* answer;
  size_t targets;
  std::vector<float> values;
};

TEST(AnswerParser, AcceptsOneNumberPerTarget) {
  const Accepted cases[] = {
      {"0,0", 2, {0, 0}},           {"1.5", 1, {1.5f}},          {" -2 , 3e2 ", 2, {-2, 300}},
      {"", 2, {0, 0}},              {"   ", 1, {0}},             {".5", 1, {0.5f}},
      {"5.", 1, {5}},               {"+7", 1, {7}},              {"1E-45", 1, {1e-45f}},
      {"-0", 1, {-0.0f}},           {"0.2887", 1, {0.2887f}},    {"1e-50", 1, {0}},
      {"3.4028234e38", 1, {3.4028234e38f}},
  };
  for (const auto& c : cases) {
    const auto values = console::ParseAnswer(c.answer, c.targets);
    ASSERT_TRUE(values.has_value()) << c.answer;
    EXPECT_EQ(*values, c.values) << c.answer;
  }
}

TEST(AnswerParser, RefusesWhatIsNotExactlyOneNumberPerTarget) {
  const std::pair<const char*, size_t> cases[] = {
      {"abc", 1}, {"1,2", 1},  {"1", 2},    {"1,2,3", 2}, {",", 1},    {"1,", 1},   {".", 1},
      {"e5", 1},  {"1e", 1},   {"1e+", 1},  {"--1", 1},   {"1 2", 1},  {"inf", 1},  {"nan", 1},
      {"0x10", 1}, {"1e39", 1}, {"-1e39", 1}, {"1d5", 1}, {"1,,2", 2},  {"１", 1},
  };
  for (const auto& [answer, targets] : cases) EXPECT_FALSE(console::ParseAnswer(answer, targets)) << answer;
}

}  // namespace
