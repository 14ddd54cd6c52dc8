// The drawing set-up that both modes pass through: binds the commands,
// clears the screen, stores the viewport, shows the catalogue name and the
// transform outlines, then goes to the entry form or the coefficient table.
#include "app/check_events.h"
#include "app/function_keys.h"
#include "app/states.h"
#include "render/outlines.h"

State DrawingSetUp() {
  CheckEvents(); con->BindFunctionKey(1, CommandF1);
  CheckEvents(); con->BindFunctionKey(2, CommandF2);
  CheckEvents(); con->BindFunctionKey(3, CommandF3);
  CheckEvents(); con->ClearScreen(0);
  CheckEvents(); G.OX = 395;
  CheckEvents(); G.OY = 225;
  CheckEvents(); G.RX = 100;
  CheckEvents(); G.RY = 100;
  CheckEvents(); G.H = 0;
  CheckEvents();
  if (G.DE == 1) {
    CheckEvents(); con->Locate(40, 0);
    CheckEvents(); con->PrintItems({G.AS[static_cast<size_t>(G.KK)]}, true);
  }
  return State::kDrawingSetUpOutlines;
}

// The set-up from the outlines on, where the F1 command comes back in.
State DrawingSetUpOutlines() {
  CheckEvents(); DrawTransformOutlines();
  CheckEvents();
  if (G.DE == 1) return State::kCoefficientTable;
  return State::kCoefficientEntry;
}
