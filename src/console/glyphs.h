// The font: GNU Unifont glyphs, 8 x 16 for half-width and 16 x 16 for
// full-width characters, compiled into the program (see tools/make_glyphs).
#pragma once

#include <cstddef>
#include <cstdint>

namespace console {

struct GlyphEntry {
  char32_t codePoint;
  bool wide;
  uint16_t rows[16];  // left pixel in the top bit
};

extern const GlyphEntry kGlyphs[];  // sorted by code point
extern const size_t kGlyphCount;

// The glyph of `ch`, or the replacement glyph when the font lacks it.
const GlyphEntry& FindGlyph(char32_t ch);

}  // namespace console
