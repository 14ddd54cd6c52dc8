// The count prompt: how many maps the user's own transform set has.
#include <cmath>
#include <span>

#include "app/check_events.h"
#include "app/states.h"

namespace {

// Only a whole number of maps from 1 to 5 is taken; anything else is
// refused at the prompt like an unreadable answer, so K is always usable.
bool IsMapCount(std::span<const float> values) {
  const float k = values[0];
  return k >= 1 && k <= kMaxMaps && k == std::floor(k);
}

}  // namespace

State CountPrompt() {
  CheckEvents(); con->SetTextWindow(0, 23);
  CheckEvents(); con->ClearScreen(3);
  CheckEvents(); con->Locate(0, 0);
  CheckEvents(); con->SetColor(4);
  CheckEvents(); con->InputValues("変換の個数はいくつですか（１～５）", {&G.K}, IsMapCount);
  CheckEvents(); con->SetColor(7);
  return State::kDrawingSetUp;
}
