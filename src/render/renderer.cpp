// The random-iteration renderer: apply a randomly chosen map to the current
// point, plot the image in that map's colour, and repeat for ever. It is
// left only through a function-key command or an arithmetic error.
#include "app/arithmetic.h"
#include "app/check_events.h"
#include "app/states.h"

namespace {

// Steps 1 to 6: map the current point and plot its image.
inline void MapCurrentPoint(console::Console& c) {
  c.CheckEvents(); G.XD = Add(Add(Mul(G.map.A, G.X), Mul(G.map.B, G.Y)), G.map.P);
  c.CheckEvents(); G.YD = Add(Add(Mul(G.map.C, G.X), Mul(G.map.D, G.Y)), G.map.Q);
  c.CheckEvents(); c.PlotPoint(Add(G.OX, Mul(G.XD, G.RX)), Sub(G.OY, Mul(G.YD, G.RY)), static_cast<int>(G.CO));
  c.CheckEvents(); G.trapArmed = true;
  c.CheckEvents(); G.X = G.XD;
  c.CheckEvents(); G.Y = G.YD;
}

// Steps 7 to 15: choose the next map and the colour of its point. The map
// chosen here colours the point of the next pass.
inline void ChooseNextMap(console::Console& c) {
  c.CheckEvents(); G.R = static_cast<float>(static_cast<int>(Mul(c.Random(), 10)));
  c.CheckEvents();
  {
    const int count = static_cast<int>(G.K);
    if (count == 0) throw ArithmeticError{};  // division by zero
    G.R = static_cast<float>(static_cast<int>(G.R) % count + 1);
  }
  const auto r = static_cast<size_t>(G.R);
  c.CheckEvents(); G.map.A = G.A[r];
  c.CheckEvents(); G.map.B = G.B[r];
  c.CheckEvents(); G.map.C = G.C[r];
  c.CheckEvents(); G.map.D = G.D[r];
  c.CheckEvents(); G.map.P = G.P[r];
  c.CheckEvents(); G.map.Q = G.Q[r];
  c.CheckEvents(); G.CO = Mul(Sub(7, G.R), 2);
}

}  // namespace

State Drawing() {
  console::Console& c = *con;
  // The first pass chooses a map before anything is computed or plotted:
  // the start point itself is never plotted.
  c.CheckEvents();
  ChooseNextMap(c);
  for (;;) {
    MapCurrentPoint(c);
    ChooseNextMap(c);
  }
}
