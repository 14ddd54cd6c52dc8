#include "console/compose.h"

#include <algorithm>

#include "console/glyphs.h"

namespace console {

const GlyphEntry& FindGlyph(char32_t ch) {
  const GlyphEntry* end = kGlyphs + kGlyphCount;
  const GlyphEntry* it =
      std::lower_bound(kGlyphs, end, ch, [](const GlyphEntry& g, char32_t c) { return g.codePoint < c; });
  if (it != end && it->codePoint == ch) return *it;
  if (ch != 0xFFFD) return FindGlyph(0xFFFD);
  return kGlyphs[0];
}

void ComposeScreen(const Screen& screen, bool withCursor, std::vector<uint8_t>& out) {
  out.assign(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0);
  std::copy(screen.plane.begin(), screen.plane.end(), out.begin());

  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const Cell& cell = screen.At(column, row);
      if (cell.ch == 0 || cell.half == Half::kRight) continue;
      const GlyphEntry& glyph = FindGlyph(cell.ch);
      const int width = glyph.wide && cell.half == Half::kLeft ? 16 : 8;
      const int left = column * kCellWidth;
      const int top = row * kCellHeight + 1;  // one blank pixel row above
      for (int y = 0; y < 16; ++y) {
        const uint16_t bits = glyph.rows[y];
        uint8_t* line = &out[static_cast<size_t>(top + y) * kScreenWidth];
        for (int x = 0; x < width && left + x < kScreenWidth; ++x)
          if (bits & (0x8000u >> x)) line[left + x] = cell.colour;
      }
    }
  }

  if (withCursor && screen.cursorVisible) {
    const int top = screen.cursorRow * kCellHeight + kCellHeight - 2;
    for (int y = top; y < top + 2; ++y)
      for (int x = 0; x < kCellWidth; ++x)
        out[static_cast<size_t>(y) * kScreenWidth + screen.cursorColumn * kCellWidth + x] =
            static_cast<uint8_t>(screen.cursorColour);
  }
}

}  // namespace console
