// The screen model that every back end shows: an 80 x 24 text grid laid
// over a 640 x 400 plane of palette indices. The text grid is 24 rows of
// 18 pixels, so it reaches 32 pixels below the plane; that strip only ever
// shows text (the key help on rows 22 and 23 lives there).
#pragma once

#include <array>
#include <cstdint>

namespace console {

constexpr int kColumns = 80;
constexpr int kRows = 24;
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 18;
constexpr int kPlaneWidth = 640;
constexpr int kPlaneHeight = 400;
constexpr int kScreenWidth = kColumns * kCellWidth;    // 640
constexpr int kScreenHeight = kRows * kCellHeight;     // 432

// How a cell relates to a full-width character.
enum class Half : uint8_t { kSingle, kLeft, kRight };

struct Cell {
  char32_t ch = 0;       // 0: the cell holds nothing
  uint8_t colour = 0;    // palette index the character was printed in
  Half half = Half::kSingle;
};

struct Screen {
  std::array<Cell, kColumns * kRows> text{};
  std::array<uint8_t, kPlaneWidth * kPlaneHeight> plane{};

  int cursorColumn = 0;
  int cursorRow = 0;
  bool wrapPending = false;   // the last print filled column 79
  int colour = 7;             // current text colour
  int windowFirst = 0;        // text window: rows windowFirst .. windowLast
  int windowLast = kRows - 1;

  bool cursorVisible = false; // shown while an answer is typed
  int cursorColour = 7;       // changes to mark a refused answer

  Cell& At(int column, int row) { return text[row * kColumns + column]; }
  const Cell& At(int column, int row) const { return text[row * kColumns + column]; }
};

}  // namespace console
