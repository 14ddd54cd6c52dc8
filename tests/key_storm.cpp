#include "key_storm.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <deque>
#include <random>
#include <string_view>
#include <vector>

#include "app/globals.h"
#include "app/headless_run.h"
#include "catalogue/catalogue.h"
#include "console/key_script.h"
#include "console/screen_dump.h"
#include "dump_line.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// --- Where the program is -----------------------------------------------

Where Locate(const console::Screen& screen, bool waitingForKey) {
  if (!waitingForKey) return Where::kDrawing;
  const std::string dump = console::TextDump(screen);
  const std::string top = DumpLine(dump, 0);
  if (top.find("HIT ANY KEY") != std::string::npos) return Where::kOverflow;
  if (screen.cursorVisible) {
    if (top.rfind("変換の個数", 0) == 0) return Where::kCountPrompt;
    if (top.rfind("初期値", 0) == 0) return Where::kStartPoint;
    if (top.rfind("行列の成分", 0) == 0) return Where::kEntryForm;
    return Where::kOther;
  }
  if (DumpLine(dump, 2).find("矢印で選んで") != std::string::npos) return Where::kSelection;
  if (DumpLine(dump, 10).find("１．デモ") != std::string::npos) return Where::kMainMenu;
  return Where::kOther;
}

// --- The keys ------------------------------------------------------------

// Chooses the steps. Answers are planned whole and typed one key per step;
// a plan is dropped when the program is no longer where it was made.
class StormKeys {
 public:
  explicit StormKeys(uint64_t seed) : random_(seed) {}

  // The next step in key-script notation: at most one key, then a hold.
  std::string Next(Where where) {
    if (where != planWhere_) plan_.clear();
    std::string key;
    if (!plan_.empty()) {
      key = plan_.front();
      plan_.pop_front();
    } else {
      key = Choose(where);
    }
    return key + "<points " + std::to_string(Hold()) + ">";
  }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <class T, size_t N>
  const T& OneOf(const T (&items)[N]) { return items[static_cast<size_t>(Below(static_cast<int>(N)))]; }

  int Hold() {
    if (Chance(0.05)) return 200 + Below(5000);
    return 1 + Below(64);
  }

  std::string FunctionKey() { return "<F" + std::to_string(1 + Below(3)) + ">"; }

  // Any key at all. '<' is left out: the script notation has no way to
  // type it once a named key follows.
  std::string AnyKey() {
    static constexpr const char* kNamed[] = {"<Return>", "<Backspace>", "<Up>", "<Down>", "<Left>", "<Right>"};
    if (Chance(0.03)) return FunctionKey();
    if (Chance(0.2)) return OneOf(kNamed);
    const int pick = Below(10);
    if (pick < 4) return std::string(1, static_cast<char>('0' + Below(10)));
    if (pick < 6) return std::string(1, static_cast<char>((Chance(0.5) ? 'a' : 'A') + Below(26)));
    char c;
    do c = static_cast<char>(32 + Below(95)); while (c == '<');
    return std::string(1, c);
  }

  std::string Choose(Where where) {
    switch (where) {
      case Where::kMainMenu:
        if (Chance(0.55)) return "1";
        if (Chance(0.65)) return "2";
        return AnyKey();
      case Where::kSelection: {
        static constexpr const char* kArrows[] = {"<Up>", "<Down>", "<Left>", "<Right>"};
        // Long walks, so that the edges of the grid are pressed against.
        if (Chance(0.85)) return OneOf(kArrows);
        if (Chance(0.3)) return "<Return>";
        return AnyKey();
      }
      case Where::kCountPrompt: return Answer(where, CountAnswer());
      case Where::kEntryForm: return Answer(where, CoefficientAnswer());
      case Where::kStartPoint: return Answer(where, StartPointAnswer());
      case Where::kDrawing: {
        if (Chance(0.45)) return "";
        static constexpr const char* kCommands[] = {"<F2>", "<F2>", "<F2>", "<F1>", "<F3>", "<F3>", "<F3>"};
        return OneOf(kCommands);
      }
      case Where::kOverflow:
      case Where::kOther: return AnyKey();
    }
    return AnyKey();
  }

  // Plans the typing of `answer` and Return, with now and then a slip put
  // right with Backspace or a key of any kind; returns the first key.
  std::string Answer(Where where, const std::string& answer) {
    if (Chance(0.04)) return AnyKey();
    planWhere_ = where;
    for (char c : answer) {
      if (Chance(0.02)) {
        plan_.push_back(std::string(1, static_cast<char>('0' + Below(10))));
        plan_.push_back("<Backspace>");
      }
      plan_.push_back(std::string(1, c));
    }
    if (Chance(0.05)) plan_.push_back(FunctionKey());
    plan_.push_back("<Return>");
    const std::string first = plan_.front();
    plan_.pop_front();
    return first;
  }

  std::string Odd() {
    static constexpr const char* kOdd[] = {
        "1e39", "-1e39", "-0", "1e-45", "-1e-45", "1,2,3", "1,2", "", "   ", "abc", "1e", ".", "e5", "+",
        "0x10", "inf", "nan", "1 2", "1..2", "--1", "3.4028235e38", "1e-50", "1d5",
    };
    return OneOf(kOdd);
  }

  // Hundreds of characters: a long but readable number, or a long mess.
  std::string Long() {
    const int length = 100 + Below(300);
    switch (Below(3)) {
      case 0: return "." + std::string(static_cast<size_t>(length), '0') + "1";
      case 1: return std::string(static_cast<size_t>(length), static_cast<char>('1' + Below(9)));
      default: {
        std::string mess;
        for (int i = 0; i < length; ++i) {
          char c;
          do c = static_cast<char>(32 + Below(95)); while (c == '<');
          mess += c;
        }
        return mess;
      }
    }
  }

  std::string Decimal(double value, int places) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    std::string text = buffer;
    if (Chance(0.3) && text.rfind("0.", 0) == 0) text.erase(0, 1);  // ".25"
    if (Chance(0.3) && text.rfind("-0.", 0) == 0) text.erase(1, 1);  // "-.25"
    return text;
  }

  std::string CountAnswer() {
    if (Chance(0.75)) {
      static constexpr const char* kForms[] = {"%d", " %d", "+%d", "%d.0", "%de0", "%d ", "0%d"};
      // Small counts more often: every map is typed in afterwards.
      const int k = Chance(0.6) ? 1 : 1 + Below(5);
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, OneOf(kForms), k);
      return buffer;
    }
    static constexpr const char* kRefused[] = {"0", "6", "2.5", "-1", "-0", "1e39", "1,2,3", "5.0001", "1e-45"};
    if (Chance(0.05)) return Long();
    return Chance(0.5) ? OneOf(kRefused) : Odd();
  }

  std::string CoefficientAnswer() {
    const int pick = Below(200);
    if (pick < 160) return Decimal(std::uniform_real_distribution<double>(-1, 1)(random_), Chance(0.8) ? 1 : 2 + Below(3));
    if (pick < 168) return std::to_string(1 + Below(9)) + "e" + std::to_string(3 + Below(35));  // runs away
    if (pick < 176) return Decimal(100 + Below(1000), Below(2));  // a last value of 100 or more restarts
    if (pick < 199) return Odd();
    return Long();
  }

  std::string StartPointAnswer() {
    if (Chance(0.8)) {
      std::uniform_real_distribution<double> any(-2, 2);
      return Decimal(any(random_), 1 + Below(3)) + "," + Decimal(any(random_), 1 + Below(3));
    }
    static constexpr const char* kOddPoints[] = {"1", "1,2,3", "1e39,0", "3e38,3e38", "-0,-0", ",", "1e-45,1e-45"};
    return Chance(0.95) ? OneOf(kOddPoints) : Long();
  }

  std::mt19937_64 random_;
  std::deque<std::string> plan_;
  Where planWhere_ = Where::kOther;
};

// --- The invariants --------------------------------------------------------

int64_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#else
  return static_cast<int64_t>(mallinfo2().uordblks);
#endif
}

bool IsWhole(float value, float low, float high) { return value >= low && value <= high && value == std::floor(value); }

class Invariants {
 public:
  // The first broken invariant, or "".
  std::string Check(const console::Screen& screen, Where where) {
    if (screen.cursorColumn < 0 || screen.cursorColumn >= console::kColumns || screen.cursorRow < 0 ||
        screen.cursorRow >= console::kRows)
      return "cursor off the grid at column " + std::to_string(screen.cursorColumn) + ", row " +
             std::to_string(screen.cursorRow);
    if (std::string lone = LoneHalf(screen); !lone.empty()) return lone;

    if (where == Where::kSelection) selectionSeen_ = true;
    if (selectionSeen_ && !IsWhole(G.KK, 1, kCatalogueSize)) return "KK = " + std::to_string(G.KK);
    if (where == Where::kSelection) {
      const float expected = 1 + 3 * (G.LY - 7) / 2 + (G.LX - 5) / 25;
      if (G.KK != expected) return "KK " + std::to_string(G.KK) + " is not the highlighted name";
      const console::Cell& first = screen.At(static_cast<int>(G.LX), static_cast<int>(G.LY));
      if (first.ch == 0 || first.colour != 4) return "no highlight at the name of KK";
    }
    if (G.K != 0) countSeen_ = true;
    if (countSeen_ && !IsWhole(G.K, 1, 5)) return "K = " + std::to_string(G.K);
    if (G.RX != 0) scaleSeen_ = true;
    if (scaleSeen_) {
      int exponent = 0;
      const float fraction = std::frexp(G.RX / 100, &exponent);
      if (G.RX != G.RY || fraction != 0.5f || exponent < 1)
        return "RX = " + std::to_string(G.RX) + ", RY = " + std::to_string(G.RY);
    }
    return "";
  }

 private:
  static std::string LoneHalf(const console::Screen& screen) {
    for (int row = 0; row < console::kRows; ++row) {
      for (int column = 0; column < console::kColumns; ++column) {
        const console::Cell& cell = screen.At(column, row);
        const bool paired =
            cell.half == console::Half::kSingle ||
            (cell.half == console::Half::kLeft && column + 1 < console::kColumns &&
             screen.At(column + 1, row).half == console::Half::kRight && screen.At(column + 1, row).ch == cell.ch) ||
            (cell.half == console::Half::kRight && column > 0 &&
             screen.At(column - 1, row).half == console::Half::kLeft && screen.At(column - 1, row).ch == cell.ch);
        if (!paired)
          return "half a full-width character alone at column " + std::to_string(column) + ", row " +
                 std::to_string(row);
      }
    }
    return "";
  }

  bool selectionSeen_ = false;
  bool countSeen_ = false;
  bool scaleSeen_ = false;
};

// --- The storm --------------------------------------------------------------

// What a sanitizer's death report should add: the storm running then.
uint64_t runningSeed = 0;
const std::string* runningScript = nullptr;

void ReportStormOnDeath() {
  if (runningScript == nullptr) return;
  const std::string report = "\nKey storm seed " + std::to_string(runningSeed) +
                             " died. To repeat it: " + RepeatCommand(*runningScript) + "\n";
  runningScript = nullptr;  // once
  for (size_t done = 0; done < report.size();) {
    const ssize_t written = write(STDERR_FILENO, report.data() + done, report.size() - done);
    if (written <= 0) break;
    done += static_cast<size_t>(written);
  }
}

// Undefined behaviour ends the run with abort() (see below), any other
// sanitizer through its death callback.
void ReportAndAbort(int) {
  ReportStormOnDeath();
  std::signal(SIGABRT, SIG_DFL);
  std::abort();
}

}  // namespace

// The undefined-behaviour sanitizer has a runtime of its own, which does not
// call the death callback set above: it is told to abort instead.
extern "C" const char* __ubsan_default_options() { return "abort_on_error=1:print_stacktrace=1"; }

const char* WhereName(Where where) {
  static constexpr const char* kNames[] = {"main menu", "selection", "count prompt", "entry form",
                                           "start point", "overflow", "drawing", "other"};
  return kNames[static_cast<int>(where)];
}

std::string RepeatCommand(const std::string& script) {
  // The storm types quotes too: each ' closes the quoting, is escaped, and
  // opens it again.
  std::string quoted = "'";
  for (const char c : script) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return "ifsdraw-headless --points 0 --state /dev/stdout --keys " + quoted + "'";
}

StormResult RunStorm(uint64_t seed, int64_t keys) {
  StormResult result;
  // Reserved whole, so the record itself does not show as growth.
  result.script.reserve(static_cast<size_t>(keys) * 40 + 4096);
  result.script = "<points 1>";  // the first step, before the program starts
  StormKeys storm(seed);
  Invariants invariants;
  const auto* const stackTop = static_cast<const char*>(__builtin_frame_address(0));
  int64_t heapAtQuarter = -1, heapAtEnd = -1;

  runningSeed = seed;
  runningScript = &result.script;
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(ReportStormOnDeath);
#endif
  std::signal(SIGABRT, ReportAndAbort);

  auto refill = [&](bool waitingForKey) -> std::vector<console::ScriptItem> {
    const auto* const frame = static_cast<const char*>(__builtin_frame_address(0));
    result.deepestStack = std::max<int64_t>(result.deepestStack, stackTop - frame);
    const console::Screen& screen = con->screen();
    const Where where = Locate(screen, waitingForKey);
    if (result.failure.empty()) result.failure = invariants.Check(screen, where);
    if (!result.failure.empty()) return {};
    // Measured at the same point of a step, so that only lasting growth counts.
    if (heapAtQuarter < 0 && result.keys >= keys / 4) heapAtQuarter = HeapInUse();
    if (result.keys >= keys) {
      heapAtEnd = HeapInUse();
      return {};
    }

    ++result.visits[static_cast<size_t>(where)];
    const std::string step = storm.Next(where);
    if (step.rfind("<points", 0) != 0) ++result.keys;
    result.script += step;
    return *console::ParseKeyScript(step, nullptr);
  };
  auto run = RunHeadless(std::make_unique<console::HeadlessConsole>(
      *console::ParseKeyScript("<points 1>", nullptr), 0, refill));

  result.points = run->PointsPlotted();
  if (heapAtQuarter >= 0 && heapAtEnd >= 0) result.heapGrowth = heapAtEnd - heapAtQuarter;
  runningScript = nullptr;
  return result;
}
