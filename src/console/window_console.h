// The window back end: an SDL2 window that presents the screen model and
// turns the keyboard into the console's key codes. It holds no program
// logic; the program runs on it exactly as on the headless console.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>

#include "console/console.h"

namespace console {

struct WindowOptions {
  int scale = 2;           // whole-number zoom of the 640 x 432 screen
  bool fullscreen = false;
};

// Thrown by the constructor when no window can be opened because there is
// no display to open it on.
struct NoDisplay : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// How the window kept up, for `ifsdraw --stats`. "Busy" is the time the
// program ran without waiting for a key, which is the drawing.
struct WindowStats {
  double busySeconds = 0;
  int64_t busyFrames = 0;      // frames presented while busy
  double longestPumpGapMs = 0; // longest time between two event pumps while busy
  int64_t points = 0;          // points plotted in the whole run
};

class WindowConsole : public Console {
 public:
  explicit WindowConsole(const WindowOptions& options);
  ~WindowConsole() override;
  WindowConsole(const WindowConsole&) = delete;
  WindowConsole& operator=(const WindowConsole&) = delete;

  WindowStats Stats() const;

 protected:
  int NextKey() override;
  int Service() override;
  void PlotBudgetSpent() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace console
