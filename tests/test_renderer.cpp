#include <cmath>

#include "console/rng.h"
#include "program_fixture.h"

namespace {

// The digit of pass n (1-based) of the seeded sequence.
int Digit(int n) {
  console::Rng rng;
  rng.Seed(1000);
  float r = 0;
  for (int i = 0; i < n; ++i) r = rng.NextUnit();
  return static_cast<int>(r * 10.0f);
}

// Own entry of three maps that move every point somewhere different.
const std::string kThreeMaps =
    "23<Return>"
    ".5<Return>0<Return>0<Return>0<Return>.5<Return>0<Return>"
    ".5<Return>0<Return>.5<Return>0<Return>.5<Return>0<Return>"
    ".5<Return>0<Return>.25<Return>0<Return>.5<Return>.5<Return>";

// The run stops inside the PlotPoint of its last point: XD, YD is that
// point, R its map, CO its colour, and X, Y still the point it came from.
void ExpectLastPointIsTheImageOfTheCurrentPoint(const ProgramRun& run) {
  const auto r = static_cast<size_t>(G.R);
  const float xd = (G.A[r] * G.X + G.B[r] * G.Y) + G.P[r];
  const float yd = (G.C[r] * G.X + G.D[r] * G.Y) + G.Q[r];
  EXPECT_EQ(G.XD, xd);
  EXPECT_EQ(G.YD, yd);
  EXPECT_EQ(G.CO, (7 - G.R) * 2);
  const float px = G.OX + G.XD * G.RX;
  const float py = G.OY - G.YD * G.RY;
  if (px >= 0 && px < 640 && py >= 0 && py < 400) {
    EXPECT_EQ(run.Pixel(static_cast<int>(px), static_cast<int>(py)), G.CO);
  }
}

TEST(Renderer, TheFirstPointIsTheStartPointsImageUnderTheFirstChosenMap) {
  ProgramRun run(kThreeMaps + "0.5,-0.5<Return>", 1);
  EXPECT_EQ(G.X, 0.5f);  // the start point itself is never plotted
  EXPECT_EQ(G.Y, -0.5f);
  EXPECT_EQ(G.R, Digit(1) % 3 + 1);
  ExpectLastPointIsTheImageOfTheCurrentPoint(run);
}

TEST(Renderer, TheDigitChoosesTheMapAndItsColourColoursTheNextPoint) {
  // With K = 3 the digits 0, 3, 6, 9 choose map 1; 1, 4, 7 map 2; 2, 5, 8 map 3.
  const int expectedMap[10] = {1, 2, 3, 1, 2, 3, 1, 2, 3, 1};
  for (int n = 1; n <= 40; ++n) {
    ProgramRun run(kThreeMaps + "0,0<Return>", n);
    ASSERT_EQ(G.R, expectedMap[Digit(n)]) << "pass " << n;
    ExpectLastPointIsTheImageOfTheCurrentPoint(run);
  }
  // K = 5 (catalogue entry 9): digits 0 and 5 choose map 1, and so on.
  for (int n = 1; n <= 20; ++n) {
    ProgramRun run("1<Down><Down><Right><Right><Return>0.3,0.1<Return>", n);
    ASSERT_EQ(G.R, Digit(n) % 5 + 1) << "pass " << n;
    ExpectLastPointIsTheImageOfTheCurrentPoint(run);
  }
}

TEST(Renderer, OneMapPlotsEveryPointInColour12) {
  ProgramRun run("21<Return>.5<Return>0<Return>.5<Return>0<Return>.5<Return>.5<Return>0,0<Return>", 2000);
  EXPECT_EQ(G.R, 1);
  EXPECT_EQ(G.CO, 12);
  // The points converge on (1, 1), pixel (495, 125), in the map's colour.
  EXPECT_EQ(run.Pixel(495, 125), 12);
  for (int colour : {10, 8, 6, 4}) EXPECT_EQ(run.CountPixels(colour), 0) << colour;
}

TEST(Renderer, EveryRunDrawsTheSamePointsAndLaterDrawingsContinueTheSequence) {
  const std::string demo = "1<Return>0,0<Return>";
  ProgramRun first(demo, 5000);
  const auto plane = first.screen().plane;
  const float x = G.X, y = G.Y;
  ProgramRun second(demo, 5000);
  EXPECT_EQ(second.screen().plane, plane);
  EXPECT_EQ(G.X, x);
  EXPECT_EQ(G.Y, y);

  // A second drawing in the same run takes the next numbers of the sequence:
  // after h points its first map comes from digit h + 1, not digit 1. Pick an
  // h where the two would choose different maps.
  int h = 1000;
  while (Digit(h + 1) % 2 == Digit(1) % 2) ++h;
  ProgramRun again(demo + "<points " + std::to_string(h) + "><F3>" + demo, 1);
  EXPECT_EQ(G.R, Digit(h + 1) % 2 + 1);
}

TEST(Renderer, PointsOffTheDrawingAreaArePlottedOverTheTable) {
  // x' = x - 3 sends the point from (0, 0) far to the left, to pixel
  // (95, 225), where the coefficient table is.
  ProgramRun run("21<Return>1<Return>0<Return>-3<Return>0<Return>1<Return>0<Return>0,0<Return>", 1);
  EXPECT_EQ(G.XD, -3);
  EXPECT_EQ(run.Pixel(95, 225), 12);
}

}  // namespace
