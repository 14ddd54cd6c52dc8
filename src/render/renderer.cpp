// The random-iteration renderer: apply a randomly chosen map to the current
// point, plot the image in that map's colour, and repeat for ever. It is
// left only through a function-key command or an arithmetic error.
//
// One pass is sixteen steps, each after an event check:
//   1. XD = (A·X + B·Y) + P             7. R = int(Random()·10)
//   2. YD = (C·X + D·Y) + Q             8. R = (R mod K) + 1
//   3. plot (OX + XD·RX, OY − YD·RY)    9–14. A, B, C, D, P, Q = map R's
//      in colour CO                     15. CO = (7 − R)·2
//   4. arm the overflow trap            16. back to step 1
//   5. X = XD
//   6. Y = YD
// The first pass starts at step 7, so the start point is never plotted and
// each point has the colour of the map that produced it.
//
// This is the loop a user waits on, so its variables live in registers
// while it runs and go to G whenever anything else could look at them (see
// console::FastLoop): before an event is served, before the console hears
// that the plot budget is spent, and before an arithmetic error is raised.
// Every step is still preceded by its event check, and every overflow is
// still raised at the step where it happens.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app/arithmetic.h"
#include "app/globals.h"
#include "app/states.h"
#include "console/fast_loop.h"

// GCC's straight-line vectoriser packs the renderer's variables into vector
// registers for the few places that load or store them together, and then
// unpacks them at every use in the loop, which costs a third of its speed.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

namespace {

// Step 15's colour (7 - R)·2 of each map R that step 8 can choose. Whole
// numbers in and out: there is nothing to overflow.
constexpr std::array<int8_t, 16> kColourOfMap = [] {
  std::array<int8_t, 16> colours{};
  for (int map = 0; map < 16; ++map) colours[static_cast<size_t>(map)] = static_cast<int8_t>((7 - map) * 2);
  return colours;
}();

class Renderer : public console::FastLoop<Renderer> {
 public:
  explicit Renderer(console::Console& c) : FastLoop(c) { LoadVariables(); }

  // Steps 1 to 6: map the current point and plot its image. The results of
  // steps 1 and 2 are tested with step 3's (see PlotImage), or at once when
  // an event check lets anything else run in between.
  [[gnu::always_inline]] void MapCurrentPoint() {
    CheckEvents();
    const float xd = (map_.A * X_ + map_.B * Y_) + map_.P;
    CheckEvents([&] { XD_ = Tested(xd); });
    const float yd = (map_.C * X_ + map_.D * Y_) + map_.Q;
    CheckEvents([&] {
      XD_ = Tested(xd);
      YD_ = Tested(yd);
    });
    PlotImage(xd, yd);
    CheckEvents(); G.trapArmed = true;
    CheckEvents(); X_ = XD_;
    CheckEvents(); Y_ = YD_;
  }

  // Steps 7 to 15: choose the next map and the colour of its point. The map
  // chosen here colours the point of the next pass.
  [[gnu::always_inline]] void ChooseNextMap() {
    CheckEvents();
    {
      // Random() is below 1, so the product is finite and below 10: this
      // test is the overflow test, and it also keeps the digit inside the
      // table of step 8.
      const float scaled = Random() * 10.0f;
      if (!(scaled < 10.0f)) [[unlikely]] RaiseArithmeticError();
      R_ = static_cast<unsigned>(static_cast<int>(scaled));
    }
    CheckEvents();
    {
      const unsigned map = mapOfDigit_[R_];
      if (map == 0) [[unlikely]] RaiseArithmeticError();  // K is 0: division by zero
      R_ = map;
    }
    CheckEvents(); map_.A = G.A[R_];
    CheckEvents(); map_.B = G.B[R_];
    CheckEvents(); map_.C = G.C[R_];
    CheckEvents(); map_.D = G.D[R_];
    CheckEvents(); map_.P = G.P[R_];
    CheckEvents(); map_.Q = G.Q[R_];
    CheckEvents(); CO_ = kColourOfMap[R_];
  }

  // The renderer's variables as G holds them; the viewport and the
  // transform set are only read. R and CO are whole numbers, held here as
  // ints and in G as the same single-precision values.
  [[gnu::always_inline]] void SaveVariables() {
    G.X = X_, G.Y = Y_, G.XD = XD_, G.YD = YD_;
    G.map.A = map_.A, G.map.B = map_.B, G.map.C = map_.C;
    G.map.D = map_.D, G.map.P = map_.P, G.map.Q = map_.Q;
    G.R = static_cast<float>(R_), G.CO = static_cast<float>(CO_);
  }
  [[gnu::always_inline]] void LoadVariables() {
    X_ = G.X, Y_ = G.Y, XD_ = G.XD, YD_ = G.YD;
    map_.A = G.map.A, map_.B = G.map.B, map_.C = G.map.C;
    map_.D = G.map.D, map_.P = G.map.P, map_.Q = G.map.Q;
    R_ = static_cast<unsigned>(G.R), CO_ = static_cast<int>(G.CO);
    OX_ = G.OX, OY_ = G.OY, RX_ = G.RX, RY_ = G.RY;
    // Step 8's R mod K + 1 for each of the ten digits; all 0 when K is 0
    // and there is no remainder to take.
    const int count = static_cast<int>(G.K);
    for (int digit = 0; digit < 10; ++digit)
      mapOfDigit_[static_cast<size_t>(digit)] = static_cast<uint8_t>(count == 0 ? 0 : digit % count + 1);
  }

 private:
  // Step 3. A position on the plane is finite, and so then is every result
  // of steps 1 to 3 that led to it: an overflow leaves an infinity or a NaN
  // that later additions and multiplications carry on. Only a point off the
  // plane needs the tests, which raise the error at the step that
  // overflowed, with what that step would have stored unstored.
  [[gnu::always_inline]] void PlotImage(float xd, float yd) {
    const float x = OX_ + xd * RX_;
    const float y = OY_ - yd * RY_;
    if (!console::OnPlane(x, y)) [[unlikely]] {
      XD_ = Tested(xd);
      YD_ = Tested(yd);
      Tested(x);
      Tested(y);
    }
    XD_ = xd, YD_ = yd;
    PlotPoint(x, y, CO_);
  }

  [[gnu::always_inline]] float Tested(float value) {
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) [[unlikely]]
      RaiseArithmeticError();
    return value;
  }

  [[noreturn, gnu::always_inline]] void RaiseArithmeticError() {
    Leave();
    throw ArithmeticError{};
  }

  float X_, Y_, XD_, YD_;
  struct {
    float A, B, C, D, P, Q;
  } map_;
  unsigned R_;
  int CO_;
  float OX_, OY_, RX_, RY_;
  std::array<uint8_t, 10> mapOfDigit_;
};

}  // namespace

State Drawing() {
  Renderer renderer(*con);
  // The first pass chooses a map before anything is computed or plotted:
  // the start point itself is never plotted. (A loop that began at that
  // choice would say the same once, but GCC compiles it to 147 instructions
  // a pass against these 114.)
  renderer.CheckEvents();
  renderer.ChooseNextMap();
  renderer.CheckEvents();  // step 16: back to the first step
  renderer.Settle();
  for (;;) {
    renderer.MapCurrentPoint();
    renderer.ChooseNextMap();
    renderer.CheckEvents();  // step 16: back to the first step
    renderer.Settle();
  }
}
