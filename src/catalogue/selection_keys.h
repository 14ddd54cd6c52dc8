// The keys that draw on a catalogue entry, written in the headless runner's
// script notation; for the tests and the benchmark.
#pragma once

#include <string>

// From the main menu to entry `entry` taken: "1" opens the grid of three
// names a row, the arrows walk to the entry, Return takes it.
inline std::string SelectionKeys(int entry) {
  std::string keys = "1";
  for (int i = 0; i < (entry - 1) / 3; ++i) keys += "<Down>";
  for (int i = 0; i < (entry - 1) % 3; ++i) keys += "<Right>";
  return keys + "<Return>";
}
