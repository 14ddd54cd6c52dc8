// Writing into the text grid: placement of half- and full-width characters,
// wrapping past column 79, line ends and scrolling of the text window.
#pragma once

#include <string_view>

#include "console/screen.h"

namespace console {

// Writes `text` at the cursor in the current colour and leaves the cursor
// after it. A full-width character covers two columns; one that would not
// fit before the right edge moves to the next line first.
void PutText(Screen& screen, std::string_view text);

// Moves the cursor to column 0 of the next row; past the text window's
// last row the window's rows scroll up one.
void LineEnd(Screen& screen);

// Blanks every cell of the grid.
void ClearText(Screen& screen);

// Blanks the cell and, if it was half of a full-width character, its other
// half too.
void BlankCell(Screen& screen, int column, int row);

}  // namespace console
