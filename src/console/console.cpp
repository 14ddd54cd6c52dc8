#include "console/console.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "console/answer_parser.h"
#include "console/number_format.h"
#include "console/text_grid.h"

namespace console {
namespace {

// The cell where the typed answer starts, counted from the start of the
// grid; the echo never scrolls, so the answer must end inside the grid.
int AnswerStartCell(const Screen& screen) {
  const int start = screen.cursorRow * kColumns + screen.cursorColumn;
  return screen.wrapPending ? start + 1 : start;
}

void SetPixel(Screen& screen, int x, int y, int colour) {
  if (x >= 0 && x < kPlaneWidth && y >= 0 && y < kPlaneHeight)
    screen.plane[static_cast<size_t>(y * kPlaneWidth + x)] = static_cast<uint8_t>(colour);
}

// Endpoints are whole pixels; anything absurdly far away is pulled in first
// so that the conversion to int is always defined.
int ToPixel(float v) {
  if (!(v > -1e6f)) return -1000000;
  if (!(v < 1e6f)) return 1000000;
  return static_cast<int>(std::lround(v));
}

void Segment(Screen& screen, int x1, int y1, int x2, int y2, int colour) {
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    SetPixel(screen, x1, y1, colour);
    if (x1 == x2 && y1 == y2) break;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, x1 += sx;
    if (twice <= dx) error += dx, y1 += sy;
  }
}

}  // namespace

void Console::ClearScreen(int mode) {
  if (mode == 0 || mode == 3) {
    ClearText(screen_);
    screen_.cursorColumn = 0;
    screen_.cursorRow = screen_.windowFirst;
    screen_.wrapPending = false;
  }
  if (mode == 3 || mode == 5) screen_.plane.fill(0);
}

void Console::Locate(int column, int row) {
  screen_.cursorColumn = std::clamp(column, 0, kColumns - 1);
  screen_.cursorRow = std::clamp(row, 0, kRows - 1);
  screen_.wrapPending = false;
}

void Console::SetColor(int colour) { screen_.colour = colour; }

void Console::PrintItems(std::initializer_list<PrintItem> items, bool endLine) {
  for (const PrintItem& item : items) {
    if (const auto* text = std::get_if<std::string_view>(&item)) {
      PutText(screen_, *text);
    } else if (const auto* single = std::get_if<float>(&item)) {
      PutText(screen_, FormatSingle(*single));
    } else {
      PutText(screen_, FormatDouble(std::get<double>(item)));
    }
  }
  if (endLine) LineEnd(screen_);
}

void Console::InputValues(std::string_view prompt, std::initializer_list<float*> targets, AnswerCheck accept) {
  PutText(screen_, prompt);
  const int start = AnswerStartCell(screen_);
  const int room = static_cast<int>(std::min<size_t>(kMaxAnswer, static_cast<size_t>(kColumns * kRows - start)));
  const auto saved = screen_.text;
  const int colour = screen_.colour;
  const int cueColour = colour == 2 ? 6 : 2;
  std::string answer;

  // The answer is echoed cell by cell from `start`; it wraps but never
  // scrolls, so erasing it is putting back what was under it.
  const auto echo = [&] {
    screen_.text = saved;
    for (size_t i = 0; i < answer.size(); ++i) {
      const int cell = start + static_cast<int>(i);
      BlankCell(screen_, cell % kColumns, cell / kColumns);
      screen_.At(cell % kColumns, cell / kColumns) =
          Cell{static_cast<unsigned char>(answer[i]), static_cast<uint8_t>(colour), Half::kSingle};
    }
    const int cursor = std::min(start + static_cast<int>(answer.size()), kColumns * kRows - 1);
    screen_.cursorColumn = cursor % kColumns;
    screen_.cursorRow = cursor / kColumns;
    screen_.wrapPending = false;
  };
  struct HideCursor {
    Screen& screen;
    ~HideCursor() { screen.cursorVisible = false; }
  } hide{screen_};
  screen_.cursorVisible = true;
  screen_.cursorColour = colour;
  echo();

  for (;;) {
    const int key = WaitKey();
    if (key == kKeyReturn) {
      const auto values = ParseAnswer(answer, targets.size());
      if (values && (accept == nullptr || accept(*values))) {
        size_t i = 0;
        for (float* target : targets) *target = (*values)[i++];
        break;
      }
      answer.clear();
      screen_.cursorColour = cueColour;
    } else if (key == kKeyBackspace) {
      if (!answer.empty()) answer.pop_back();
      screen_.cursorColour = colour;
    } else if (key >= 32 && key < 127) {
      if (static_cast<int>(answer.size()) < room) answer += static_cast<char>(key);
      screen_.cursorColour = colour;
    }
    echo();
  }
  // The answer ends the line; the cursor goes to the next row without
  // scrolling anything.
  screen_.cursorColumn = 0;
  screen_.cursorRow = std::min(screen_.cursorRow + 1, kRows - 1);
}

std::string Console::PollKey() {
  const int key = NextKey();
  if (key == kNoKey || IsFunctionKey(key)) return "";
  return std::string(1, static_cast<char>(key));
}

void Console::DrawLine(float x1, float y1, float x2, float y2, int colour, int box) {
  const int ax = ToPixel(x1), ay = ToPixel(y1), bx = ToPixel(x2), by = ToPixel(y2);
  if (box == 1) {
    Segment(screen_, ax, ay, bx, ay, colour);
    Segment(screen_, bx, ay, bx, by, colour);
    Segment(screen_, bx, by, ax, by, colour);
    Segment(screen_, ax, by, ax, ay, colour);
  } else {
    Segment(screen_, ax, ay, bx, by, colour);
  }
}

void Console::SetTextWindow(int firstRow, int rows) {
  screen_.windowFirst = std::clamp(firstRow, 0, kRows - 1);
  screen_.windowLast = std::clamp(firstRow + rows - 1, screen_.windowFirst, kRows - 1);
}

void Console::SetWidth(int /*columns*/) {}

void Console::BindFunctionKey(int key, void (*command)()) {
  if (key >= 1 && key <= 3) commands_[key - 1] = command;
}

void Console::SetFunctionKeyTrap(int key, bool on) {
  if (key >= 1 && key <= 3) armed_[key - 1] = on;
}

void Console::PressFunctionKey(int n) {
  if (n < 1 || n > 3) return;
  pendingFunctionKey_ = n;  // only the latest press counts
  checkBudget_ = 0;
}

void Console::SetPlotBudget(int64_t points) {
  pointsCounted_ += budgetStart_ - plotBudget_;
  budgetStart_ = plotBudget_ = points;
}

void Console::ServiceEvents() {
  checkBudget_ = Service();
  if (pendingFunctionKey_ != 0) DeliverFunctionKey();
}

void Console::DeliverFunctionKey() {
  // A press during a running command waits until that command is done.
  if (runningCommand_) return;
  const int n = pendingFunctionKey_;
  pendingFunctionKey_ = 0;
  if (!armed_[n - 1] || commands_[n - 1] == nullptr) return;  // dropped
  struct CommandDone {
    Console& console;
    ~CommandDone() {
      console.runningCommand_ = false;
      if (console.pendingFunctionKey_ != 0) console.checkBudget_ = 0;
    }
  } done{*this};
  runningCommand_ = true;
  commands_[n - 1]();
}

int Console::WaitKey() {
  for (;;) {
    CheckEvents();
    const int key = NextKey();
    if (key != kNoKey && !IsFunctionKey(key)) return key;
  }
}

}  // namespace console
