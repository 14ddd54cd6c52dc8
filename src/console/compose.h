// Turns the screen model into the picture a user sees: the pixel plane with
// the text drawn over it (only a glyph's set pixels cover the graphics).
#pragma once

#include <cstdint>
#include <vector>

#include "console/screen.h"

namespace console {

// kScreenWidth x kScreenHeight palette indices, row by row. The input
// cursor is drawn when `withCursor` is set and the cursor is visible.
void ComposeScreen(const Screen& screen, bool withCursor, std::vector<uint8_t>& out);

}  // namespace console
