// The headless back end: the same screen model, driven by a script of keys
// and counted points instead of a keyboard and a clock, so that a run is
// fully deterministic. Used by the tests and by ifsdraw-headless.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "console/console.h"
#include "console/key_script.h"

namespace console {

class HeadlessConsole : public Console {
 public:
  // Gives more script items when the script has run dry and no hold is
  // running, so that a caller can choose each key after seeing what the
  // previous one did. `waitingForKey` is true when the program waits for a
  // key, false when it is drawing at the end of a hold. No items: the run
  // ends as it would without a refill.
  using Refill = std::function<std::vector<ScriptItem>(bool waitingForKey)>;

  // Once the script's last key has been taken the run goes on for
  // `finalPoints` more points; it also ends (RunEnded) as soon as the program
  // waits for a key that the script does not give.
  HeadlessConsole(std::vector<ScriptItem> script, int64_t finalPoints, Refill refill = {});

 protected:
  int NextKey() override;
  int Service() override;
  void PlotBudgetSpent() override;

 private:
  void Advance(bool waitingForKey = false);
  void ReleaseHold(bool waitingForKey);
  bool TopUp(bool waitingForKey);

  std::deque<ScriptItem> script_;
  int64_t finalPoints_;
  Refill refill_;
  bool holding_ = false;
  bool finalCounting_ = false;
  bool keyWaiting_ = false;  // an ordinary key is next and the program draws
  bool ended_ = false;
};

}  // namespace console
