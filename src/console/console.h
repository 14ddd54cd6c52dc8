// The text-and-graphics console: the only way the program shows anything or
// reads a key. It keeps the screen model that every back end presents and
// knows nothing of what the program draws. Back ends supply the keys and
// present the screen; see WindowConsole and HeadlessConsole.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "console/rng.h"
#include "console/screen.h"

namespace console {

// Key codes as back ends report them. Characters are their own code.
constexpr int kNoKey = -1;
constexpr int kKeyBackspace = 8;
constexpr int kKeyReturn = 13;
constexpr int kKeyRight = 28;
constexpr int kKeyLeft = 29;
constexpr int kKeyUp = 30;
constexpr int kKeyDown = 31;
constexpr int kKeyF1 = 0x101;  // F1..F3 are kKeyF1 + 0 .. 2
constexpr int FunctionKeyCode(int n) { return kKeyF1 + n - 1; }
constexpr bool IsFunctionKey(int key) { return key >= kKeyF1 && key < kKeyF1 + 3; }

// Thrown when the run is over: the window was closed, or a script ran out.
struct RunEnded {};

// One item of PrintItems: a text, a single-precision or a double-precision
// number.
using PrintItem = std::variant<std::string_view, float, double>;

// The longest answer InputValues accepts, in characters.
constexpr size_t kMaxAnswer = 255;

// Whether (x, y) lies on the pixel plane. NaN does not.
inline bool OnPlane(float x, float y) {
  return x >= 0.0f && x < static_cast<float>(kPlaneWidth) && y >= 0.0f && y < static_cast<float>(kPlaneHeight);
}

// Sets the pixel at (x, y) of a plane of kPlaneWidth x kPlaneHeight; a
// position off the plane, however far, is ignored.
inline void SetPlanePixel(uint8_t* plane, float x, float y, int colour) {
  if (OnPlane(x, y))
    plane[static_cast<size_t>(static_cast<int>(y) * kPlaneWidth + static_cast<int>(x))] = static_cast<uint8_t>(colour);
}

template <class Loop>
class FastLoop;

class Console {
 public:
  virtual ~Console() = default;

  void ClearScreen(int mode);
  // 0: text cleared; 3: text and graphics cleared; 5: graphics cleared, text
  // kept. Clearing the text puts the cursor at column 0 of the window's
  // first row.

  void Locate(int column, int row);
  // The next output starts at that cell (clamped into the grid).

  void SetColor(int colour);
  // Later text is printed in palette colour `colour`.

  void PrintItems(std::initializer_list<PrintItem> items, bool endLine);
  // Writes the items one after another at the cursor, numbers in the number
  // format; with `endLine` the cursor then moves to the next line.

  using AnswerCheck = bool (*)(std::span<const float> values);
  void InputValues(std::string_view prompt, std::initializer_list<float*> targets,
                   AnswerCheck accept = nullptr);
  // Shows the prompt at the cursor and reads one answer line, echoing it with
  // a visible cursor; Backspace edits, Return ends. An answer that does not
  // parse, or that `accept` turns down, is erased with a visible cue and
  // asked again in place. Stores the values in the targets in order. An
  // armed function key pressed meanwhile is taken at once and abandons the
  // prompt; an unarmed one is dropped.

  std::string PollKey();
  // Returns at once: one pending key as a one-character string, or "" when
  // none is pending. Function keys are never reported here. A back end may
  // wait briefly for a key, so that a polling loop does not burn a core.

  void PlotPoint(float x, float y, int colour) {
    // Sets that pixel; a position off the plane, however far, is ignored.
    SetPlanePixel(screen_.plane.data(), x, y, colour);
    if (--plotBudget_ <= 0) [[unlikely]] PlotBudgetSpent();
  }

  void DrawLine(float x1, float y1, float x2, float y2, int colour, int box);
  // box 0: the segment from (x1, y1) to (x2, y2); box 1: the outline of the
  // rectangle with those corners. Pixels off the plane are skipped.

  void SetTextWindow(int firstRow, int rows);
  // Rows firstRow .. firstRow + rows - 1 scroll; the rest stay put.

  void SetWidth(int columns);
  // The grid is always 80 columns wide; other widths are ignored.

  void BindFunctionKey(int key, void (*command)());
  // Binds function key 1..3 to a command, run by CheckEvents once armed.

  void SetFunctionKeyTrap(int key, bool on);
  // Arms (or disarms) function key 1..3. Presses of an unarmed key are
  // dropped.

  void CheckEvents() {
    // Runs a pending command of an armed function key, else returns at once.
    if (--checkBudget_ < 0) [[unlikely]] ServiceEvents();
  }

  void Randomize(uint64_t seed) { rng_.Seed(seed); }
  // Starts the fixed sequence of Random for `seed`.

  float Random() { return rng_.NextUnit(); }
  // The next number of the sequence, 0 <= r < 1.

  const Screen& screen() const { return screen_; }
  // What the screen shows now.

  int64_t PointsPlotted() const { return pointsCounted_ + (budgetStart_ - plotBudget_); }
  // Total points passed to PlotPoint in this run.

 protected:
  // --- What a back end provides ---

  // The next key, or kNoKey when none came. Called only while the program
  // waits for a key (PollKey, InputValues), so it may block briefly.
  // Function keys never come out here: they go to PressFunctionKey. While
  // one is pending no key comes out, so that its command acts first.
  virtual int NextKey() = 0;

  // Polls the back end's events (may call PressFunctionKey) and presents the
  // screen when due. Returns the number of CheckEvents calls after which it
  // wants to be called again.
  virtual int Service() = 0;

  // Called after the number of points last given to SetPlotBudget.
  virtual void PlotBudgetSpent() = 0;

  // --- Used by back ends ---
  void PressFunctionKey(int n);          // a function key went down
  void SetPlotBudget(int64_t points);    // call PlotBudgetSpent after `points` more points
  void ServiceSoon() { checkBudget_ = 0; }
  bool FunctionKeyPending() const { return pendingFunctionKey_ != 0; }
  bool RunningCommand() const { return runningCommand_; }

 private:
  template <class Loop>
  friend class FastLoop;

  void ServiceEvents();
  void DeliverFunctionKey();
  int WaitKey();

  Screen screen_;
  Rng rng_;
  int checkBudget_ = 0;
  int64_t plotBudget_ = INT64_MAX;
  int64_t budgetStart_ = INT64_MAX;
  int64_t pointsCounted_ = 0;
  int pendingFunctionKey_ = 0;
  bool runningCommand_ = false;
  void (*commands_[3])() = {nullptr, nullptr, nullptr};
  bool armed_[3] = {false, false, false};
};

}  // namespace console
