#include "program_fixture.h"

namespace {

TEST(MainMenu, ShowsTheTitleAloneAtRow10InTheInitialColour) {
  ProgramRun run("");
  for (int row = 0; row < 24; ++row) EXPECT_EQ(run.Row(row), row == 10 ? kMenuRow : "") << row;
  EXPECT_EQ(run.Colours(10), std::string(15, '.') + std::string(42, '7') + std::string(23, '.'));
  EXPECT_EQ(G.RX, 0);  // nothing drawn yet
}

TEST(MainMenu, IgnoresEveryKeyButOneAndTwo) {
  ProgramRun run("3a<Up><Return> x");
  EXPECT_EQ(run.Row(10), kMenuRow);
  EXPECT_EQ(G.IS, "x");
  EXPECT_EQ(run.Row(2), "");
}

TEST(MainMenu, OneOpensTheSelectionScreenTwoTheCountPrompt) {
  ProgramRun demo("x1");
  EXPECT_EQ(demo.Row(2), std::string(25, ' ') + "矢印で選んでリタ－ンキ－");
  ProgramRun own("x2");
  EXPECT_EQ(own.Row(0), "変換の個数はいくつですか（１～５）");
}

}  // namespace
