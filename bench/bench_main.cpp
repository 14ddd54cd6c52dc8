// ifsdraw-bench: the program's own drawing loop, run headless exactly as a
// user's drawing runs, side by side with the bare arithmetic, for three
// catalogue entries of two, three and five maps.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "app/headless_run.h"
#include "bench/bare_loop.h"
#include "catalogue/catalogue.h"
#include "catalogue/selection_keys.h"

namespace {

constexpr int kEntries[] = {1, 16, 9};

struct Options {
  int64_t points = 50'000'000;
  int reps = 5;
};

// The keys a user types to draw catalogue entry `entry` from (0, 0).
std::string KeysFor(int entry) { return SelectionKeys(entry) + "0,0<Return>"; }

// Processor time of this process, in seconds: unlike the wall clock it does
// not count the time other programs on a busy machine take from this one.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Peak resident memory of this process in kB, or -1 where unknown.
long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// Every pixel the bare loop set must show the same colour on the program's
// screen: the points come last there, over the frame and the outlines.
bool SamePoints(const console::Screen& program, const std::vector<uint8_t>& bare) {
  for (size_t i = 0; i < bare.size(); ++i)
    if (bare[i] != 0 && program.plane[i] != bare[i]) return false;
  return true;
}

bool ParseCount(const char* text, int64_t* out) {
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value <= 0) return false;
  *out = value;
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: ifsdraw-bench [--points N] [--reps N]\n"
               "Times N points (default 50000000) of the program's drawing and of the\n"
               "bare loop for catalogue entries 1, 16 and 9; prints the medians of\n"
               "the repetitions (default 5) in millions of points per second.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; i += 2) {
    int64_t value = 0;
    if (i + 1 >= argc || !ParseCount(argv[i + 1], &value)) return Usage();
    if (std::strcmp(argv[i], "--points") == 0) {
      options.points = value;
    } else if (std::strcmp(argv[i], "--reps") == 0 && value <= 1000) {
      options.reps = static_cast<int>(value);
    } else {
      return Usage();
    }
  }

  std::vector<uint8_t> barePlane(console::kPlaneWidth * console::kPlaneHeight);
  for (const int entry : kEntries) {
    const std::string keys = KeysFor(entry);
    std::vector<double> programTimes, bareTimes;
    for (int rep = 0; rep < options.reps; ++rep) {
      const double start = CpuSeconds();
      const auto run = RunHeadless(keys, options.points);
      programTimes.push_back(CpuSeconds() - start);

      std::fill(barePlane.begin(), barePlane.end(), uint8_t{0});
      const double bareStart = CpuSeconds();
      BareLoop(kCatalogue[static_cast<size_t>(entry - 1)], options.points, barePlane.data());
      bareTimes.push_back(CpuSeconds() - bareStart);

      if (run->PointsPlotted() != options.points || !SamePoints(run->screen(), barePlane)) {
        std::fprintf(stderr, "ifsdraw-bench: entry %d: the program and the bare loop drew different points\n", entry);
        return 1;
      }
    }
    const double program = static_cast<double>(options.points) / Median(programTimes) / 1e6;
    const double bare = static_cast<double>(options.points) / Median(bareTimes) / 1e6;
    std::printf("entry=%d program_mpts=%.1f bare_mpts=%.1f ratio=%.2f\n", entry, program, bare, program / bare);
    std::fflush(stdout);
  }
  std::printf("peak_rss_kb=%ld\n", PeakResidentKb());
  return 0;
}
