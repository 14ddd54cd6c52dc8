// The entry form: the user types the six coefficients of every map. When
// the last value typed, Q(K), is 100 or more the whole form is asked again.
#include "app/check_events.h"
#include "app/states.h"
#include "entry/coefficient_grid.h"
#include "render/frame.h"

namespace {

void AskValue(int column, int row, float& target) {
  CheckEvents(); con->Locate(column, row);
  CheckEvents(); con->InputValues("", {&target});
}

}  // namespace

State CoefficientEntry() {
  CheckEvents(); con->Locate(0, 0);
  CheckEvents(); con->SetColor(4);
  CheckEvents(); con->PrintItems({"行列の成分を入力して下さい　　　　　　"}, false);
  CheckEvents(); con->SetColor(7);
  do {
    CheckEvents(); G.I = 1;
    do {
      const auto i = static_cast<size_t>(G.I);
      AskValue(FirstColumn(), UpperRow(G.I), G.A[i]);
      AskValue(SecondColumn(), UpperRow(G.I), G.B[i]);
      AskValue(ThirdColumn(), UpperRow(G.I), G.P[i]);
      AskValue(FirstColumn(), LowerRow(G.I), G.C[i]);
      AskValue(SecondColumn(), LowerRow(G.I), G.D[i]);
      AskValue(ThirdColumn(), LowerRow(G.I), G.Q[i]);
      CheckEvents(); G.I = G.I + 1;
    } while (G.I <= G.K);
    CheckEvents();
  } while (G.Q[static_cast<size_t>(G.K)] >= 100);
  CheckEvents(); DrawFrame();
  return State::kCoefficientTable;
}
