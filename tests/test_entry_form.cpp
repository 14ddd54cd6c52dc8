#include "program_fixture.h"

namespace {

const std::string kCountPrompt = "変換の個数はいくつですか（１～５）";

// Keys that type `values` into consecutive fields of the form.
std::string Fields(std::initializer_list<const char*> values) {
  std::string keys;
  for (const char* value : values) keys += std::string(value) + "<Return>";
  return keys;
}

TEST(CountPrompt, AsksInColour4AndTakesAWholeCountFrom1To5) {
  ProgramRun run("2");
  EXPECT_EQ(run.Row(0), kCountPrompt);
  EXPECT_EQ(run.Colours(0).substr(0, 34), std::string(34, '4'));
  ProgramRun three("23<Return>");
  EXPECT_EQ(G.K, 3);
  EXPECT_EQ(three.Row(0), kFormHeading);
}

TEST(CountPrompt, RefusesAnyOtherAnswerInPlace) {
  for (const char* answer : {"0", "-1", "2.5", "7", "6", "abc", "1,2", "1e39", "", "-0"}) {
    ProgramRun run(std::string("2") + answer + "<Return>");
    EXPECT_EQ(run.Row(0), kCountPrompt) << answer;  // the answer is erased
    EXPECT_EQ(G.K, 0) << answer;
    EXPECT_EQ(run.screen().cursorColour, 2) << answer;  // the refusal cue
    for (int row = 1; row < 24; ++row) EXPECT_EQ(run.Row(row), "") << answer;
  }
  ProgramRun again("27<Return>5<Return>");
  EXPECT_EQ(G.K, 5);
}

TEST(EntryForm, OneMapAsksSixValuesAndTheTableShowsThemInColour6) {
  ProgramRun typing("21<Return>" + Fields({"0.5", "0", "0"}) + "1.25");
  EXPECT_EQ(typing.Row(0), kFormHeading);
  EXPECT_EQ(typing.Colours(0).substr(0, 39), std::string(38, '4') + ".");
  EXPECT_EQ(typing.Row(3), " 0.5    0      0");
  EXPECT_EQ(typing.Row(4), " 1.25");
  EXPECT_EQ(typing.Colours(3).substr(1, 3), "777");

  ProgramRun run("21<Return>" + Fields({"0.5", "0", "0", "1.25", "-3", "99"}));
  EXPECT_EQ(run.Row(3), "  .5     0      0");
  EXPECT_EQ(run.Row(4), "  1.25  -3      99");
  EXPECT_EQ(run.Colours(3).substr(0, 20), "..66.....6......6...");
  // The start-point line covers the heading up to column 29; the rest of
  // the heading's full-width spaces stay.
  EXPECT_EQ(run.Row(0), "初期値を入力して下さい  (X,Y)=　　　　");
  EXPECT_EQ(run.Colours(0).substr(0, 30), std::string(22, '4') + ".." + std::string(6, '7'));
  EXPECT_EQ(G.A[1], 0.5f);
  EXPECT_EQ(G.C[1], 1.25f);
  EXPECT_EQ(G.D[1], -3.0f);
  EXPECT_EQ(G.Q[1], 99.0f);
}

TEST(EntryForm, FiveMapsFillRows3To20InTheirColours) {
  std::string keys = "25<Return>";
  for (int i = 1; i <= 5; ++i) keys += Fields({"1", "2", "3", "4", "5", "6"});
  ProgramRun run(keys);
  const char colours[] = {'6', '5', '4', '3', '2'};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(run.Row(4 * i - 1), "  1      2      3") << i;
    EXPECT_EQ(run.Row(4 * i), "  4      5      6") << i;
    EXPECT_EQ(run.Colours(4 * i - 1)[2], colours[i - 1]) << i;
    EXPECT_EQ(run.Colours(4 * i)[16], colours[i - 1]) << i;
  }
  EXPECT_EQ(run.Row(21), "");
}

TEST(EntryForm, ALastValueOf100OrMoreAsksTheWholeFormAgain) {
  const std::string first = Fields({"1", "2", "3", "4", "5", "6"}) + Fields({"7", "8", "9", "10", "11", "12"});
  struct Case {
    const char* lastQ;
    bool restarts;
  };
  for (const Case& c : {Case{"100", true}, Case{"250.5", true}, Case{"99.5", false}, Case{"-500", false}}) {
    ProgramRun run("23<Return>" + first + Fields({"13", "14", "15", "16", "17", c.lastQ}) + "9");
    if (c.restarts) {
      // Back at A(1), typing over the old value; the other fields still show
      // what was typed, the heading stays and no table was printed.
      EXPECT_EQ(G.I, 1) << c.lastQ;
      EXPECT_EQ(run.Row(3), " 9      2      3") << c.lastQ;
      EXPECT_EQ(run.Row(0), kFormHeading) << c.lastQ;
      EXPECT_EQ(run.Colours(4)[1], '7') << c.lastQ;
    } else {
      // The typed 9 blanks the half of the heading's space it covers.
      EXPECT_EQ(run.Row(0), "初期値を入力して下さい  (X,Y)=9 　　　") << c.lastQ;
    }
  }
  // A Q of 100 in any other map is taken without a remark.
  ProgramRun other("23<Return>" + Fields({"1", "2", "3", "4", "5", "500"}) + Fields({"7", "8", "9", "10", "11", "12"}) +
                   Fields({"13", "14", "15", "16", "17", "18"}));
  EXPECT_EQ(other.Row(0), "初期値を入力して下さい  (X,Y)=　　　　");
  EXPECT_EQ(G.Q[1], 500);
}

TEST(EntryForm, OutlinesAreOnScreenWhileTypingAndTheFrameOnlyAfter) {
  ProgramRun typing("22<Return>" + Fields({"1", "2"}));
  EXPECT_EQ(typing.Pixel(0, 50), 12);
  EXPECT_EQ(typing.Pixel(0, 122), 10);
  EXPECT_EQ(typing.CountPixels(1), 0);
  ProgramRun done("22<Return>" + Fields({"1", "2", "3", "4", "5", "6", "1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(done.Pixel(180, 50), 1);
  EXPECT_EQ(done.Pixel(395, 225), 1);
}

TEST(EntryForm, RefusedValuesAreErasedAndAskedAgainInTheSameField) {
  ProgramRun run("21<Return>abc<Return>1e39<Return>1,2<Return>0.25<Return>");
  EXPECT_EQ(G.A[1], 0.25f);
  EXPECT_EQ(run.Row(3), " 0.25");
  EXPECT_EQ(run.screen().cursorRow, 3);
  EXPECT_EQ(run.screen().cursorColumn, 8);
}

TEST(EntryForm, BackspaceEditsTheAnswer) {
  ProgramRun run("21<Return>12<Backspace><Backspace>3x<Backspace>.5<Return>");
  EXPECT_EQ(G.A[1], 3.5f);
}

TEST(StartPoint, TheTypedPointBecomesTheCurrentPoint) {
  ProgramRun run("1<Return> -1.5 , 2e-1 <Return>", 1);
  EXPECT_EQ(G.X, -1.5f);
  EXPECT_EQ(G.Y, 0.2f);
  EXPECT_EQ(run.Row(22), "［ｆ．２］２倍拡大");
  EXPECT_EQ(run.Row(23), "［ｆ．３］終了");
  EXPECT_EQ(run.Colours(22).substr(0, 19), std::string(18, '7') + ".");
}

}  // namespace
