// Start-up: runs once per run, before the first main menu.
#include "app/check_events.h"
#include "app/states.h"

State StartUp() {
  CheckEvents(); con->ClearScreen(0);
  CheckEvents(); G.AS = {};  // the name table, slots up to 30
  CheckEvents(); con->SetTextWindow(0, 23);
  CheckEvents(); con->Randomize(1000);  // every run repeats one sequence
  return State::kMainMenu;
}
