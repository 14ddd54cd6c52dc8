#include "program_fixture.h"

namespace {

std::string At(int column, const std::string& text) { return std::string(static_cast<size_t>(column), ' ') + text; }

TEST(SelectionScreen, ShowsThePromptAndTheGridWithEntry1Highlighted) {
  ProgramRun run("1");
  EXPECT_EQ(run.Row(2), At(25, "矢印で選んでリタ－ンキ－"));
  EXPECT_EQ(run.Row(7), At(5, "箒草") + At(21, "奇妙な蛾") + At(17, "エイの群れ"));
  EXPECT_EQ(run.Row(9), At(5, "カリフラワ－") + At(13, "葉っぱの見える風景") + At(7, "悪魔のバラ"));
  EXPECT_EQ(run.Row(19), At(5, "四角コッホ") + At(15, "高木関数　　　") + At(11, "コッホＩＩ"));
  EXPECT_EQ(run.Row(21), At(5, "奇妙な蛾ＩＩ") + At(13, "奇妙なトンボ") + At(13, "ひょうきんな鬼"));
  for (int row : {0, 1, 3, 4, 5, 6, 8, 22, 23}) EXPECT_EQ(run.Row(row), "") << row;
  // First visit: everything in the initial colour 7, entry 1 in colour 4.
  EXPECT_EQ(run.Colours(7).substr(5, 4), "4444");
  EXPECT_EQ(run.Colours(7).substr(30, 8), "77777777");
  EXPECT_EQ(run.Colours(2).substr(25, 24), std::string(24, '7'));
  EXPECT_EQ(G.KK, 1);
  EXPECT_EQ(G.AS[24], "ひょうきんな鬼");
}

struct Move {
  const char* keys;
  int entry;
  int column;
  int row;
};

TEST(SelectionScreen, ArrowsMoveTheHighlightWithinTheGridWithoutWrapping) {
  const Move moves[] = {
      {"", 1, 5, 7},
      {"<Up>", 1, 5, 7},
      {"<Left>", 1, 5, 7},
      {"<Right><Right><Right>", 3, 55, 7},  // no wrap to the next row
      {"<Down><Left>", 4, 5, 9},
      {"<Right><Down>", 5, 30, 9},
      {"<Down><Down><Down><Down><Down><Down><Down>", 22, 5, 21},
      {"<Down><Down><Down><Down><Down><Down><Down><Down>", 22, 5, 21},
      {"<Down><Down><Down><Down><Down><Down><Down><Right><Right>", 24, 55, 21},
      {"<Down><Down><Down><Down><Down><Down><Down><Right><Right><Up>", 21, 55, 19},
      {"<Down><Down><Down><Down><Down><Down><Right><Right>", 21, 55, 19},
      {"x5<Backspace><Right>", 2, 30, 7},
  };
  for (const Move& move : moves) {
    ProgramRun run(std::string("1") + move.keys);
    EXPECT_EQ(G.KK, move.entry) << move.keys;
    EXPECT_EQ(G.LX, move.column) << move.keys;
    EXPECT_EQ(G.LY, move.row) << move.keys;
    // Exactly the highlighted name is in colour 4.
    for (int row = 7; row <= 21; row += 2) {
      const std::string colours = run.Colours(row);
      const bool highlighted = row == move.row;
      EXPECT_EQ(colours.find('4') != std::string::npos, highlighted) << move.keys << " row " << row;
      if (highlighted) {
        EXPECT_EQ(colours.find('4'), static_cast<size_t>(move.column)) << move.keys;
      }
    }
  }
}

TEST(SelectionScreen, ReturnLoadsTheHighlightedEntryAndShowsItsTable) {
  ProgramRun run("1<Down><Down><Down><Down><Down><Down><Down><Right><Right><Return>");
  EXPECT_EQ(G.KK, 24);
  EXPECT_EQ(G.DE, 1);
  EXPECT_EQ(G.K, 3);
  EXPECT_EQ(run.Row(0), "初期値を入力して下さい  (X,Y)=" + std::string(10, ' ') + "ひょうきんな鬼");
  EXPECT_EQ(run.Colours(0).substr(40, 14), std::string(14, '1'));
  EXPECT_EQ(run.Row(3), "  .5     .2887  0");
  EXPECT_EQ(run.Row(4), "  .2887 -.5     0");
  EXPECT_EQ(run.Row(11), "  0      1      0");
  EXPECT_EQ(run.Colours(3).substr(2, 2), "66");
  EXPECT_EQ(run.Colours(7).substr(2, 2), "55");
  EXPECT_EQ(run.Colours(11).substr(2, 1), "4");
}

TEST(SelectionScreen, ReopeningAfterF3StartsOnEntry1InColour7) {
  ProgramRun run("1<Right><Return>0,0<Return><points 10><F3>1");
  EXPECT_EQ(G.KK, 1);
  EXPECT_EQ(run.Colours(2).substr(25, 24), std::string(24, '7'));
  EXPECT_EQ(run.Colours(7).substr(5, 4), "4444");
  EXPECT_EQ(run.Colours(7).substr(30, 8), "77777777");
}

TEST(SelectionScreen, F3WhileWaitingLeavesColour4ForTheNextScreens) {
  // <points 1> holds the F3 until the selection screen waits for a key.
  ProgramRun run("1<Return>0,0<Return><points 10><F3>1<points 1><F3>1");
  EXPECT_EQ(run.Colours(10), std::string(80, '.'));
  EXPECT_EQ(run.Colours(2).substr(25, 24), std::string(24, '4'));
  EXPECT_EQ(run.Colours(21).substr(30, 12), std::string(12, '4'));
}

}  // namespace
