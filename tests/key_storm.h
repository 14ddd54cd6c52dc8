// A key storm: a seeded generator presses keys on the real program, one
// step at a time on the headless console, and checks the program's
// invariants before every step. Each step is a key (or none) followed by a
// short hold, so the recorded steps, run as one script, repeat the storm.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Where the program is when a step is chosen.
enum class Where { kMainMenu, kSelection, kCountPrompt, kEntryForm, kStartPoint, kOverflow, kDrawing, kOther };
constexpr int kWhereCount = 8;
const char* WhereName(Where where);

struct StormResult {
  std::string failure;   // empty when every check passed
  std::string script;    // every step so far, in the key-script notation
  int64_t keys = 0;      // keys pressed (holds not counted)
  int64_t points = 0;    // points plotted
  std::array<int64_t, kWhereCount> visits{};  // steps chosen in each place
  int64_t heapGrowth = 0;    // bytes in use at the end less at the first quarter
  int64_t deepestStack = 0;  // bytes of stack below the storm at its deepest
};

// The command that repeats a storm's script, ready to paste into a shell.
std::string RepeatCommand(const std::string& script);

// Presses at least `keys` keys from `seed` and stops at the first broken
// invariant. A sanitizer error aborts the process after printing the seed
// and the script so far.
StormResult RunStorm(uint64_t seed, int64_t keys);
