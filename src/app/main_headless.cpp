// ifsdraw-headless: runs the program on a script of keys and writes what
// the screen and the globals hold at the end.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "app/headless_run.h"
#include "app/state_dump.h"
#include "console/screen_dump.h"

namespace {

constexpr const char* kUsage =
    "usage: ifsdraw-headless [--keys KEYS] [--points N] [--text FILE] [--colors FILE]\n"
    "                        [--png FILE] [--state FILE]\n"
    "Runs ifsdraw without a window, typing KEYS, then drawing N more points\n"
    "(default 200000), and writes the screen and the program state.\n"
    "  --keys KEYS    keys in order; <Return> <Up> <Down> <Left> <Right> <Backspace>\n"
    "                 <F1> <F2> <F3> name keys, <points N> holds the next keys until\n"
    "                 N more points have been plotted\n"
    "  --points N     points to draw after the last key (default 200000)\n"
    "  --text FILE    the text grid, 24 lines of UTF-8\n"
    "  --colors FILE  the colour of every text cell, 24 lines of 80 hex digits\n"
    "  --png FILE     the screen as a picture\n"
    "  --state FILE   the program's variables, NAME=value per line\n";

bool WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary);
  out << contents;
  return static_cast<bool>(out);
}

int Usage(const std::string& problem) {
  std::cerr << "ifsdraw-headless: " << problem << "\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string keys, textFile, coloursFile, pngFile, stateFile;
  long long points = 200000;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (i + 1 >= argc) return Usage("missing value after " + arg);
    const std::string value = argv[++i];
    if (arg == "--keys") keys = value;
    else if (arg == "--text") textFile = value;
    else if (arg == "--colors") coloursFile = value;
    else if (arg == "--png") pngFile = value;
    else if (arg == "--state") stateFile = value;
    else if (arg == "--points") {
      char* end = nullptr;
      errno = 0;
      points = std::strtoll(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || errno != 0 || points < 0) return Usage("--points takes a whole number");
    } else {
      return Usage("unknown option " + arg);
    }
  }

  std::unique_ptr<console::HeadlessConsole> run;
  try {
    run = RunHeadless(keys, points);
  } catch (const std::invalid_argument& error) {
    return Usage(std::string("--keys: ") + error.what());
  }
  const console::Screen& screen = run->screen();
  bool ok = true;
  if (!textFile.empty()) ok &= WriteFile(textFile, console::TextDump(screen));
  if (!coloursFile.empty()) ok &= WriteFile(coloursFile, console::ColourDump(screen));
  if (!stateFile.empty()) ok &= WriteFile(stateFile, StateDump());
  if (!pngFile.empty()) ok &= console::WritePng(screen, pngFile);
  if (!ok) {
    std::cerr << "ifsdraw-headless: could not write an output file\n";
    return 1;
  }
  return 0;
}
