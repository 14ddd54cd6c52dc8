#include "console/text_grid.h"

#include "console/utf8.h"

namespace console {
namespace {

void ScrollWindowUp(Screen& screen) {
  for (int row = screen.windowFirst; row < screen.windowLast; ++row)
    for (int column = 0; column < kColumns; ++column) screen.At(column, row) = screen.At(column, row + 1);
  for (int column = 0; column < kColumns; ++column) screen.At(column, screen.windowLast) = Cell{};
}

void PutChar(Screen& screen, char32_t ch) {
  const int width = CharColumns(ch);
  if (screen.wrapPending || screen.cursorColumn + width > kColumns) LineEnd(screen);
  const int column = screen.cursorColumn;
  const int row = screen.cursorRow;
  BlankCell(screen, column, row);
  const auto colour = static_cast<uint8_t>(screen.colour);
  if (width == 1) {
    screen.At(column, row) = Cell{ch, colour, Half::kSingle};
  } else {
    BlankCell(screen, column + 1, row);
    screen.At(column, row) = Cell{ch, colour, Half::kLeft};
    screen.At(column + 1, row) = Cell{ch, colour, Half::kRight};
  }
  screen.cursorColumn = column + width;
  if (screen.cursorColumn >= kColumns) {
    screen.cursorColumn = kColumns - 1;
    screen.wrapPending = true;
  }
}

}  // namespace

void PutText(Screen& screen, std::string_view text) {
  for (size_t pos = 0; pos < text.size();) PutChar(screen, DecodeUtf8(text, pos));
}

void LineEnd(Screen& screen) {
  screen.cursorColumn = 0;
  screen.wrapPending = false;
  if (screen.cursorRow == screen.windowLast) {
    ScrollWindowUp(screen);
  } else if (screen.cursorRow < kRows - 1) {
    ++screen.cursorRow;
  }
}

void ClearText(Screen& screen) { screen.text.fill(Cell{}); }

void BlankCell(Screen& screen, int column, int row) {
  Cell& cell = screen.At(column, row);
  if (cell.half == Half::kLeft && column + 1 < kColumns) screen.At(column + 1, row) = Cell{};
  if (cell.half == Half::kRight && column > 0) screen.At(column - 1, row) = Cell{};
  cell = Cell{};
}

}  // namespace console
