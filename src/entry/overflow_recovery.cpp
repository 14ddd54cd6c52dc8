// Overflow recovery: the message, the determinant of every map's linear
// part, a key, and back to the main menu.
#include "app/check_events.h"
#include "app/states.h"

namespace {

// Formed in double precision from the single-precision elements and never
// stored, so it cannot overflow itself.
double Determinant(size_t i) {
  const double ad = static_cast<double>(G.A[i]) * static_cast<double>(G.D[i]);
  const double bc = static_cast<double>(G.B[i]) * static_cast<double>(G.C[i]);
  return ad - bc;
}

}  // namespace

State OverflowRecovery() {
  CheckEvents(); con->Locate(30, 10);
  CheckEvents(); con->PrintItems({"オ－バ－フロ－しました。入力しなおして下さい"}, true);
  CheckEvents(); G.I = 1;
  do {
    CheckEvents(); con->Locate(30, static_cast<int>(G.I) + 11);
    CheckEvents(); con->PrintItems({"det ", "Ａ", G.I, "=", Determinant(static_cast<size_t>(G.I))}, true);
    CheckEvents(); G.I = G.I + 1;
  } while (G.I <= G.K);
  CheckEvents(); con->Locate(30, 0);
  CheckEvents(); con->PrintItems({"     HIT ANY KEY                           "}, false);
  do {
    CheckEvents(); G.IS = con->PollKey();
    CheckEvents();
  } while (G.IS.empty());
  CheckEvents(); con->ClearScreen(3);
  CheckEvents(); G.DE = 0;
  return State::kMainMenu;
}
