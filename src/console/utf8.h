// UTF-8 decoding and the column width of the program's texts.
#pragma once

#include <string>
#include <string_view>

namespace console {

// Decodes one code point at `pos` and advances it; malformed bytes decode
// as U+FFFD one byte at a time.
char32_t DecodeUtf8(std::string_view text, size_t& pos);

// Encodes one code point.
std::string EncodeUtf8(char32_t ch);

// Columns a character covers: ASCII takes one column, every other
// character (the program's texts are Japanese) two.
constexpr int CharColumns(char32_t ch) { return ch < 0x80 ? 1 : 2; }

// Columns a whole text covers.
int TextColumns(std::string_view text);

}  // namespace console
