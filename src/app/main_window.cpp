// ifsdraw: the program in its window.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/globals.h"
#include "app/states.h"
#include "console/window_console.h"

namespace {

constexpr const char* kUsage =
    "usage: ifsdraw [--scale N] [--fullscreen] [--stats]\n"
    "Draws fractals of iterated function systems in a window.\n"
    "  --scale N     zoom the 640x432 screen by N (1 to 8, default 2)\n"
    "  --fullscreen  start in full screen; F11 switches at any time\n"
    "  --stats       print, when the program ends, the frames per second, the\n"
    "                longest pause between event checks and the points per\n"
    "                second while it drew\n"
    "Keys: digits, Return, arrows, Backspace; F2 zooms, F3 ends a drawing,\n"
    "F1 goes back to the entry form; Ctrl+Q or closing the window quits.\n";

int Usage(const std::string& problem) {
  std::cerr << "ifsdraw: " << problem << "\n" << kUsage;
  return 2;
}

void PrintStats(const console::WindowStats& stats) {
  const double seconds = stats.busySeconds > 0 ? stats.busySeconds : 1;
  std::printf("drawing time: %.1f s\n", stats.busySeconds);
  std::printf("frames per second while drawing: %.1f\n", static_cast<double>(stats.busyFrames) / seconds);
  std::printf("longest gap between event pumps while drawing: %.2f ms\n", stats.longestPumpGapMs);
  std::printf("points per second while drawing: %.0f\n", static_cast<double>(stats.points) / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  console::WindowOptions options;
  bool stats = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--fullscreen") {
      options.fullscreen = true;
    } else if (arg == "--stats") {
      stats = true;
    } else if (arg == "--scale") {
      if (i + 1 >= argc) return Usage("missing value after --scale");
      const std::string value = argv[++i];
      char* end = nullptr;
      errno = 0;
      const long scale = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || errno != 0 || scale < 1 || scale > 8)
        return Usage("--scale takes a whole number from 1 to 8");
      options.scale = static_cast<int>(scale);
    } else {
      return Usage("unknown option " + arg);
    }
  }

  try {
    console::WindowConsole window(options);
    G = Globals{};
    con = &window;
    try {
      RunProgram();
    } catch (const console::RunEnded&) {
    }
    con = nullptr;
    if (stats) PrintStats(window.Stats());
  } catch (const console::NoDisplay& error) {
    std::cerr << "ifsdraw: no display to open a window on (" << error.what()
              << "); ifsdraw-headless runs the program without one\n";
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "ifsdraw: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
