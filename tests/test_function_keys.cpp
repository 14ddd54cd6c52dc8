#include "program_fixture.h"

namespace {

const std::string kDemo = "1<Return>0,0<Return>";  // entry 1, drawing from (0, 0)

// Pixels in the drawing area (inside the frame) in the maps' colours.
int PointsInDrawingArea(const ProgramRun& run) {
  int count = 0;
  for (int y = 51; y < 399; ++y)
    for (int x = 181; x < 639; ++x) count += run.Pixel(x, y) == 12 || run.Pixel(x, y) == 10;
  return count;
}

TEST(FunctionKeys, F2ThreeTimesGivesScale800AndKeepsTheText) {
  ProgramRun run(kDemo + "<points 3000><F2><points 3000><F2><points 3000><F2>", 1);
  EXPECT_EQ(G.RX, 800);
  EXPECT_EQ(G.RY, 800);
  EXPECT_EQ(G.OX, 395);
  EXPECT_EQ(run.Row(22), "［ｆ．２］２倍拡大");
  EXPECT_EQ(run.Row(23), "［ｆ．３］終了");
  EXPECT_NE(run.Row(0).find("箒草"), std::string::npos);
  EXPECT_EQ(run.Row(3), "  .5     .2887  0");
  // Frame and outlines redrawn, the earlier points erased: one point so far.
  EXPECT_EQ(run.Pixel(180, 50), 1);
  EXPECT_EQ(run.Pixel(0, 50), 12);
  EXPECT_LE(PointsInDrawingArea(run), 1);
}

TEST(FunctionKeys, AfterF2DrawingGoesOnFromTheCurrentPoint) {
  ProgramRun before(kDemo, 500);
  const float x = G.X, y = G.Y;
  ProgramRun after(kDemo + "<points 500><F2>", 1);
  // F2 came right after the 500th point was plotted, before X, Y took it.
  EXPECT_EQ(G.X, x);
  EXPECT_EQ(G.Y, y);
  EXPECT_EQ(G.RX, 200);
  const auto r = static_cast<size_t>(G.R);
  EXPECT_EQ(G.XD, (G.A[r] * x + G.B[r] * y) + G.P[r]);
  EXPECT_EQ(after.Pixel(static_cast<int>(395 + G.XD * 200), static_cast<int>(225 - G.YD * 200)), G.CO);
  EXPECT_EQ(after.Row(0).substr(0, 30), before.Row(0).substr(0, 30));  // no new start point asked
}

TEST(FunctionKeys, F1ReturnsToTheEntryFormWithTheSameCount) {
  ProgramRun run(kDemo + "<points 100><F1>");
  EXPECT_EQ(G.DE, 0);
  EXPECT_EQ(G.K, 2);
  EXPECT_EQ(G.I, 1);  // waiting for A(1)
  EXPECT_EQ(run.Row(0), kFormHeading + "  箒草");  // the name stays at column 40
  EXPECT_EQ(run.Row(3), "  .5     .2887  0");  // the old table is typed over
  EXPECT_EQ(run.Pixel(0, 50), 12);
  EXPECT_EQ(run.Pixel(180, 50), 0);  // no frame until the form is done
  EXPECT_EQ(PointsInDrawingArea(run), 0);
}

TEST(FunctionKeys, F1AfterF2KeepsTheDoubledScaleAndF3ResetsIt) {
  const std::string twelve = "1<Return>0<Return>0<Return>0<Return>1<Return>0<Return>"
                             "1<Return>0<Return>0<Return>0<Return>1<Return>0<Return>";
  ProgramRun kept(kDemo + "<points 10><F2><points 10><F1>" + twelve + "0,0<Return>", 1);
  EXPECT_EQ(G.RX, 200);
  ProgramRun reset(kDemo + "<points 10><F2><points 10><F3>", 1);
  EXPECT_EQ(G.RX, 100);
  EXPECT_EQ(G.RY, 100);
  EXPECT_EQ(G.DE, 0);
  EXPECT_EQ(reset.Row(10), kMenuRow);
  EXPECT_EQ(reset.CountPixels(1), 0);
}

TEST(FunctionKeys, BeforeTheFirstDrawingTheyDoNothing) {
  ProgramRun menu("<F1><F2><F3>");
  EXPECT_EQ(menu.Row(10), kMenuRow);
  ProgramRun selection("1<points 1><F3><F2><F1><Right>");
  EXPECT_EQ(G.KK, 2);
  ProgramRun prompt("2<points 1><F3>4<Return>");
  EXPECT_EQ(G.K, 4);
  EXPECT_EQ(prompt.Row(0), kFormHeading);
}

TEST(FunctionKeys, OnceArmedTheyActInEveryState) {
  // A first drawing ended by F3; <points 1> then holds the next key until
  // the main menu waits.
  const std::string first = kDemo + "<points 10><F3><points 1>";
  ProgramRun menuF2(first + "<F2>", 50);
  EXPECT_EQ(G.RX, 200);  // F3 had set 100
  EXPECT_EQ(menuF2.Row(10), kMenuRow);  // the menu text stays
  EXPECT_EQ(menuF2.Row(22), "［ｆ．２］２倍拡大");
  EXPECT_GT(PointsInDrawingArea(menuF2), 0);

  ProgramRun menuF1(first + "<F1>");
  EXPECT_EQ(menuF1.Row(0), kFormHeading);
  EXPECT_EQ(menuF1.Row(10), kMenuRow);
  EXPECT_EQ(menuF1.Pixel(0, 122), 10);  // outlines for the last K = 2

  ProgramRun selectionF3(first + "1<Down><points 1><F3>");
  EXPECT_EQ(selectionF3.Row(10), kMenuRow);
  EXPECT_EQ(selectionF3.Row(2), "");

  ProgramRun countF1(first + "2<points 1><F1>");  // abandons the count prompt
  EXPECT_EQ(countF1.Row(0), kFormHeading);
  EXPECT_EQ(G.K, 2);

  ProgramRun formF3(first + "23<Return>1<Return>2<points 1><F3>");
  EXPECT_EQ(formF3.Row(10), kMenuRow);
  EXPECT_EQ(G.A[1], 1);
  EXPECT_EQ(G.K, 3);

  ProgramRun firstOnly(first);
  const float x = G.X, y = G.Y;
  ProgramRun startF2(first + "1<Return>0.5<points 1><F2>", 1);  // abandons the start point
  EXPECT_EQ(G.RX, 200);
  EXPECT_EQ(G.X, x);  // drawing goes on from the last current point
  EXPECT_EQ(G.Y, y);
}

TEST(Frame, ThreeLinesInColour1CrossingAtTheOrigin) {
  ProgramRun run("1<Return>");
  for (int x = 180; x <= 639; ++x) {
    EXPECT_EQ(run.Pixel(x, 50), 1) << x;
    EXPECT_EQ(run.Pixel(x, 399), 1) << x;
    EXPECT_EQ(run.Pixel(x, 225), 1) << x;
  }
  for (int y = 50; y <= 399; ++y) {
    EXPECT_EQ(run.Pixel(180, y), 1) << y;
    EXPECT_EQ(run.Pixel(639, y), 1) << y;
    EXPECT_EQ(run.Pixel(395, y), 1) << y;
  }
  EXPECT_EQ(run.Pixel(179, 225), 0);
  EXPECT_EQ(run.Pixel(395, 49), 0);
  EXPECT_EQ(run.CountPixels(1), 2 * 460 + 2 * 348 + 458 + 347);  // shared pixels counted once
}

TEST(Outlines, FiveMapsFiveBracketFiguresAndNothingInTheDrawingArea) {
  ProgramRun run("1<Down><Down><Right><Right><Return>");  // entry 9, K = 5
  const int colours[] = {12, 10, 8, 6, 4};
  for (int i = 1; i <= 5; ++i) {
    const int top = 50 + (i - 1) * 72, bottom = 95 + (i - 1) * 72, colour = colours[i - 1];
    for (int y = top; y <= bottom; ++y) {
      EXPECT_EQ(run.Pixel(0, y), colour);
      EXPECT_EQ(run.Pixel(115, y), colour);
      EXPECT_EQ(run.Pixel(176, y), colour);
    }
    for (int x : {0, 8, 168, 176}) {
      EXPECT_EQ(run.Pixel(x, top), colour) << i << " " << x;
      EXPECT_EQ(run.Pixel(x, bottom), colour) << i << " " << x;
    }
    EXPECT_EQ(run.Pixel(9, top), 0);
    EXPECT_EQ(run.Pixel(167, bottom), 0);
    EXPECT_EQ(run.Pixel(1, top + 1), 0);
    // Seven strokes: three uprights of 46 pixels, four strokes of 9.
    EXPECT_EQ(run.CountPixels(colour), 3 * 46 + 4 * 9 - 4) << i;  // corners shared
  }
  for (int y = 0; y < 400; ++y)
    for (int x = 177; x < 640; ++x) {
      const int pixel = run.Pixel(x, y);
      ASSERT_TRUE(pixel == 0 || pixel == 1) << x << "," << y;
    }
}

TEST(Outlines, OneMapOneFigure) {
  ProgramRun run("21<Return>");
  EXPECT_EQ(run.Pixel(0, 50), 12);
  EXPECT_EQ(run.Pixel(0, 95), 12);
  EXPECT_EQ(run.Pixel(0, 122), 0);
  EXPECT_EQ(run.CountPixels(12), 3 * 46 + 4 * 9 - 4);
}

}  // namespace
