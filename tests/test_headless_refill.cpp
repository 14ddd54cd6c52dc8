// The headless console's refill (keys chosen one step at a time) and the
// order in which queued function keys are pressed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/headless_run.h"
#include "console/key_script.h"
#include "console/screen_dump.h"

namespace {

std::vector<console::ScriptItem> Items(const std::string& keys) { return *console::ParseKeyScript(keys, nullptr); }

struct Fed {
  std::vector<std::string> steps;  // given one per refill, in order
  std::vector<bool> waiting;       // what each refill was told
};

// Runs the program with the steps fed one per refill, after the first hold.
std::unique_ptr<console::HeadlessConsole> RunFed(Fed& fed) {
  size_t next = 0;
  auto refill = [&fed, next](bool waitingForKey) mutable {
    fed.waiting.push_back(waitingForKey);
    return next < fed.steps.size() ? Items(fed.steps[next++]) : std::vector<console::ScriptItem>{};
  };
  return RunHeadless(std::make_unique<console::HeadlessConsole>(Items("<points 1>"), 0, refill));
}

struct Final {
  std::string text;
  std::string state;
};

TEST(HeadlessRefill, StepsEndingInAHoldRunAsTheWholeScriptWould) {
  // Each step ends in a hold, so the program has taken the step before the
  // next is asked for; that makes the run equal to the concatenated script.
  const std::vector<std::string> cases[] = {
      {"1<points 3>", "<Down><points 2>", "<Return><points 5>", "1<points 1>", ",<points 1>", "2<points 1>",
       "<Return><points 40>", "<F2><points 30>", "<points 7>", "<F3><points 9>", "2<points 1>"},
      {"2<points 1>", "1<points 1>", "<Return><points 1>", "0.5<points 1>", "<Return><points 1>", "<Return><points 1>",
       "<Return><points 1>", "<Return><points 1>", "<Return><points 1>", ".25,1<points 1>", "<Return><points 1>",
       "0<points 1>", "<Return><points 1>", "0,0<points 1>", "<Return><points 100>", "<F1><points 2>", "x<points 1>"},
  };
  for (const auto& steps : cases) {
    Fed fed{steps, {}};
    const auto stepped = RunFed(fed);
    const std::string text = console::TextDump(stepped->screen());
    const float rx = G.RX, x = G.X;
    const int64_t points = stepped->PointsPlotted();

    std::string whole = "<points 1>";
    for (const auto& step : steps) whole += step;
    const auto scripted = RunHeadless(whole, 0);
    EXPECT_EQ(text, console::TextDump(scripted->screen())) << whole;
    EXPECT_EQ(stepped->screen().plane, scripted->screen().plane) << whole;
    EXPECT_EQ(points, scripted->PointsPlotted()) << whole;
    EXPECT_EQ(rx, G.RX) << whole;
    EXPECT_EQ(x, G.X) << whole;
    EXPECT_EQ(fed.waiting.size(), steps.size() + 1) << whole;  // one more: the empty answer
  }
}

TEST(HeadlessRefill, TellsWhetherTheProgramWaitsForAKeyOrDraws) {
  Fed fed{{"1<points 1>", "<Return><points 1>", "0,0<points 1>", "<Return><points 20>", "<points 5>",
           "<F3><points 1>"},
          {}};
  const auto run = RunFed(fed);
  // Menu, selection, prompt, prompt (typing), drawing, drawing, menu.
  const std::vector<bool> expected = {true, true, true, true, false, false, true};
  EXPECT_EQ(fed.waiting, expected);
  EXPECT_EQ(run->PointsPlotted(), 25);
}

TEST(HeadlessScript, QueuedFunctionKeysArePressedOneAfterTheOther) {
  // The second F2 waits until the first has been taken, then follows at
  // once, well before the final points are drawn.
  const auto run = RunHeadless("1<Return>0,0<Return><points 10><F2><F2><F2>", 10);
  EXPECT_EQ(G.RX, 800);
  EXPECT_EQ(G.RY, 800);
  EXPECT_LT(run->PointsPlotted(), 100);
}

TEST(HeadlessScript, AHoldAfterAFunctionKeyCountsThePointsDrawnOnceItActs) {
  // F2 pressed while the main menu waits: the hold is not ended by that
  // wait but by the points the drawing plots afterwards.
  const auto run = RunHeadless("1<Return>0,0<Return><points 10><F3><points 1><F2><points 30>", 0);
  EXPECT_EQ(G.RX, 200);
  EXPECT_EQ(run->PointsPlotted(), 40);
}

TEST(HeadlessScript, AKeyTypedWhileDrawingEndsTheRunAfterTheFinalPoints) {
  // The drawing never asks for the "a": the run still ends, after the
  // final points, instead of drawing for ever.
  const auto run = RunHeadless("1<Return>0,0<Return>a<F3>", 1000);
  EXPECT_EQ(run->PointsPlotted(), 1000);
  EXPECT_EQ(G.RX, 100);
}

TEST(HeadlessScript, AFunctionKeyPressedLastActsEvenWithNoFinalPoints) {
  const auto run = RunHeadless("1<Return>0,0<Return><points 10><F2>", 0);
  EXPECT_EQ(G.RX, 200);
  EXPECT_EQ(run->PointsPlotted(), 10);
}

}  // namespace
