#include "console/screen_dump.h"

#include <vector>

#include "console/compose.h"
#include "console/palette.h"
#include "console/utf8.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace console {

std::string TextDump(const Screen& screen) {
  std::string out;
  for (int row = 0; row < kRows; ++row) {
    std::string line;
    for (int column = 0; column < kColumns; ++column) {
      const Cell& cell = screen.At(column, row);
      if (cell.half == Half::kRight) continue;
      if (cell.ch == 0) {
        line += ' ';
      } else {
        line += EncodeUtf8(cell.ch);
      }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out += line + "\n";
  }
  return out;
}

std::string ColourDump(const Screen& screen) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const Cell& cell = screen.At(column, row);
      out += (cell.ch == 0 || cell.ch == U' ') ? '.' : kHex[cell.colour & 15];
    }
    out += "\n";
  }
  return out;
}

bool WritePng(const Screen& screen, const std::string& path) {
  std::vector<uint8_t> indices;
  ComposeScreen(screen, false, indices);
  std::vector<uint8_t> rgb(indices.size() * 3);
  for (size_t i = 0; i < indices.size(); ++i) {
    const Rgb colour = PaletteColour(indices[i]);
    rgb[i * 3] = colour.r;
    rgb[i * 3 + 1] = colour.g;
    rgb[i * 3 + 2] = colour.b;
  }
  return stbi_write_png(path.c_str(), kScreenWidth, kScreenHeight, 3, rgb.data(), kScreenWidth * 3) != 0;
}

}  // namespace console
