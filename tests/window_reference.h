// What the window should show, from the headless runner, and the ways a
// screenshot of the window is compared with it.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "console/screen.h"
#include "window_session.h"

namespace window_test {

// Palette indices of a picture at the screen's size, -1 for a colour that
// is not in the palette.
using Indices = std::vector<int>;

// Where the screen lies in a window of width x height: zoomed by `scale`,
// its top left corner at (left, top), black all around.
struct Placement {
  int width = 0;
  int height = 0;
  int scale = 1;
  int left = 0;
  int top = 0;
};

// The screen cut out of a screenshot and shrunk back to its own size.
// Nothing when the screenshot is not the placement's size or a pixel
// around the screen is not black; `problem` then says which.
std::optional<Indices> Unplace(const Picture& shot, const Placement& placement, std::string& problem);

// The indices as a picture; a colour outside the palette shows dark brown.
Picture ToPicture(const Indices& indices);

// What the headless runner shows after the same keys.
struct Reference {
  Indices screen;      // the composed screen, without the input cursor
  Indices text;        // the text layer alone: a glyph's colour, or 0
  int cursorColumn = 0;
  int cursorRow = 0;
  std::set<int> mapColours;  // colours of the maps' points, (7 - I) * 2

  // The two pixel rows of the input cursor's cell, which only the window
  // draws.
  bool UnderCursor(int x, int y) const;
  int At(int x, int y) const { return screen[static_cast<size_t>(y * console::kScreenWidth + x)]; }
  int TextAt(int x, int y) const { return text[static_cast<size_t>(y * console::kScreenWidth + x)]; }
};

// Without `points` the run goes on until the program waits for a key.
Reference HeadlessAfter(const std::string& keys, int64_t points = INT64_MAX);

// A drawing without its points: the text once drawing has started after
// `keys`, over the frame and outlines as they stood at the start-point
// prompt that `prompt` leads to (the zoom does not move them).
Reference DrawingAfter(const std::string& keys, const std::string& prompt);

std::string Describe(int x, int y, int got, int expected);

// A window smaller than the screen: the screen shrunk to shownWidth x
// shownHeight (give or take a pixel) with its top left corner at
// (left, top), black all around.
struct Shrunk {
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
  int shownWidth = 0;
  int shownHeight = 0;
};

// Every pixel of the shrunk screen must be one of the expected screen's
// pixels near the one it stands for, and most of the screen's lit pixels
// must still show. Empty when so.
std::string SameShrunkScreen(const Picture& shot, const Shrunk& placement, const Reference& expected);

// A screen that does not depend on timing: every pixel as the headless
// runner has it, the input cursor aside. Empty when it matches.
std::string SameScreen(const Indices& window, const Reference& reference);

// A drawing: the text exactly as the headless runner has it; every other
// pixel of the plane as there (frame, outlines, background) or a point in
// one of the maps' colours, which may cover anything on the plane. The
// reference holds no points. Empty when it matches.
std::string SameDrawing(const Indices& window, const Reference& reference);

// Points inside the frame: pixels in `colour` where the screen without
// points is blank.
int PointsInDrawingArea(const Indices& window, const Reference& pointless, int colour);

struct Box {
  int left = console::kScreenWidth, top = console::kScreenHeight, right = -1, bottom = -1;
  bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The box around every point the headless runner draws inside the frame,
// widened by a few pixels.
Box PointsBox(const Reference& drawn, const Reference& pointless);

// Points of the window inside the frame but outside `box`.
int PointsOutside(const Indices& window, const Reference& pointless, const Box& box);

}  // namespace window_test
