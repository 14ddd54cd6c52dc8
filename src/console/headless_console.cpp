#include "console/headless_console.h"

#include <climits>

namespace console {

HeadlessConsole::HeadlessConsole(std::vector<ScriptItem> script, int64_t finalPoints, Refill refill)
    : script_(script.begin(), script.end()), finalPoints_(finalPoints), refill_(std::move(refill)) {
  Advance();
}

// Brings the head of the script into effect: a hold starts counting points,
// a function key is pressed (one at a time: the next waits until the pending
// one has been delivered), and a dry script asks the refill for more or
// starts the final count.
void HeadlessConsole::Advance(bool waitingForKey) {
  for (;;) {
    while (!holding_ && !script_.empty()) {
      const ScriptItem head = script_.front();
      if (head.key == 0) {
        script_.pop_front();
        if (head.holdPoints > 0) {
          holding_ = true;
          SetPlotBudget(head.holdPoints);
        }
        continue;
      }
      if (IsFunctionKey(head.key)) {
        if (FunctionKeyPending()) return;
        script_.pop_front();
        PressFunctionKey(head.key - kKeyF1 + 1);
        continue;
      }
      // An ordinary key waits to be asked for. A program that draws instead
      // gets the final points, as if the script had ended, so that a key
      // typed while drawing cannot keep the run going for ever.
      if (!keyWaiting_) {
        keyWaiting_ = true;
        SetPlotBudget(finalPoints_ > 0 ? finalPoints_ : 1);
      }
      return;
    }
    if (holding_ || finalCounting_) return;
    if (!TopUp(waitingForKey)) break;
  }
  finalCounting_ = true;
  if (finalPoints_ > 0) {
    SetPlotBudget(finalPoints_);
  } else {
    ended_ = true;
    ServiceSoon();
  }
}

bool HeadlessConsole::TopUp(bool waitingForKey) {
  if (!refill_) return false;
  const std::vector<ScriptItem> more = refill_(waitingForKey);
  script_.insert(script_.end(), more.begin(), more.end());
  return !more.empty();
}

void HeadlessConsole::ReleaseHold(bool waitingForKey) {
  holding_ = false;
  SetPlotBudget(INT64_MAX);
  Advance(waitingForKey);
}

int HeadlessConsole::NextKey() {
  // A function key pressed earlier in the script goes first; a hold after
  // it counts the points drawn once it has acted.
  if (FunctionKeyPending()) return kNoKey;
  // The program waits for a key: holds end.
  while (holding_ && !FunctionKeyPending()) ReleaseHold(true);
  Advance(true);  // a function key that waited its turn is pressed now
  if (FunctionKeyPending()) return kNoKey;
  if (!script_.empty() && script_.front().key != 0 && !IsFunctionKey(script_.front().key)) {
    const int key = script_.front().key;
    script_.pop_front();
    keyWaiting_ = false;
    SetPlotBudget(INT64_MAX);
    Advance();
    return key;
  }
  if (!script_.empty()) return kNoKey;
  throw RunEnded{};
}

int HeadlessConsole::Service() {
  Advance();
  // A function key pressed last still acts, to its end, before the run ends.
  if (ended_) {
    if (!FunctionKeyPending() && !RunningCommand()) throw RunEnded{};
    return 0;
  }
  // A function key waiting for the pending one is pressed as soon as that
  // one has been delivered, not after the long default interval.
  const bool keyWaits = !script_.empty() && IsFunctionKey(script_.front().key);
  return keyWaits ? 1 : INT_MAX;
}

void HeadlessConsole::PlotBudgetSpent() {
  if (holding_) ReleaseHold(false);
  else ended_ = true;
  if (ended_ && !FunctionKeyPending()) throw RunEnded{};
}

}  // namespace console
