// Dumps of the screen model: the text grid as UTF-8 lines, the colour of
// every cell, and the composed picture as a PNG.
#pragma once

#include <string>

#include "console/screen.h"

namespace console {

// 24 lines: each row's characters, a full-width character once, blank cells
// as spaces, trailing spaces removed.
std::string TextDump(const Screen& screen);

// 24 lines of 80 characters: each cell's colour as one hexadecimal digit,
// '.' where the cell holds nothing or a half-width space.
std::string ColourDump(const Screen& screen);

// The composed screen (without the input cursor) in the palette's colours.
bool WritePng(const Screen& screen, const std::string& path);

}  // namespace console
