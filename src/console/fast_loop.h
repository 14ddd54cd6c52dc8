// CheckEvents, PlotPoint and Random for a loop that calls them millions of
// times a second. Their state (the event and plot counters and the
// generator) is copied into the loop object, which the compiler keeps in
// registers when the whole loop is inlined into one function, instead of
// being read and written through the console at every call.
//
// Whenever control may leave the loop's own code - an event to serve, a
// plot budget spent - the state goes back to the console first, and the
// loop's SaveVariables() stores its own variables where the rest of the
// program reads them; if control comes back, both are taken again
// (LoadVariables()). A loop that throws on its own calls Leave() first. So
// nothing outside the loop ever sees a stale value.
//
// Loop is the class that derives from FastLoop<Loop> and provides
// SaveVariables() and LoadVariables().
#pragma once

#include <cstdint>

#include "console/console.h"

namespace console {

template <class Loop>
class FastLoop {
 public:
  explicit FastLoop(Console& console) : console_(console), plane_(console.screen_.plane.data()) { Take(); }

  // The console counts CheckEvents calls down to its next service. Here a
  // call compares with the count at the last Settle() instead of changing
  // it, so that consecutive calls do not wait on each other; the compiler
  // folds `checks_` into a constant at every call.
  [[gnu::always_inline]] void CheckEvents() {
    CheckEvents([] {});
  }

  // The same, for a loop that has work to finish before anything else may
  // look at its variables: `finish` runs first when an event is served.
  template <class Finish>
  [[gnu::always_inline]] void CheckEvents(Finish&& finish) {
    ++checks_;
    if (budget_ < checks_) [[unlikely]] {
      finish();
      ServiceEvents();
    }
  }

  // Takes the calls made since the last Settle() off the count. A loop calls
  // it once a round, at the same place, so that `checks_` stays a constant.
  [[gnu::always_inline]] void Settle() {
    budget_ -= checks_;
    checks_ = 0;
  }

  // As Console::PlotPoint.
  [[gnu::always_inline]] void PlotPoint(float x, float y, int colour) {
    SetPlanePixel(plane_, x, y, colour);
    if (--plotBudget_ <= 0) [[unlikely]] PlotBudgetSpent();
  }

  [[gnu::always_inline]] float Random() { return rng_.NextUnit(); }

  // Hands everything back; the loop calls it before it throws.
  [[gnu::always_inline]] void Leave() {
    static_cast<Loop*>(this)->SaveVariables();
    Give();
  }

 private:
  [[gnu::always_inline]] void Take() {
    budget_ = static_cast<int64_t>(console_.checkBudget_) + checks_;
    plotBudget_ = console_.plotBudget_;
    rng_ = console_.rng_;
  }
  [[gnu::always_inline]] void Give() {
    console_.checkBudget_ = static_cast<int>(budget_ - checks_);
    console_.plotBudget_ = plotBudget_;
    console_.rng_ = rng_;
  }
  [[gnu::always_inline]] void Reenter() {
    Take();
    static_cast<Loop*>(this)->LoadVariables();
  }

  [[gnu::always_inline]] void ServiceEvents() {
    Leave();
    console_.ServiceEvents();
    Reenter();
  }
  [[gnu::always_inline]] void PlotBudgetSpent() {
    Leave();
    console_.PlotBudgetSpent();
    Reenter();
  }

  Console& console_;
  uint8_t* plane_;
  int64_t budget_;   // the console's count plus the calls since Settle()
  int checks_ = 0;   // CheckEvents calls since Settle()
  int64_t plotBudget_;
  Rng rng_;
};

}  // namespace console
