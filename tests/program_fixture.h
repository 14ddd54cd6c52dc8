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
#include "dump_line.h"

// Rows that several screens leave in place.
inline const std::string kMenuRow = std::string(15, ' ') + "１．デモ　　　　　　　　　　２．自分で作る";
inline const std::string kFormHeading = "行列の成分を入力して下さい　　　　　　";

class ProgramRun {
 public:
  // Without `points` the run goes on until the program waits for a key the
  // script does not give; a run that ends in drawing must name its points.
  explicit ProgramRun(std::string_view keys, int64_t points = INT64_MAX) : console_(RunHeadless(keys, points)) {}

  const console::Screen& screen() const { return console_->screen(); }
  const console::HeadlessConsole& console() const { return *console_; }

  // Row `row` of the text dump.
  std::string Row(int row) const { return DumpLine(console::TextDump(screen()), row); }
  // Row `row` of the colour dump.
  std::string Colours(int row) const { return DumpLine(console::ColourDump(screen()), row); }
  int Pixel(int x, int y) const { return screen().plane[static_cast<size_t>(y * console::kPlaneWidth + x)]; }
  int CountPixels(int colour) const {
    int count = 0;
    for (uint8_t p : screen().plane) count += p == colour;
    return count;
  }

 private:
  std::unique_ptr<console::HeadlessConsole> console_;
};
