// Runs the real program on the headless console and reads what a user
// would see: the text grid, cell colours, pixels and the globals.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/headless_run.h"
#include "console/screen_dump.h"

class ProgramRun {
 public:
  // Without `points` the run goes on until the program waits for a key the
  // script does not give; a run that ends in drawing must name its points.
  explicit ProgramRun(std::string_view keys, int64_t points = INT64_MAX) : console_(RunHeadless(keys, points)) {}

  const console::Screen& screen() const { return console_->screen(); }
  const console::HeadlessConsole& console() const { return *console_; }

  // Row `row` of the text dump.
  std::string Row(int row) const { return Line(console::TextDump(screen()), row); }
  // Row `row` of the colour dump.
  std::string Colours(int row) const { return Line(console::ColourDump(screen()), row); }
  int Pixel(int x, int y) const { return screen().plane[static_cast<size_t>(y * console::kPlaneWidth + x)]; }
  int CountPixels(int colour) const {
    int count = 0;
    for (uint8_t p : screen().plane) count += p == colour;
    return count;
  }

 private:
  static std::string Line(const std::string& dump, int row) {
    size_t start = 0;
    for (int i = 0; i < row; ++i) start = dump.find('\n', start) + 1;
    return dump.substr(start, dump.find('\n', start) - start);
  }
  std::unique_ptr<console::HeadlessConsole> console_;
};
