#include "console/key_script.h"

#include <cctype>

#include "console/console.h"

namespace console {
namespace {

struct NamedKey {
  std::string_view name;
  int key;
};

constexpr NamedKey kNamedKeys[] = {
    {"Return", kKeyReturn}, {"Up", kKeyUp}, {"Down", kKeyDown},
    {"Left", kKeyLeft},     {"Right", kKeyRight}, {"Backspace", kKeyBackspace},
    {"F1", FunctionKeyCode(1)}, {"F2", FunctionKeyCode(2)}, {"F3", FunctionKeyCode(3)},
};

std::optional<int64_t> ParseCount(std::string_view digits) {
  if (digits.empty() || digits.size() > 15) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<std::vector<ScriptItem>> ParseKeyScript(std::string_view script, std::string* error) {
  std::vector<ScriptItem> items;
  for (size_t i = 0; i < script.size();) {
    const auto byte = static_cast<unsigned char>(script[i]);
    if (byte != '<') {
      if (byte < 32 || byte > 126) {
        if (error) *error = "only printable ASCII characters can be typed";
        return std::nullopt;
      }
      items.push_back({byte, 0});
      ++i;
      continue;
    }
    const size_t close = script.find('>', i);
    if (close == std::string_view::npos) {
      // A lone '<' with no name after it is the character itself.
      items.push_back({'<', 0});
      ++i;
      continue;
    }
    const std::string_view name = script.substr(i + 1, close - i - 1);
    bool known = false;
    for (const NamedKey& named : kNamedKeys) {
      if (name == named.name) {
        items.push_back({named.key, 0});
        known = true;
      }
    }
    if (!known && name.substr(0, 7) == "points ") {
      const auto count = ParseCount(name.substr(7));
      if (!count) {
        if (error) *error = "bad point count in <" + std::string(name) + ">";
        return std::nullopt;
      }
      items.push_back({0, *count});
      known = true;
    }
    if (!known) {
      if (error) *error = "unknown key <" + std::string(name) + ">";
      return std::nullopt;
    }
    i = close + 1;
  }
  return items;
}

}  // namespace console
