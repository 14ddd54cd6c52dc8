#include "window_reference.h"

#include <algorithm>
#include <cstring>

#include "app/globals.h"
#include "app/headless_run.h"
#include "console/compose.h"
#include "console/palette.h"

namespace window_test {

using console::kScreenHeight;
using console::kScreenWidth;

namespace {

int PaletteIndex(uint8_t r, uint8_t g, uint8_t b) {
  for (int i = 0; i < 16; ++i) {
    const console::Rgb c = console::kPalette[static_cast<size_t>(i)];
    if (c.r == r && c.g == g && c.b == b) return i;
  }
  return -1;
}

Indices Widen(const std::vector<uint8_t>& composed) { return Indices(composed.begin(), composed.end()); }

Reference FromScreen(const console::Screen& screen, int maps) {
  Reference reference;
  std::vector<uint8_t> composed;
  console::ComposeScreen(screen, false, composed);
  reference.screen = Widen(composed);
  console::Screen textOnly = screen;
  textOnly.plane.fill(0);
  console::ComposeScreen(textOnly, false, composed);
  reference.text = Widen(composed);
  reference.cursorColumn = screen.cursorColumn;
  reference.cursorRow = screen.cursorRow;
  for (int i = 1; i <= maps; ++i) reference.mapColours.insert((7 - i) * 2);
  return reference;
}

}  // namespace

namespace {

const uint8_t* PixelAt(const Picture& shot, int x, int y) {
  return &shot.rgb[(static_cast<size_t>(y) * static_cast<size_t>(shot.width) + static_cast<size_t>(x)) * 3];
}

int ColourAt(const Picture& shot, int x, int y) {
  const uint8_t* p = PixelAt(shot, x, y);
  return PaletteIndex(p[0], p[1], p[2]);
}

std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

// Empty when the screenshot has the window's size and is black outside
// the w x h rectangle at (left, top).
std::string BlackAround(const Picture& shot, int width, int height, int left, int top, int w, int h) {
  if (shot.width != width || shot.height != height)
    return "a screenshot of " + Size(shot.width, shot.height) + ", expected " + Size(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool inside = x >= left && x < left + w && y >= top && y < top + h;
      if (!inside && ColourAt(shot, x, y) != 0)
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") of the window, around the screen, is " +
               std::to_string(ColourAt(shot, x, y)) + ", not black";
    }
  return "";
}

}  // namespace

std::optional<Indices> Unplace(const Picture& shot, const Placement& placement, std::string& problem) {
  const int scale = placement.scale;
  problem = BlackAround(shot, placement.width, placement.height, placement.left, placement.top, kScreenWidth * scale,
                        kScreenHeight * scale);
  if (!problem.empty()) return std::nullopt;
  Indices out(static_cast<size_t>(kScreenWidth * kScreenHeight));
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      const int left = placement.left + x * scale, top = placement.top + y * scale;
      const uint8_t* colour = PixelAt(shot, left, top);
      // Every window pixel of a screen pixel has its colour.
      for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
          if (std::memcmp(PixelAt(shot, left + dx, top + dy), colour, 3) != 0) {
            problem = "window pixels (" + std::to_string(left) + ", " + std::to_string(top) + ") and (" +
                      std::to_string(left + dx) + ", " + std::to_string(top + dy) +
                      ") differ, though both show screen pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                      ") at zoom " + std::to_string(scale);
            return std::nullopt;
          }
      out[static_cast<size_t>(y * kScreenWidth + x)] = ColourAt(shot, left, top);
    }
  return out;
}

std::string SameShrunkScreen(const Picture& shot, const Shrunk& placement, const Reference& expected) {
  const Shrunk& p = placement;
  // The rectangle's edges may round either way.
  std::string problem =
      BlackAround(shot, p.width, p.height, p.left - 1, p.top - 1, p.shownWidth + 2, p.shownHeight + 2);
  if (!problem.empty()) return problem;
  // Shrinking keeps one screen pixel of a few, the nearest.
  int litShown = 0, litScreen = 0;
  for (int y = p.top; y < p.top + p.shownHeight; ++y)
    for (int x = p.left; x < p.left + p.shownWidth; ++x) {
      const int got = ColourAt(shot, x, y);
      const int sx = (x - p.left) * kScreenWidth / p.shownWidth, sy = (y - p.top) * kScreenHeight / p.shownHeight;
      bool near = false, nearCursor = false;
      for (int ny = std::max(0, sy - 1); ny <= std::min(kScreenHeight - 1, sy + 1); ++ny)
        for (int nx = std::max(0, sx - 1); nx <= std::min(kScreenWidth - 1, sx + 1); ++nx) {
          near = near || expected.At(nx, ny) == got;
          nearCursor = nearCursor || expected.UnderCursor(nx, ny);
        }
      if (!near && !nearCursor)
        return "window pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is colour " + std::to_string(got) +
               ", which the screen has nowhere near (" + std::to_string(sx) + ", " + std::to_string(sy) + ")";
      litShown += got != 0;
    }
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) litScreen += expected.At(x, y) != 0;
  const double kept = static_cast<double>(p.shownWidth) * p.shownHeight / (kScreenWidth * kScreenHeight);
  if (litShown < 0.4 * kept * litScreen)
    return "only " + std::to_string(litShown) + " lit pixels of the screen's " + std::to_string(litScreen) + " show";
  return "";
}

Picture ToPicture(const Indices& indices) {
  Picture picture{kScreenWidth, kScreenHeight, std::vector<uint8_t>(indices.size() * 3)};
  for (size_t i = 0; i < indices.size(); ++i) {
    const console::Rgb c = indices[i] < 0 ? console::Rgb{0x40, 0x20, 0x00} : console::PaletteColour(indices[i]);
    picture.rgb[i * 3] = c.r;
    picture.rgb[i * 3 + 1] = c.g;
    picture.rgb[i * 3 + 2] = c.b;
  }
  return picture;
}

bool Reference::UnderCursor(int x, int y) const {
  return x / console::kCellWidth == cursorColumn && y >= cursorRow * console::kCellHeight + console::kCellHeight - 2 &&
         y < (cursorRow + 1) * console::kCellHeight;
}

Reference HeadlessAfter(const std::string& keys, int64_t points) {
  const auto run = RunHeadless(keys, points);
  return FromScreen(run->screen(), static_cast<int>(G.K));
}

Reference DrawingAfter(const std::string& keys, const std::string& prompt) {
  const auto drawing = RunHeadless(keys, 1);
  const int maps = static_cast<int>(G.K);
  console::Screen screen = drawing->screen();
  screen.plane = RunHeadless(prompt, INT64_MAX)->screen().plane;
  return FromScreen(screen, maps);
}

std::string Describe(int x, int y, int got, int expected) {
  return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is colour " + std::to_string(got) +
         ", expected " + std::to_string(expected);
}

// Compares every pixel outside the input cursor; `allowed(x, y, got)` lets
// a differing pixel pass.
template <class Allowed>
std::string Differences(const Indices& window, const Reference& reference, Allowed allowed) {
  int wrong = 0;
  std::string first;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      const int got = window[static_cast<size_t>(y * kScreenWidth + x)];
      if (reference.UnderCursor(x, y) || got == reference.At(x, y) || allowed(x, y, got)) continue;
      if (wrong++ == 0) first = Describe(x, y, got, reference.At(x, y));
    }
  return wrong == 0 ? "" : std::to_string(wrong) + " pixels differ; first: " + first;
}

std::string SameScreen(const Indices& window, const Reference& reference) {
  return Differences(window, reference, [](int, int, int) { return false; });
}

std::string SameDrawing(const Indices& window, const Reference& reference) {
  // Points may lie anywhere on the plane where no text covers it.
  return Differences(window, reference, [&](int x, int y, int got) {
    const bool mayBePoint = reference.TextAt(x, y) == 0 && y < console::kPlaneHeight;
    return mayBePoint && reference.mapColours.count(got) != 0;
  });
}

int PointsInDrawingArea(const Indices& window, const Reference& pointless, int colour) {
  int count = 0;
  for (int y = 51; y < 399; ++y)
    for (int x = 181; x < 639; ++x)
      count += window[static_cast<size_t>(y * kScreenWidth + x)] == colour && pointless.At(x, y) == 0;
  return count;
}

Box PointsBox(const Reference& drawn, const Reference& pointless) {
  Box box;
  for (int y = 51; y < 399; ++y)
    for (int x = 181; x < 639; ++x)
      if (pointless.At(x, y) == 0 && drawn.mapColours.count(drawn.At(x, y)) != 0) {
        box.left = std::min(box.left, x - 3);
        box.right = std::max(box.right, x + 3);
        box.top = std::min(box.top, y - 3);
        box.bottom = std::max(box.bottom, y + 3);
      }
  return box;
}

int PointsOutside(const Indices& window, const Reference& pointless, const Box& box) {
  int count = 0;
  for (int y = 51; y < 399; ++y)
    for (int x = 181; x < 639; ++x)
      count += !box.Holds(x, y) && pointless.At(x, y) == 0 &&
               pointless.mapColours.count(window[static_cast<size_t>(y * kScreenWidth + x)]) != 0;
  return count;
}

}  // namespace window_test
