// The key help, which arms the function keys and starts the drawing, and
// the commands those keys run.
#include "app/function_keys.h"

#include "app/arithmetic.h"
#include "app/check_events.h"
#include "app/states.h"
#include "render/frame.h"
#include "render/outlines.h"

State KeyHelp() {
  CheckEvents(); con->Locate(0, 22);
  CheckEvents(); con->PrintItems({"［ｆ．２］２倍拡大"}, false);
  CheckEvents(); con->Locate(0, 23);
  CheckEvents(); con->PrintItems({"［ｆ．３］終了"}, false);
  CheckEvents(); con->SetFunctionKeyTrap(1, true);
  CheckEvents(); con->SetFunctionKeyTrap(2, true);
  CheckEvents(); con->SetFunctionKeyTrap(3, true);
  return State::kDrawing;
}

void CommandF1() {
  CheckEvents(); con->ClearScreen(5);
  CheckEvents(); G.H = 0;
  CheckEvents(); G.DE = 0;
  throw GoTo{State::kDrawingSetUpOutlines};
}

void CommandF2() {
  CheckEvents(); con->ClearScreen(5);
  CheckEvents(); G.RX = Mul(G.RX, 2);
  CheckEvents(); G.RY = Mul(G.RY, 2);
  CheckEvents(); DrawFrame();
  CheckEvents(); DrawTransformOutlines();
  throw GoTo{State::kKeyHelp};
}

void CommandF3() {
  CheckEvents(); con->ClearScreen(3);
  CheckEvents(); G.RX = 100;
  CheckEvents(); G.RY = 100;
  CheckEvents(); G.DE = 0;
  throw GoTo{State::kMainMenu};
}
