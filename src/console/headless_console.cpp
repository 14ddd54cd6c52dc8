#include "console/headless_console.h"

#include <climits>

namespace console {

HeadlessConsole::HeadlessConsole(std::vector<ScriptItem> script, int64_t finalPoints)
    : script_(script.begin(), script.end()), finalPoints_(finalPoints) {
  Advance();
}

// Brings the head of the script into effect: a hold starts counting points,
// a function key is pressed (one at a time: the next waits until the pending
// one has been delivered), and an empty script starts the final count.
void HeadlessConsole::Advance() {
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
    return;  // an ordinary key waits to be asked for
  }
  if (!holding_ && script_.empty() && !finalCounting_) {
    finalCounting_ = true;
    if (finalPoints_ > 0) {
      SetPlotBudget(finalPoints_);
    } else {
      ended_ = true;
      ServiceSoon();
    }
  }
}

void HeadlessConsole::ReleaseHold() {
  holding_ = false;
  SetPlotBudget(INT64_MAX);
  Advance();
}

int HeadlessConsole::NextKey() {
  while (holding_) ReleaseHold();  // the program waits for a key: holds end
  // A function key pressed earlier in the script goes first.
  if (FunctionKeyPending()) return kNoKey;
  if (!script_.empty() && script_.front().key != 0 && !IsFunctionKey(script_.front().key)) {
    const int key = script_.front().key;
    script_.pop_front();
    Advance();
    return key;
  }
  if (!script_.empty()) return kNoKey;
  throw RunEnded{};
}

int HeadlessConsole::Service() {
  Advance();
  if (ended_) throw RunEnded{};
  return INT_MAX;
}

void HeadlessConsole::PlotBudgetSpent() {
  if (holding_) {
    ReleaseHold();
  } else {
    ended_ = true;
    throw RunEnded{};
  }
}

}  // namespace console
