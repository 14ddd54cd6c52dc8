// The coefficient table: every map's six values in the number format, in
// the map's text colour 7 - I, over the fields of the entry form.
#include "app/check_events.h"
#include "app/states.h"
#include "entry/coefficient_grid.h"
#include "render/frame.h"

namespace {

void ShowValue(int column, int row, float value) {
  CheckEvents(); con->Locate(column, row);
  CheckEvents(); con->PrintItems({value}, false);
}

}  // namespace

State CoefficientTable() {
  CheckEvents(); G.I = 1;
  do {
    const auto i = static_cast<size_t>(G.I);
    CheckEvents(); con->Locate(FirstColumn(), UpperRow(G.I));
    CheckEvents(); con->SetColor(7 - static_cast<int>(G.I));
    CheckEvents(); con->PrintItems({G.A[i]}, false);
    ShowValue(SecondColumn(), UpperRow(G.I), G.B[i]);
    ShowValue(ThirdColumn(), UpperRow(G.I), G.P[i]);
    ShowValue(FirstColumn(), LowerRow(G.I), G.C[i]);
    ShowValue(SecondColumn(), LowerRow(G.I), G.D[i]);
    ShowValue(ThirdColumn(), LowerRow(G.I), G.Q[i]);
    CheckEvents(); G.I = G.I + 1;
  } while (G.I <= G.K);
  CheckEvents(); DrawFrame();
  return State::kStartPoint;
}
