#include <cmath>

#include "program_fixture.h"

namespace {

const std::string kMessage = "オ－バ－フロ－しました。入力しなおして下さい";

// Own entry of K maps, each typed as six values, then a start point.
std::string OwnEntry(const std::vector<std::string>& maps, const std::string& start) {
  std::string keys = "2" + std::to_string(maps.size()) + "<Return>";
  for (const std::string& map : maps) {
    size_t from = 0;
    for (int field = 0; field < 6; ++field) {
      const size_t space = map.find(' ', from);
      keys += map.substr(from, space - from) + "<Return>";
      from = space + 1;
    }
  }
  return keys + start + "<Return>";
}

const std::string kDoubling = OwnEntry({"2 0 0 0 2 0"}, "1,1");

TEST(OverflowRecovery, ARunawayMapShowsTheMessageAndItsDeterminant) {
  ProgramRun run(kDoubling, 1000);
  EXPECT_EQ(run.Row(10), std::string(30, ' ') + kMessage);
  EXPECT_EQ(run.Row(12), std::string(30, ' ') + "det Ａ 1 = 4");
  EXPECT_EQ(run.Row(13), "");
  EXPECT_EQ(run.Row(0), "初期値を入力して下さい  (X,Y)=     HIT ANY KEY");
  EXPECT_EQ(run.Colours(0).substr(30, 43), "....." + std::string(3, '7') + "." + std::string(3, '7') + "." +
                                               std::string(3, '7') + std::string(27, '.'));
  EXPECT_EQ(run.Colours(10).substr(30, 44), std::string(44, '7'));
  EXPECT_EQ(G.DE, 0);  // not yet: set after the key
  EXPECT_EQ(run.Pixel(0, 50), 12);  // the drawing stays until the key
  // The point doubled until its pixel position no longer fit: 2^122 * 100
  // overflowed while plotting, before X took the image, so X holds 2^121.
  EXPECT_EQ(G.XD, 0x1p122f);
  EXPECT_EQ(G.X, 0x1p121f);
}

TEST(OverflowRecovery, AnyKeyReturnsToTheMainMenuAndIsUsedUp) {
  ProgramRun run(kDoubling + "<points 1000>1", 1000);
  EXPECT_EQ(run.Row(10), kMenuRow);
  EXPECT_EQ(run.Row(0), "");
  EXPECT_EQ(run.CountPixels(12), 0);
  EXPECT_EQ(G.DE, 0);
  EXPECT_EQ(G.IS, "1");
  ProgramRun next(kDoubling + "<points 1000>x2", 1000);
  EXPECT_EQ(next.Row(0), "変換の個数はいくつですか（１～５）");
}

TEST(OverflowRecovery, FiveMapsFiveDeterminantLinesAndAZeroOne) {
  ProgramRun run(OwnEntry({"2 0 0 0 2 0", "1 2 0 2 4 0", "0.5 0 0 0 0.5 0", "-3 1 0 2 0.25 0", "1e20 0 0 0 1e20 0"}, "1,1"), 100000);
  // The table's rows 12 to 16 are ASCII up to column 30.
  EXPECT_EQ(run.Row(12).substr(30), "det Ａ 1 = 4");
  EXPECT_EQ(run.Row(13).substr(30), "det Ａ 2 = 0");
  EXPECT_EQ(run.Row(14).substr(30), "det Ａ 3 = .25");
  EXPECT_EQ(run.Row(15).substr(30), "det Ａ 4 =-2.75");
  // 1e20 in single precision is 100000002004087734272; squared in double:
  EXPECT_EQ(run.Row(16).substr(30), "det Ａ 5 = 1.000000040081755E+40");
  EXPECT_EQ(run.Row(17), "");
}

TEST(OverflowRecovery, TheDeterminantIsFormedInDoublePrecision) {
  // 0.2887f * 3e38f - 0.6667f * 0.3333f is 8.661000446455976E+37 in double;
  // formed in single precision it would read 8.661000633674217E+37.
  ProgramRun run(OwnEntry({"0.2887 0.6667 0 0.3333 3e38 0"}, "3e38,3e38"), 10);
  EXPECT_EQ(run.Row(12).substr(30), "det Ａ 1 = 8.661000446455976E+37");
}

TEST(OverflowRecovery, AnOverflowInTheFirstPassAlsoRecovers) {
  // 3e38 * 2 overflows before the renderer has armed the trap for the first
  // time in this run.
  ProgramRun run(OwnEntry({"2 0 0 0 2 0"}, "3e38,0"), 10);
  EXPECT_EQ(run.Row(10), std::string(30, ' ') + kMessage);
  EXPECT_FALSE(G.trapArmed);
}

TEST(OverflowRecovery, DoublingTheScaleUntilItOverflowsRecovers) {
  std::string keys = "1<Return>0,0<Return>";
  for (int i = 0; i < 130; ++i) keys += "<points 1><F2>";
  ProgramRun run(keys, 1);
  EXPECT_EQ(run.Row(10), std::string(30, ' ') + kMessage);
  EXPECT_EQ(G.RX, std::ldexp(100.0f, 121));  // 100 * 2^n, the last that fit
  // 0.5 * -0.5 - 0.2887f * 0.2887f in double: -.3333476982873060 (16 digits).
  EXPECT_EQ(run.Row(12), std::string(30, ' ') + "det Ａ 1 =-.333347698287306");
}

TEST(OverflowRecovery, AfterwardsTheTrapStaysArmedAndTheScaleIsBackAt100) {
  ProgramRun run(kDoubling + "<points 1000>x" + kDoubling, 1000);
  EXPECT_EQ(run.Row(10), std::string(30, ' ') + kMessage);
  EXPECT_TRUE(G.trapArmed);
  EXPECT_EQ(G.RX, 100);
}

}  // namespace
