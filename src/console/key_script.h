// The key scripts of the headless console: plain characters typed as they
// are, and <Return>, <Up>, <Down>, <Left>, <Right>, <Backspace>, <F1>, <F2>,
// <F3> and <points N> (hold the following keys until N more points).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace console {

struct ScriptItem {
  int key = 0;              // a key code, or 0 for a hold
  int64_t holdPoints = 0;   // with key 0: points to wait for
};

// The items of `script`, or nothing with `error` set when it does not parse.
std::optional<std::vector<ScriptItem>> ParseKeyScript(std::string_view script, std::string* error);

}  // namespace console
