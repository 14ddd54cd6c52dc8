// The headless back end: the same screen model, driven by a script of keys
// and counted points instead of a keyboard and a clock, so that a run is
// fully deterministic. Used by the tests and by ifsdraw-headless.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "console/console.h"
#include "console/key_script.h"

namespace console {

class HeadlessConsole : public Console {
 public:
  // Once the script's last key has been taken the run goes on for
  // `finalPoints` more points; it also ends (RunEnded) as soon as the program
  // waits for a key that the script does not give.
  HeadlessConsole(std::vector<ScriptItem> script, int64_t finalPoints);

 protected:
  int NextKey() override;
  int Service() override;
  void PlotBudgetSpent() override;

 private:
  void Advance();
  void ReleaseHold();

  std::deque<ScriptItem> script_;
  int64_t finalPoints_;
  bool holding_ = false;
  bool finalCounting_ = false;
  bool ended_ = false;
};

}  // namespace console
