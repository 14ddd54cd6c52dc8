// The start-point prompt: the point from which the drawing starts.
#include "app/check_events.h"
#include "app/states.h"

State StartPoint() {
  CheckEvents(); con->Locate(0, 0);
  CheckEvents(); con->SetColor(4);
  CheckEvents(); con->PrintItems({"初期値を入力して下さい"}, false);
  CheckEvents(); con->SetColor(7);
  CheckEvents(); con->InputValues("  (X,Y)=", {&G.X, &G.Y});
  return State::kKeyHelp;
}
