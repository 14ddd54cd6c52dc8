#include <gtest/gtest.h>

#include <limits>

#include "console/headless_console.h"
#include "console/screen_dump.h"
#include "console/text_grid.h"
#include "dump_line.h"

namespace {

using console::Half;
using console::HeadlessConsole;

// A console with no keys, for exercising the operations directly.
struct ScreenModel : ::testing::Test {
  HeadlessConsole con{{}, 0};
  const console::Screen& screen() const { return con.screen(); }
  std::string Row(int row) const { return DumpLine(console::TextDump(screen()), row); }
};

TEST_F(ScreenModel, FullWidthCharactersCoverTwoColumns) {
  con.Locate(10, 3);
  con.PrintItems({"aＡb"}, false);
  EXPECT_EQ(screen().At(10, 3).ch, U'a');
  EXPECT_EQ(screen().At(11, 3).half, Half::kLeft);
  EXPECT_EQ(screen().At(12, 3).half, Half::kRight);
  EXPECT_EQ(screen().At(13, 3).ch, U'b');
  EXPECT_EQ(screen().cursorColumn, 14);
  EXPECT_EQ(Row(3), std::string(10, ' ') + "aＡb");
}

TEST_F(ScreenModel, WritingOverHalfAFullWidthCharacterBlanksTheOtherHalf) {
  con.Locate(0, 0);
  con.PrintItems({"ＡＢ"}, false);
  con.Locate(1, 0);
  con.PrintItems({"x"}, false);  // over the right half of Ａ
  EXPECT_EQ(screen().At(0, 0).ch, 0U);
  EXPECT_EQ(Row(0), " xＢ");
  con.Locate(2, 0);
  con.PrintItems({"y"}, false);  // over the left half of Ｂ
  EXPECT_EQ(screen().At(3, 0).ch, 0U);
  EXPECT_EQ(Row(0), " xy");
}

TEST_F(ScreenModel, PrintingPastColumn79WrapsAndAFullWidthCharacterNeverSplits) {
  con.Locate(78, 4);
  con.PrintItems({"abc"}, false);
  EXPECT_EQ(Row(4), std::string(78, ' ') + "ab");
  EXPECT_EQ(Row(5), "c");
  con.Locate(79, 6);
  con.PrintItems({"Ａ"}, false);
  EXPECT_EQ(Row(6), "");
  EXPECT_EQ(Row(7), "Ａ");
  // Text that ends exactly at the right edge takes one line end, not two.
  con.Locate(78, 9);
  con.PrintItems({"ab"}, true);
  EXPECT_EQ(screen().cursorRow, 10);
  EXPECT_EQ(screen().cursorColumn, 0);
}

TEST_F(ScreenModel, LineEndPastTheWindowScrollsOnlyTheWindowRows) {
  con.SetTextWindow(0, 23);
  con.Locate(0, 0);
  con.PrintItems({"top"}, false);
  con.Locate(0, 23);
  con.PrintItems({"help"}, false);
  con.Locate(0, 22);
  con.PrintItems({"last"}, true);
  EXPECT_EQ(Row(0), "");
  EXPECT_EQ(Row(21), "last");
  EXPECT_EQ(Row(22), "");
  EXPECT_EQ(Row(23), "help");
  EXPECT_EQ(screen().cursorRow, 22);
}

TEST_F(ScreenModel, ClearModesClearTheirLayersOnly) {
  con.PrintItems({"text"}, false);
  con.PlotPoint(10, 10, 5);
  con.ClearScreen(5);
  EXPECT_EQ(Row(0), "text");
  EXPECT_EQ(screen().plane[10 * 640 + 10], 0);
  con.PlotPoint(10, 10, 5);
  con.ClearScreen(0);
  EXPECT_EQ(Row(0), "");
  EXPECT_EQ(screen().plane[10 * 640 + 10], 5);
  con.PrintItems({"again"}, false);
  con.ClearScreen(3);
  EXPECT_EQ(Row(0), "");
  EXPECT_EQ(screen().plane[10 * 640 + 10], 0);
}

TEST_F(ScreenModel, PlotPointIgnoresPositionsOffThePlaneHoweverFar) {
  const float inf = std::numeric_limits<float>::infinity();
  const float far[][2] = {{-1, 0}, {640, 0}, {0, 400}, {0, -0.5f}, {3e38f, 1}, {-3e38f, -3e38f}, {inf, 0}, {0, -inf},
                          {std::numeric_limits<float>::quiet_NaN(), 5}};
  for (const auto& p : far) con.PlotPoint(p[0], p[1], 9);
  for (uint8_t pixel : screen().plane) ASSERT_EQ(pixel, 0);
  con.PlotPoint(639.9f, 399.9f, 9);
  EXPECT_EQ(screen().plane[399 * 640 + 639], 9);
}

TEST_F(ScreenModel, DrawLineDrawsSegmentsAndBoxes) {
  con.DrawLine(180, 50, 639, 399, 1, 1);
  EXPECT_EQ(screen().plane[50 * 640 + 180], 1);
  EXPECT_EQ(screen().plane[399 * 640 + 639], 1);
  EXPECT_EQ(screen().plane[200 * 640 + 180], 1);
  EXPECT_EQ(screen().plane[200 * 640 + 300], 0);
  con.DrawLine(0, 10, 8, 10, 12, 0);
  for (int x = 0; x <= 8; ++x) EXPECT_EQ(screen().plane[10 * 640 + x], 12);
  EXPECT_EQ(screen().plane[10 * 640 + 9], 0);
}

TEST_F(ScreenModel, ColourDumpMarksEmptyCellsAndHalfWidthSpaces) {
  con.SetColor(4);
  con.Locate(0, 0);
  con.PrintItems({"a b　c"}, false);
  const std::string dump = console::ColourDump(screen());
  EXPECT_EQ(dump.substr(0, 7), "4.4444.");
}

TEST_F(ScreenModel, RandomIsSeededAndInTheUnitInterval) {
  con.Randomize(1000);
  float first[5];
  for (float& r : first) r = con.Random();
  con.Randomize(1000);
  for (float r : first) EXPECT_EQ(con.Random(), r);
  for (int i = 0; i < 100000; ++i) {
    const float r = con.Random();
    ASSERT_GE(r, 0.0f);
    ASSERT_LT(r, 1.0f);
  }
}

}  // namespace
