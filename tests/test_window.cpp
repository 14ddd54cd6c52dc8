// The real window, end to end: ifsdraw on a private Xvfb, keys through
// xdotool, screenshots scaled back to the screen's own size and compared
// with what the headless runner shows after the same keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "window_reference.h"
#include "window_session.h"

namespace {

using namespace window_test;
using console::kScreenHeight;
using console::kScreenWidth;

// The window at its default zoom, 2.
constexpr Placement kWindowed{2 * kScreenWidth, 2 * kScreenHeight, 2, 0, 0};
const milliseconds kScreenTimeout(45000);

std::string OutputDir() {
  const std::string dir = IFSDRAW_WINDOW_TEST_OUTPUT;
  std::filesystem::create_directories(dir);
  return dir;
}

std::string TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  std::replace(name.begin(), name.end(), '/', '_');  // parameterised names
  return name;
}

class Window : public ::testing::Test {
 protected:
  explicit Window(const std::string& screenSize = "1600x1000") : server_(screenSize) {}

  void SetUp() override { Start({}); }

  void Start(const std::vector<std::string>& arguments) {
    window_.reset();
    window_.emplace(server_, IFSDRAW_WINDOW_BINARY, arguments, OutputDir() + "/" + TestName() + ".log");
  }

  // Takes screenshots until `check` passes on one (returns ""), or gives
  // up after a generous time and reports the last problem, leaving the
  // last screenshot and the expected screen beside the test log.
  std::string WaitForPicture(const std::string& step, const Reference& expected,
                             const std::function<std::string(const Picture&)>& check) {
    const auto deadline = std::chrono::steady_clock::now() + kScreenTimeout;
    std::string problem;
    Picture shot;
    for (;;) {
      shot = window_->Screenshot();
      problem = check(shot);
      if (problem.empty()) return "";
      if (std::chrono::steady_clock::now() >= deadline) break;
      std::this_thread::sleep_for(milliseconds(150));
    }
    const std::string stem = OutputDir() + "/" + TestName() + "." + step;
    WritePpm(shot, stem + ".window.ppm");
    WritePpm(ToPicture(expected.screen), stem + ".expected.ppm");
    return step + ": " + problem + " (pictures: " + stem + ".*.ppm; log: " + window_->Log() + ")";
  }

  // The same with `check` on the screen as the window shows it at
  // `placement`, shrunk back to the screen's own size.
  std::string WaitFor(const std::string& step, const Reference& expected,
                      const std::function<std::string(const Indices&)>& check,
                      const Placement& placement = kWindowed) {
    return WaitForPicture(step, expected, [&](const Picture& shot) {
      std::string problem;
      const auto indices = Unplace(shot, placement, problem);
      return indices ? check(*indices) : problem;
    });
  }

  std::string WaitForScreen(const std::string& step, const Reference& expected,
                            const Placement& placement = kWindowed) {
    return WaitFor(step, expected, [&](const Indices& shot) { return SameScreen(shot, expected); }, placement);
  }

  // Ctrl+Q ends the program normally; under the sanitizers a clean exit
  // also means no error was found on the way.
  void QuitAndExpectCleanExit() {
    window_->Key("ctrl+q");
    const auto status = window_->WaitForExit(milliseconds(30000));
    ASSERT_TRUE(status.has_value()) << "ifsdraw did not end after Ctrl+Q";
    EXPECT_EQ(*status, 0) << window_->Log();
  }

  XServer server_;
  std::optional<WindowUnderTest> window_;
};

TEST_F(Window, MainMenuTitleAsTheHeadlessRunnerDrawsIt) {
  const Reference menu = HeadlessAfter("");
  ASSERT_EQ(WaitForScreen("menu", menu), "");

  // The title alone, white, at column 15 of row 10.
  const std::string placed = WaitFor("title", menu, [](const Indices& shot) -> std::string {
    int white = 0;
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x) {
        const int colour = shot[static_cast<size_t>(y * kScreenWidth + x)];
        if (colour == 0) continue;
        if (colour != 7 || x < 120 || x > 455 || y < 181 || y > 196) return Describe(x, y, colour, 0);
        ++white;
      }
    return white > 300 ? "" : "only " + std::to_string(white) + " white pixels";
  });
  EXPECT_EQ(placed, "");

  // ifsdraw-headless --png draws the same picture.
  const std::string png = OutputDir() + "/" + TestName() + ".headless.png";
  const CommandResult headless = RunCommand({IFSDRAW_HEADLESS, "--keys", "", "--png", png}, {});
  ASSERT_EQ(headless.status, 0) << headless.err;
  std::string problem;
  const auto fromPng = Unplace(ReadPicture(png), Placement{kScreenWidth, kScreenHeight, 1, 0, 0}, problem);
  ASSERT_TRUE(fromPng.has_value()) << "cannot read " << png << ": " << problem;
  Reference cli = menu;
  cli.screen = *fromPng;
  EXPECT_EQ(WaitForScreen("png", cli), "");
  QuitAndExpectCleanExit();
}

const std::string kDemo = "1<Return>0,0<Return>";  // entry 1 drawn from (0, 0)

// Points of the maps inside the frame, where the screen without points is
// blank.
std::string HasPoints(const Indices& shot, const Reference& drawing, int atLeast) {
  int points = 0;
  for (int colour : drawing.mapColours) points += PointsInDrawingArea(shot, drawing, colour);
  return points >= atLeast ? "" : "only " + std::to_string(points) + " points in the drawing area";
}

TEST_F(Window, DemoDrawingThenF2ZoomsAndF3EndsIt) {
  window_->Key("1");
  ASSERT_EQ(WaitForScreen("selection", HeadlessAfter("1")), "");
  window_->Key("Return");
  ASSERT_EQ(WaitForScreen("start point", HeadlessAfter("1<Return>")), "");
  window_->Type("0,0");
  window_->Key("Return");

  // Text, frame and outlines as headless; both maps' points in their
  // colours, 12 (80FF80) and 10 (FF8080), inside the frame.
  const Reference drawing = DrawingAfter(kDemo, "1<Return>");
  ASSERT_EQ(drawing.mapColours, (std::set<int>{12, 10}));
  ASSERT_EQ(WaitFor("drawing", drawing,
                    [&](const Indices& shot) -> std::string {
                      std::string problem = SameDrawing(shot, drawing);
                      for (int colour : {12, 10})
                        if (problem.empty() && PointsInDrawingArea(shot, drawing, colour) < 100)
                          problem = "few points in colour " + std::to_string(colour);
                      return problem;
                    }),
            "");

  // F2: the key help stays, frame and outlines are redrawn and the points
  // now reach beyond where the drawing at scale 100 ever goes.
  const Box scale100 = PointsBox(HeadlessAfter(kDemo, 300000), drawing);
  window_->Key("F2");
  const Reference zoomed = DrawingAfter(kDemo + "<points 1000><F2>", "1<Return>");
  ASSERT_EQ(WaitFor("F2", zoomed,
                    [&](const Indices& shot) -> std::string {
                      const std::string problem = SameDrawing(shot, zoomed);
                      if (!problem.empty()) return problem;
                      const int outside = PointsOutside(shot, zoomed, scale100);
                      return outside >= 100 ? "" : "only " + std::to_string(outside) + " points beyond scale 100";
                    }),
            "");

  window_->Key("F3");
  ASSERT_EQ(WaitForScreen("F3", HeadlessAfter(kDemo + "<points 1000><F2><points 1000><F3>")), "");
  QuitAndExpectCleanExit();
}

// Every screen in turn. Screens that do not depend on timing must equal the
// headless runner's pixel for pixel; drawings must agree in text, frame and
// outlines, with points where the headless screen has none.
TEST_F(Window, TourOfEveryScreen) {
  enum class Kind { kScreen, kDrawing, kZoom };
  struct Step {
    std::string name;
    std::vector<std::string> keys;  // xdotool key names; "=text" is typed
    std::string script;             // the same keys for the headless runner
    Kind kind;
    int points = 0;                 // points a drawing shows at least
  };
  const std::vector<Step> tour = {
      {"main menu", {}, "", Kind::kScreen},
      {"selection", {"1"}, "1", Kind::kScreen},
      {"selection moves", {"Right", "Down", "Down", "Left", "Up"}, "<Right><Down><Down><Left><Up>", Kind::kScreen},
      {"demo start point", {"Return"}, "<Return>", Kind::kScreen},
      {"demo drawing", {"=0,0", "Return"}, "0,0<Return>", Kind::kDrawing, 100},
      {"F2", {"F2"}, "<points 2000><F2>", Kind::kZoom},
      {"F2 again", {"F2"}, "<points 2000><F2>", Kind::kZoom},
      {"F1 entry form", {"F1"}, "<points 2000><F1>", Kind::kScreen},
      {"F3 main menu", {"F3"}, "<F3>", Kind::kScreen},
      {"count prompt", {"2"}, "2", Kind::kScreen},
      {"entry form", {"1", "Return"}, "1<Return>", Kind::kScreen},
      {"A typed", {"=.5", "Return"}, ".5<Return>", Kind::kScreen},
      {"B, P typed", {"=0", "Return", "=.25", "Return"}, "0<Return>.25<Return>", Kind::kScreen},
      {"C, D, Q typed", {"=0", "Return", "=.5", "Return", "=.25", "Return"}, "0<Return>.5<Return>.25<Return>",
       Kind::kScreen},
      {"own drawing", {"=1,1", "Return"}, "1,1<Return>", Kind::kDrawing, 1},
      {"back to the menu", {"F3"}, "<points 2000><F3>", Kind::kScreen},
      {"doubling map", {"2", "1", "Return", "=2", "Return", "=0", "Return", "=0", "Return", "=0", "Return", "=2",
                        "Return", "=0", "Return"},
       "21<Return>2<Return>0<Return>0<Return>0<Return>2<Return>0<Return>", Kind::kScreen},
      {"overflow", {"=1,1", "Return"}, "1,1<Return>", Kind::kScreen},
      {"menu after overflow", {"5"}, "5", Kind::kScreen},
  };

  std::string script;
  std::string prompt;  // the keys up to the last start-point prompt
  Box lastExtent;
  for (const Step& step : tour) {
    SCOPED_TRACE(step.name);
    const std::string before = script;
    if (step.kind == Kind::kDrawing) prompt = script;
    script += step.script;
    for (const std::string& key : step.keys) {
      if (key[0] == '=') window_->Type(key.substr(1));
      else window_->Key(key);
    }
    if (step.kind == Kind::kScreen) {
      ASSERT_EQ(WaitForScreen(step.name, HeadlessAfter(script)), "");
      continue;
    }
    const Reference drawing = DrawingAfter(script, prompt);
    if (step.kind == Kind::kZoom) {
      lastExtent = PointsBox(HeadlessAfter(before, 300000), drawing);
      ASSERT_EQ(WaitFor(step.name, drawing,
                        [&](const Indices& shot) -> std::string {
                          const std::string problem = SameDrawing(shot, drawing);
                          if (!problem.empty()) return problem;
                          return PointsOutside(shot, drawing, lastExtent) >= 20 ? "" : "the picture was not zoomed";
                        }),
                "");
    } else {
      ASSERT_EQ(WaitFor(step.name, drawing,
                        [&](const Indices& shot) -> std::string {
                          const std::string problem = SameDrawing(shot, drawing);
                          return problem.empty() ? HasPoints(shot, drawing, step.points) : problem;
                        }),
                "");
    }
  }
  QuitAndExpectCleanExit();
}

TEST_F(Window, ScaleOneShowsTheScreenPixelForPixel) {
  QuitAndExpectCleanExit();
  Start({"--scale", "1"});
  ASSERT_EQ(WaitForScreen("menu", HeadlessAfter(""), Placement{kScreenWidth, kScreenHeight, 1, 0, 0}), "");
  QuitAndExpectCleanExit();
}

// Resized by hand, the window shows the screen at the largest whole zoom
// that fits, centred on black; smaller than the screen, the screen shrunk
// to fit. A key's change is drawn at the size of the moment.
TEST_F(Window, ResizedWindowShowsTheScreenAtTheZoomThatFits) {
  struct Step {
    std::string name;
    int width, height;
    std::string key;     // an xdotool key name, or none
    std::string script;  // the same key for the headless runner
    int scale;           // 0: shrunk into shown at (left, top)
    int left, top;
    int shownWidth = 0, shownHeight = 0;
  };
  const std::vector<Step> steps = {
      {"larger, not a multiple", 1500, 950, "", "", 2, 110, 43},
      {"a key at that size", 1500, 950, "1", "1", 2, 110, 43},
      {"too small for zoom 2", 1000, 700, "", "", 1, 180, 134},
      {"the screen's own size", 640, 432, "", "", 1, 0, 0},
      {"a pixel narrower", 639, 432, "", "", 0, 0, 0, 639, 431},
      {"wide and low", 560, 300, "", "", 0, 58, 0, 444, 300},
      {"a key while shrunk", 560, 300, "Right", "<Right>", 0, 58, 0, 444, 300},
      {"narrow and high", 500, 400, "", "", 0, 0, 31, 500, 337},
      {"back to zoom 2", 1280, 864, "", "", 2, 0, 0},
  };
  std::string script;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    window_->Resize(step.width, step.height);
    if (!step.key.empty()) window_->Key(step.key);
    script += step.script;
    const Reference expected = HeadlessAfter(script);
    if (step.scale > 0) {
      ASSERT_EQ(WaitForScreen(step.name, expected, Placement{step.width, step.height, step.scale, step.left, step.top}),
                "");
    } else {
      const Shrunk shrunk{step.width, step.height, step.left, step.top, step.shownWidth, step.shownHeight};
      ASSERT_EQ(WaitForPicture(step.name, expected,
                               [&](const Picture& shot) { return SameShrunkScreen(shot, shrunk, expected); }),
                "");
    }
  }
  QuitAndExpectCleanExit();
}

// Full screen on a screen where zoom 3 fits: 1920x1296 of 2000x1400. With
// a window manager it is asked for; without one (a kiosk, a bare xinit)
// nobody would answer, and the window covers the display itself.
class FullScreen : public Window, public ::testing::WithParamInterface<bool> {
 protected:
  FullScreen() : Window("2000x1400") {
    if (GetParam()) manager_.emplace(server_);
  }
  void SetUp() override {}  // each test starts the program its own way

  static constexpr Placement kFull{2000, 1400, 3, 40, 52};
  std::optional<WindowManager> manager_;
};

TEST_P(FullScreen, FullscreenOptionShowsTheLargestZoomCentredAndF11LeavesIt) {
  Start({"--fullscreen"});
  ASSERT_EQ(WaitForScreen("menu", HeadlessAfter(""), kFull), "");
  window_->Key("1");
  ASSERT_EQ(WaitForScreen("selection", HeadlessAfter("1"), kFull), "");
  // Out of full screen, the window has the size --scale gives it.
  window_->Key("F11");
  ASSERT_EQ(WaitForScreen("window", HeadlessAfter("1"), kWindowed), "");
  QuitAndExpectCleanExit();
}

TEST_P(FullScreen, F11GoesToFullScreenAndBackToTheWindow) {
  Start({});
  ASSERT_EQ(WaitForScreen("window", HeadlessAfter("")), "");
  window_->Key("F11");
  ASSERT_EQ(WaitForScreen("full screen", HeadlessAfter(""), kFull), "");
  window_->Key("1");
  window_->Key("Right");
  ASSERT_EQ(WaitForScreen("keys in full screen", HeadlessAfter("1<Right>"), kFull), "");
  window_->Key("F11");
  ASSERT_EQ(WaitForScreen("window again", HeadlessAfter("1<Right>")), "");
  window_->Key("Down");
  ASSERT_EQ(WaitForScreen("a key in the window", HeadlessAfter("1<Right><Down>")), "");
  QuitAndExpectCleanExit();
}

INSTANTIATE_TEST_SUITE_P(WindowManager, FullScreen, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? std::string("With") : std::string("Without");
                         });

}  // namespace

// Without a display, and with arguments it does not take, ifsdraw says so
// in a line and stops.
TEST(WindowProgram, WithoutADisplayItPointsToTheHeadlessRunner) {
  const CommandResult run =
      RunCommand({IFSDRAW_WINDOW_BINARY}, {{"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt},
                                           {"SDL_VIDEODRIVER", std::nullopt}, {"ASAN_OPTIONS", "detect_leaks=0"}});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("ifsdraw-headless"), std::string::npos) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST(WindowProgram, BadArgumentsGiveTheUsageAndStatus2) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--scale"}, {"--scale", "0"}, {"--scale", "2x"}, {"--scale", "9"}, {"--colour"},
        {"extra"}}) {
    std::vector<std::string> argv{IFSDRAW_WINDOW_BINARY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const CommandResult run = RunCommand(argv, {{"DISPLAY", std::nullopt}, {"ASAN_OPTIONS", "detect_leaks=0"}});
    EXPECT_EQ(run.status, 2) << arguments[0];
    EXPECT_NE(run.err.find("usage: ifsdraw"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  const CommandResult help = RunCommand({IFSDRAW_WINDOW_BINARY, "--help"}, {{"DISPLAY", std::nullopt}});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--scale", "--fullscreen", "--stats"})
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
}
